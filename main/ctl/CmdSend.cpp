// send: one raw command and its answer as received. A parameter read
// ("orvane2 get ...") only reads; anything else may change the controller
// and goes through the access check like the other changing subcommands.

#include <QCommandLineParser>
#include <QJsonObject>

#include "CtlContext.h"
#include "CtlController.h"
#include "CtlExit.h"
#include "CtlSubcommands.h"
#include "IOManagerUdpTcp.h"

namespace {

bool onlyReads(const QString& command)
{
    const QStringList words = command.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    return words.size() >= 3 && words.at(0) == QLatin1String("orvane2") &&
           words.at(1) == QLatin1String("get");
}

}  // namespace

int ctlSend(CtlContext& context)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(CtlText::tr(
        "Sends one command and prints the controller's answer as received (control "
        "characters shown as '?' on a terminal). 'orvane2 get ...' only reads; any other "
        "command checks access (exit code 5 while another front-end holds it), asks for the "
        "password when one is set and takes access. Exit code 7 for an error answer."));
    ctlAddHostArgument(parser);
    parser.addPositionalArgument(QStringLiteral("COMMAND"),
                                 CtlText::tr("the command, e.g. \"orvane2 get system version\""));
    ctlAddJsonOption(parser);
    const int parsed =
        ctlParseArguments(context, parser, QStringLiteral("send HOST COMMAND"), 2, -1);
    if (parsed >= 0)
        return parsed;
    const QStringList words = parser.positionalArguments().mid(1);
    const QString command = words.join(QLatin1Char(' '));
    const QByteArray bytes = command.toUtf8();
    if (bytes.isEmpty() || bytes.size() >= IOManager::MaxTextLength ||
        !IOManager::isOneLine(bytes.constData())) {
        context.error(CtlText::tr("send: a command is one line of fewer than %1 bytes")
                          .arg(IOManager::MaxTextLength));
        return CtlExit::Usage;
    }
    CtlController controller(context);
    const int code = controller.connect(
        parser.positionalArguments().at(0),
        onlyReads(command) ? CtlController::Mode::ReadOnly : CtlController::Mode::Change);
    if (code != CtlExit::Success)
        return code;
    char answer[IOManager::MaxTextLength + 1] = {};
    controller.channel()->configure_next_cmd(false, -1, true);
    const int rc = controller.channel()->execute_cmd(answer, "%s", bytes.constData());
    if (rc != IOManager::ResultOk)
        return controller.commandFailed(bytes.constData(), rc, answer);
    const QString text = QString::fromUtf8(answer);
    if (context.json)
        context.printJson(QJsonDocument(
            QJsonObject{{QStringLiteral("command"), command}, {QStringLiteral("answer"), text}}));
    else
        ctlPrintForeign(context, text + QLatin1Char('\n'));
    return CtlController::exitForChannel(rc, answer);
}
