#ifndef IPDIALOG_H
#define IPDIALOG_H

#include <QDialog>
#include <QString>

#include <cstdint>
#include <memory>
#include <string>

#include "FrontendInfo.h"
#include "LastController.h"

class ControllerProbe;
class TrackboxSelection;
class QKeyEvent;
class QMouseEvent;

namespace Ui {
class IpDialog;
}

// Registers the dialogs' pictures (splash backgrounds) of this static library; the
// IpDialog constructor calls it, and anyone who needs the pictures earlier may as well.
void initConnectResources();

// The start-up window: tests the controller used last, shows every step in its progress
// text, and either identifies the controller and offers Connect, offers wake-on-LAN, or
// opens the controller selection.  All exchanges are short UDP queries of its own.
class IpDialog : public QDialog
{
    Q_OBJECT

public:
    // Results of try_connect().
    enum ConnectResult
    {
        ConnectIdentified = 0,
        ConnectUnreachable = 1,      // not reachable, no access, or changed at start-up
        ConnectHostnameUnread = -1,  // access granted but the host name did not answer
        ConnectNoSocket = -14
    };
    // Results of try_connect_2().
    enum SilentResult
    {
        SilentConnected = 0,
        SilentAsleep = 1,  // no answer, MAC known (or access refused, no user)
        SilentAccessedByOther = 2,
        SilentNoSocket = -1,
        SilentHostnameUnresolved = -2,
        SilentAddressUnresolved = -3,
        SilentNoAnswerNoMac = -4,
        SilentNoVersion = -5,
        SilentNoAccessState = -6
    };

    IpDialog(QWidget* parent, Qt::WindowFlags flags, const std::string& frontendPassword);
    ~IpDialog() override;

    void set_last_trackbox_hostname(QString hostname);
    void set_last_trackbox_ip(QString ipStr);
    void set_last_trackbox_mac(QString mac);
    void set_last_trackbox_model(const QString& model);
    void setLastController(const LastController& last);
    // The controller as it stands now: the address is the one in use, in dotted form,
    // and the name the one that answered.
    LastController lastController() const;
    void setIsCascade(bool isCascade);
    void setFixHostname(const QString& hostnameOrIp);
    void setFixSubnet(const QString& subnet);
    void setTrackboxSelection(int selection);

    QString get_hostname() const;
    // Dotted text of ip, or of the address under test when ip is 0.
    QString get_ip_str(unsigned int ip = 0) const;
    QString get_mac() const;
    unsigned short getPort() const;
    QString fixHostname() const;
    QString fixSubnet() const;
    int getTrackboxSelection() const;

    int start_and_exec();

    // The selection dialog this window owns (also reachable for the window's theme).
    TrackboxSelection* trackboxSelection() const { return trackboxSelectionDlg; }
    // Pause after a failed step so the user can read it; tests shorten it.
    void setFailurePauseMs(int ms) { m_failurePauseMs = ms; }
    // Interval between the connection tests while a woken controller boots.
    void setWakeRetryIntervalMs(int ms) { m_wakeRetryIntervalMs = ms; }

signals:
    void sig_connect_successful();

public slots:
    int try_connect();
    int try_connect_2();
    void setTrackbox(QString hostname);
    void setTrackboxPort(unsigned int port);
    void setTrackboxIp(unsigned int ip);
    void setTrackboxMac(QString mac);
    void doWakeOnLan();
    void accept() override;
    void reject() override;

private slots:
    void on_pushButton_other_clicked();
    void on_pushButton_wol_clicked();
    void on_pushButton_connect_clicked();
    void on_pushButton_exit_clicked();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    // Closed (reset) before the window pauses or opens the selection.
    using Probe = std::unique_ptr<ControllerProbe>;

    bool isKestrelbox3() const;
    void testChosenController();
    bool receiveTrackboxParam(ControllerProbe& probe, uint32_t ip, const char* command,
                              const char* prefix, QString& out);
    void appendText(const QString& text);
    void insertText(const QString& text);
    void refresh();
    void pause();
    bool findStartupAddress(ControllerProbe& probe, QString& foundHostname);
    void reportNoAccess(Probe& probe, bool accessNone);
    void reportChanged(Probe& probe, const QString& found);
    void showIdentity(const QString& hostname);
    void runWakeOnLan(bool interactive);
    void showVersionLabel();

    Ui::IpDialog* ui;
    // The address text here is the one handed in; last_trackbox_ip is what it resolved to.
    LastController m_last;
    unsigned int last_trackbox_port = FrontendInfo::kControllerPort;
    uint32_t last_trackbox_ip = 0;
    int iFirstTime = 1;
    unsigned short port = FrontendInfo::kControllerPort;
    TrackboxSelection* trackboxSelectionDlg = nullptr;
    bool bWolClicked = false;
    bool bIsCascade = false;
    std::string m_frontendPassword;
    int m_failurePauseMs = 2000;
    int m_wakeRetryIntervalMs = 15000;
};

#endif
