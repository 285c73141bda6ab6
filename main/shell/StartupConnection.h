#ifndef ORVANE_STARTUPCONNECTION_H
#define ORVANE_STARTUPCONNECTION_H

#include <QCoreApplication>
#include <QString>

#include <functional>

class CommandLine;
class IOManagerUdpTcp;
class IpDialog;
class MessageBoxProvider;
class Preferences;
class QWidget;

// The way from the command line to a connected, fully accessible command
// channel: directly to a named or the last controller, or through the
// connection dialog, with wake-on-LAN and the password check on the way.
// Every failure has told the user (or the dialog did) before false returns;
// the caller then ends the process with exit code 0.
class StartupConnection
{
    Q_DECLARE_TR_FUNCTIONS(StartupConnection)

public:
    StartupConnection(Preferences& prefs, const CommandLine& cmdLine, MessageBoxProvider* mbp,
                      QWidget* window);
    ~StartupConnection();

    // Applies the theme palette to the dialog's application; set before connect().
    void setPaletteHook(std::function<void(bool dark)> hook) { m_applyPalette = std::move(hook); }

    // Whether the options ask for the direct path (no dialog).
    bool usesDirectStart() const;
    // Runs the path the options ask for; the channel is then connected and
    // the controller grants full access.
    bool connect();

    // The connection dialog (owned by the window as its Qt child once made).
    IpDialog* dialog() const { return ipDialog; }
    // The channel, handed over once; nullptr before a successful connect().
    IOManagerUdpTcp* takeChannel();
    unsigned short displayPort() const { return display_port; }
    // True when the dialog path ran: only then the command file follows.
    bool connectedThroughDialog() const { return m_viaDialog; }

    // Does anything answer a version query at ip within half a second?
    static bool directStartWithLastTrackbox(const QString& ip);

private:
    bool initOrvane2();
    bool initOrvane2_2();
    void createDialog();
    void handLastControllerToDialog();
    bool confirmPassword(unsigned int ip);
    bool resolveLastAddress(unsigned int* ip);
    bool createChannel(bool writePreferencesOnFailure);
    bool hasFullAccess();
    bool wakeUpConfirmed();
    bool confirmAwakePassword();

    Preferences& m_prefs;
    const CommandLine& m_cmdLine;
    MessageBoxProvider* m_mbp;
    QWidget* m_window;
    std::function<void(bool)> m_applyPalette;
    IpDialog* ipDialog = nullptr;
    IOManagerUdpTcp* iom = nullptr;
    unsigned short display_port = 0;
    bool m_viaDialog = false;
};

#endif
