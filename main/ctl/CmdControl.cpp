// measure start|stop, shutdown and reboot: the window's menu entries without
// the window. Each changes the controller, so each checks access first.

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QJsonObject>

#include "CtlContext.h"
#include "CtlController.h"
#include "CtlExit.h"
#include "CtlSubcommands.h"
#include "IOManagerUdpTcp.h"
#include "MeasurementControl.h"

namespace {

// The outcome on stdout: one line, or one JSON object with the state.
void printOutcome(CtlContext& context, const CtlController& controller, const QString& text,
                  const QString& state = QString())
{
    if (!context.json) {
        context.out << text << '\n' << Qt::flush;
        return;
    }
    QJsonObject object{{QStringLiteral("host"), controller.host()},
                       {QStringLiteral("address"), controller.address()},
                       {QStringLiteral("result"), text}};
    if (!state.isEmpty())
        object.insert(QStringLiteral("state"), state);
    context.printJson(QJsonDocument(object));
}

int startMeasurement(CtlContext& context, CtlController& controller)
{
    QString state;
    if (!MeasurementControl::readStateOf(controller.channel(), &state))
        return controller.commandFailed("orvane2 get status active", IOManager::ResultNoAnswer, "");
    if (!MeasurementControl::isIdleState(state)) {
        printOutcome(context, controller, CtlText::tr("measurement already running"), state);
        return CtlExit::Success;
    }
    switch (MeasurementControl::startOn(controller.channel(), controller.versions(), &state)) {
        case MeasurementControl::StartOutcome::Started:
            printOutcome(context, controller, CtlText::tr("measurement started"), state);
            return CtlExit::Success;
        case MeasurementControl::StartOutcome::StateUnknown:
            return controller.commandFailed("orvane2 get status active", IOManager::ResultNoAnswer,
                                            "");
        case MeasurementControl::StartOutcome::NotAvailable:
            context.error(CtlText::tr("tracking is not available on this controller"));
            break;
        case MeasurementControl::StartOutcome::CommandFailed:
        case MeasurementControl::StartOutcome::StillIdle:
            break;
    }
    context.error(CtlText::tr("measurement start unsuccessful!"));
    return CtlExit::ControllerError;
}

int stopMeasurement(CtlContext& context, CtlController& controller)
{
    QString state;
    if (!MeasurementControl::readStateOf(controller.channel(), &state))
        return controller.commandFailed("orvane2 get status active", IOManager::ResultNoAnswer, "");
    if (MeasurementControl::isIdleState(state)) {
        printOutcome(context, controller, CtlText::tr("measurement not running"), state);
        return CtlExit::Success;
    }
    if (!MeasurementControl::stopOn(controller.channel())) {
        context.error(CtlText::tr("measurement stop unsuccessful"));
        return CtlExit::ControllerError;
    }
    MeasurementControl::readStateOf(controller.channel(), &state);
    printOutcome(context, controller, CtlText::tr("measurement stopped"), state);
    return CtlExit::Success;
}

// Shutdown and reboot answer before the controller goes; the answer is all there is to check.
int powerCommand(CtlContext& context, const char* command, const QString& done)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        CtlText::tr("Changes the controller: fails with exit code 5 while another front-end holds "
                    "access, asks for the password when one is set."));
    ctlAddHostArgument(parser);
    ctlAddJsonOption(parser);
    const QString name = context.arguments.value(0);
    const int parsed = ctlParseArguments(context, parser, name + QStringLiteral(" HOST"), 1, 1);
    if (parsed >= 0)
        return parsed;
    CtlController controller(context);
    int code = controller.connect(parser.positionalArguments().at(0), CtlController::Mode::Change);
    if (code != CtlExit::Success)
        return code;
    // The window offers no reboot for this model; its controller cannot come back by itself.
    if (name == QLatin1String("reboot") && controller.modelName() == QLatin1String("KESTRELBOX")) {
        context.error(CtlText::tr("this controller model cannot be rebooted remotely"));
        return CtlExit::ControllerError;
    }
    char answer[IOManager::MaxTextLength + 1] = {};
    const int rc = controller.channel()->execute_cmd(answer, "%s", command);
    code = CtlController::exitForChannel(rc, answer);
    if (code != CtlExit::Success || qstrcmp(answer, "orvane2 ok") != 0)
        return code == CtlExit::Success ? CtlExit::ControllerError
                                        : controller.commandFailed(command, rc, answer);
    printOutcome(context, controller, done);
    return CtlExit::Success;
}

}  // namespace

int ctlMeasure(CtlContext& context)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(CtlText::tr(
        "Starts or stops measurement as the window's Start and Stop do. Fails with exit "
        "code 5 while another front-end holds access, asks for the password when one is "
        "set. A refused start is explained on stderr."));
    parser.addPositionalArgument(QStringLiteral("start|stop"), CtlText::tr("what to do"));
    ctlAddHostArgument(parser);
    ctlAddJsonOption(parser);
    const int parsed =
        ctlParseArguments(context, parser, QStringLiteral("measure start|stop HOST"), 2, 2);
    if (parsed >= 0)
        return parsed;
    const QString action = parser.positionalArguments().at(0);
    if (action != QLatin1String("start") && action != QLatin1String("stop")) {
        context.error(
            CtlText::tr("measure: expected start or stop, not %1").arg(ctlPrintable(action)));
        return CtlExit::Usage;
    }
    CtlController controller(context);
    const int code =
        controller.connect(parser.positionalArguments().at(1), CtlController::Mode::Change);
    if (code != CtlExit::Success)
        return code;
    return action == QLatin1String("start") ? startMeasurement(context, controller)
                                            : stopMeasurement(context, controller);
}

int ctlShutdown(CtlContext& context)
{
    return powerCommand(context, "orvane2 system shutdown",
                        CtlText::tr("controller shutting down"));
}

int ctlReboot(CtlContext& context)
{
    return powerCommand(context, "orvane2 system reboot", CtlText::tr("controller rebooting"));
}
