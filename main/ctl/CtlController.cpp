#include "CtlController.h"

#include "ControllerStatus.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <termios.h>
#include <unistd.h>
#include <cstdio>
#include <cstring>

#include "AccessControl.h"
#include "ControllerProbe.h"
#include "ControllerSetup.h"
#include "CtlContext.h"
#include "CtlExit.h"
#include "FrontendInfo.h"
#include "IOManagerUdpTcp.h"

namespace {

// A datagram can get lost; one more question before the controller counts as silent.
constexpr int kAnswerAttempts = 2;
constexpr int kRefusalCheckMs = 1000;
constexpr int kMaxSecretBytes = 256;

}  // namespace

QString ctlAccessHolder(const QString& accessedBy)
{
    const QString text = accessedBy.trimmed();
    return text.startsWith(QLatin1String("ip ")) ? text.mid(3).trimmed() : text;
}

void CtlBoxes::openMessageBox(int, QString title, QString text)
{
    const QStringList lines = text.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QStringList shown;
    for (const QString& line : lines)
        shown << ctlPrintable(line.trimmed());
    m_context.error(ctlPrintable(title) + QStringLiteral(": ") + shown.join(QLatin1Char(' ')));
}

QString ctlPrintable(const QString& text)
{
    QString shown = text;
    for (QChar& c : shown)
        if (c.category() == QChar::Other_Control)
            c = QLatin1Char('?');
    return shown;
}

void ctlPrintForeign(CtlContext& context, const QString& text)
{
    if (isatty(STDOUT_FILENO) != 1) {
        context.out << text << Qt::flush;
        return;
    }
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size(); ++i)
        context.out << (i > 0 ? "\n" : "") << ctlPrintable(lines.at(i));
    context.out << Qt::flush;
}

int ctlUsageError(CtlContext& context, const QString& synopsis, const QString& message)
{
    context.error(message);
    context.err << QStringLiteral("Usage: orvane3ctl %1\n").arg(synopsis) << Qt::flush;
    return CtlExit::Usage;
}

int ctlParseArguments(CtlContext& context, QCommandLineParser& parser, const QString& synopsis,
                      int minPositional, int maxPositional)
{
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  CtlText::tr("Show this help."));
    parser.addOption(help);
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    if (!parser.parse(context.arguments))
        return ctlUsageError(context, synopsis, parser.errorText());
    const QString usage = QStringLiteral("Usage: orvane3ctl %1\n").arg(synopsis);
    if (parser.isSet(help)) {
        // The parser's own usage line names the program only; ours names the subcommand.
        QString text = parser.helpText();
        text = text.mid(text.indexOf(QLatin1Char('\n')) + 1);
        context.out << usage << text << '\n'
                    << CtlText::tr("Exit codes: see orvane3ctl --help.") << '\n'
                    << Qt::flush;
        return CtlExit::Success;
    }
    const int count = parser.positionalArguments().size();
    if (count < minPositional || (maxPositional >= 0 && count > maxPositional)) {
        context.err << usage << Qt::flush;
        return CtlExit::Usage;
    }
    return -1;
}

void ctlAddHostArgument(QCommandLineParser& parser)
{
    parser.addPositionalArgument(QStringLiteral("HOST"), CtlText::tr("controller name or address"));
}

void ctlAddJsonOption(QCommandLineParser& parser)
{
    parser.addOption({QStringLiteral("json"), CtlText::tr("Print the result as JSON.")});
}

bool ctlReadSecret(CtlContext& context, const QString& prompt, QString* secret)
{
    char buffer[kMaxSecretBytes] = {};
    const bool terminal = isatty(STDIN_FILENO) == 1;
    termios saved{};
    if (terminal) {
        context.err << prompt << Qt::flush;
        if (tcgetattr(STDIN_FILENO, &saved) == 0) {
            termios silent = saved;
            silent.c_lflag &= ~tcflag_t(ECHO);
            tcsetattr(STDIN_FILENO, TCSAFLUSH, &silent);
        }
    }
    const bool read = std::fgets(buffer, sizeof buffer, stdin) != nullptr;
    if (terminal) {
        tcsetattr(STDIN_FILENO, TCSAFLUSH, &saved);
        context.err << '\n' << Qt::flush;
    }
    *secret = QString::fromUtf8(buffer);
    while (secret->endsWith(QLatin1Char('\n')) || secret->endsWith(QLatin1Char('\r')))
        secret->chop(1);
    // The copy on the stack is not left behind for a later read of it.
    std::memset(buffer, 0, sizeof buffer);
    return read && !secret->isEmpty();
}

CtlController::CtlController(CtlContext& context) : m_context(context), m_boxes(context) {}

CtlController::~CtlController() = default;

int CtlController::connect(const QString& host, Mode mode)
{
    int code = resolve(host);
    QByteArray access;
    if (code == CtlExit::Success)
        code = checkAnswers(&access);
    if (code == CtlExit::Success && mode == Mode::Change)
        code = checkAccess(access);
    if (code == CtlExit::Success && mode == Mode::Change)
        code = passPassword();
    if (code == CtlExit::Success && mode != Mode::Probe)
        code = openChannel(mode == Mode::Change);
    return code;
}

int CtlController::resolve(const QString& host)
{
    m_host = host;
    m_ip = ControllerAddress::resolve(host);
    if (m_ip == 0) {
        m_context.error(CtlText::tr("cannot resolve %1").arg(ctlPrintable(host)));
        return CtlExit::NoAnswer;
    }
    m_address = ControllerAddress::dotted(m_ip);
    return CtlExit::Success;
}

// The access question doubles as the test whether anyone answers: every
// controller answers it, and reading it takes nothing.
int CtlController::checkAnswers(QByteArray* accessAnswer)
{
    ControllerProbe probe;
    if (!probe.isOpen()) {
        m_context.error(CtlText::tr("cannot open a UDP socket"));
        return CtlExit::Internal;
    }
    probe.setController(m_ip);
    for (int attempt = 0; attempt < kAnswerAttempts; ++attempt) {
        if (probe.ask("orvane2 get system access", accessAnswer) == 0)
            return CtlExit::Success;
    }
    // A sleeping controller has closed its command port, while its network
    // interface still refuses connections to it; a controller that is off or
    // out of reach gives no refusal either.
    if (ControllerStatusReader::classifySilence(m_ip, kRefusalCheckMs) == CtlExit::Asleep) {
        m_context.error(
            CtlText::tr("%1 (%2) does not answer and refuses connections: the controller is "
                        "asleep; wake it with 'orvane3ctl wake MAC'")
                .arg(ctlPrintable(m_host), m_address));
        return CtlExit::Asleep;
    }
    m_context.error(CtlText::tr("no answer from %1 (%2)").arg(ctlPrintable(m_host), m_address));
    return CtlExit::NoAnswer;
}

int CtlController::checkAccess(const QByteArray& accessAnswer)
{
    static const char prefix[] = "orvane2 set system access ";
    if (!accessAnswer.startsWith(prefix) ||
        accessAnswer.mid(int(sizeof prefix) - 1).trimmed() != "none")
        return CtlExit::Success;
    ControllerProbe probe;
    probe.setController(m_ip);
    char holder[IOManager::MaxTextLength + 1] = {};
    const QString by = probe.readParameter("system accessed_by", holder) == 0
                           ? ctlAccessHolder(QString::fromUtf8(holder))
                           : CtlText::tr("unknown");
    m_context.error(CtlText::tr("access to %1 is held by another front-end: %2; nothing done")
                        .arg(ctlPrintable(m_host), ctlPrintable(by)));
    return CtlExit::AccessHeld;
}

int CtlController::passPassword()
{
    AccessControl access(m_ip, FrontendInfo::kControllerPort);
    int err = 0;
    if (!access.requiresPassword(&err)) {
        if (err == 0)
            return CtlExit::Success;
        m_context.error(
            CtlText::tr("%1 does not say whether it needs a password").arg(ctlPrintable(m_host)));
        return CtlExit::NoAnswer;
    }
    QString password;
    if (!ctlReadSecret(m_context, CtlText::tr("Password for %1: ").arg(ctlPrintable(m_host)),
                       &password)) {
        m_context.error(CtlText::tr("%1 requires a password").arg(ctlPrintable(m_host)));
        return CtlExit::PasswordRefused;
    }
    if (access.verifyPassword(password, &err)) {
        m_password = password;
        return CtlExit::Success;
    }
    if (err == AccessControl::ErrCommunication) {
        m_context.error(CtlText::tr("no answer from %1 (%2)").arg(ctlPrintable(m_host), m_address));
        return CtlExit::NoAnswer;
    }
    m_context.error(CtlText::tr("wrong password for %1").arg(ctlPrintable(m_host)));
    return CtlExit::PasswordRefused;
}

int CtlController::openChannel(bool takeAccess)
{
    m_channel = std::make_unique<IOManagerUdpTcp>(&m_boxes);
    unsigned short dataPort = 0;
    if (m_channel->init(m_address.toLatin1().constData(), FrontendInfo::kControllerPort,
                        &dataPort) != 0) {
        m_context.error(
            CtlText::tr("cannot connect to %1 (%2)").arg(ctlPrintable(m_host), m_address));
        return CtlExit::NoAnswer;
    }
    ControllerSetup setup(m_channel.get());
    if (takeAccess) {
        const int rc = setup.initController();
        if (rc != 0)
            return commandFailed("orvane2 init", rc, "");
    }
    QString modelCode;
    setup.fillBackendVersions(&m_versions, &modelCode);
    return CtlExit::Success;
}

int CtlController::exitForChannel(int rc, const char* answer)
{
    switch (rc) {
        case IOManager::ResultOk:
            return std::strncmp(answer, "orvane2 err", 11) == 0 ? CtlExit::ControllerError
                                                                : CtlExit::Success;
        case IOManager::CommandNotOneLine:
            return CtlExit::Usage;
        case IOManager::ResultNoPrefix:
        case IOManager::ResultValueCount:
        case IOManager::ResultNotParsable:
        case IOManager::ResultAnswerTooLong:
            return CtlExit::ControllerError;
        default:
            return CtlExit::NoAnswer;
    }
}

int CtlController::commandFailed(const char* command, int rc, const char* answer)
{
    const int code = exitForChannel(rc, answer);
    if (code == CtlExit::NoAnswer)
        m_context.error(CtlText::tr("no answer from %1 to '%2'")
                            .arg(ctlPrintable(m_host), QString::fromLatin1(command)));
    else if (code == CtlExit::ControllerError && answer[0] != '\0')
        m_context.error(CtlText::tr("%1 answered '%2' to '%3'")
                            .arg(ctlPrintable(m_host), ctlPrintable(QString::fromUtf8(answer)),
                                 QString::fromLatin1(command)));
    return code;
}
