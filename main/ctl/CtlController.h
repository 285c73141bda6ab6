#ifndef CTLCONTROLLER_H
#define CTLCONTROLLER_H

#include <QString>

#include <cstdint>
#include <memory>

#include "BackendVersions.h"
#include "MessageBoxProvider.h"

class IOManagerUdpTcp;
class QCommandLineParser;
struct CtlContext;

// The channel's boxes become lines on stderr: the refused-start texts and the
// controller's error answers reach the user the same way as in the window.
class CtlBoxes : public MessageBoxProvider
{
public:
    explicit CtlBoxes(CtlContext& context) : m_context(context) {}
    void openMessageBox(int type, QString title, QString text) override;

private:
    CtlContext& m_context;
};

// Parses a subcommand's own arguments: --help prints usage, and a wrong
// count of positional arguments is a usage error. -1 when the subcommand
// goes on, else its exit code.
int ctlParseArguments(CtlContext& context, QCommandLineParser& parser, const QString& synopsis,
                      int minPositional, int maxPositional);

// Reports a usage error found after parsing, with the usage line; returns CtlExit::Usage.
int ctlUsageError(CtlContext& context, const QString& synopsis, const QString& message);

// The HOST argument and the --json switch that most subcommands share.
void ctlAddHostArgument(QCommandLineParser& parser);
void ctlAddJsonOption(QCommandLineParser& parser);

// One line of a password, from the terminal without echo, or from standard
// input when that is not a terminal. False at the end of input or when empty.
bool ctlReadSecret(CtlContext& context, const QString& prompt, QString* secret);

// Text from a controller or a file, fit for one line of a terminal: control
// characters become '?', so no answer can move the cursor or change colours.
QString ctlPrintable(const QString& text);
// Prints foreign text on stdout as it came, or line by line made printable
// when stdout is a terminal.
void ctlPrintForeign(CtlContext& context, const QString& text);

// The holder named by a "system accessed_by" answer: "ip 192.0.2.5" names
// it by address; anything else is shown as the controller sent it.
QString ctlAccessHolder(const QString& accessedBy);

// One controller named on the command line, from its name to an open channel.
// Read-only subcommands only look; the others check who holds access first,
// pass the password and then take access as the window does.
class CtlController
{
public:
    enum class Mode
    {
        Probe,     // only whether it answers; no channel
        ReadOnly,  // never "orvane2 init", never access
        Change     // access checked and taken, password passed
    };

    explicit CtlController(CtlContext& context);
    ~CtlController();
    CtlController(const CtlController&) = delete;
    CtlController& operator=(const CtlController&) = delete;

    // Every step up to an open channel with the version record read; the
    // first failure's exit code, Success when the channel is ready.
    int connect(const QString& host, Mode mode);

    QString host() const { return m_host; }
    QString address() const { return m_address; }
    uint32_t ip() const { return m_ip; }
    // The password that passed the gate, empty when none was needed.
    QString password() const { return m_password; }
    IOManagerUdpTcp* channel() const { return m_channel.get(); }
    const BackendVersions& versions() const { return m_versions; }
    QString modelName() const { return m_versions.zecModel(); }
    CtlBoxes& boxes() { return m_boxes; }

    // The exit code for a channel result and the answer that came with it.
    static int exitForChannel(int rc, const char* answer);
    // Reports a failed command on stderr and returns its exit code.
    int commandFailed(const char* command, int rc, const char* answer);

private:
    int resolve(const QString& host);
    int checkAnswers(QByteArray* accessAnswer);
    int checkAccess(const QByteArray& accessAnswer);
    int passPassword();
    int openChannel(bool takeAccess);

    CtlContext& m_context;
    CtlBoxes m_boxes;
    QString m_host;
    QString m_address;
    uint32_t m_ip = 0;
    std::unique_ptr<IOManagerUdpTcp> m_channel;
    BackendVersions m_versions;
    QString m_password;
};

#endif
