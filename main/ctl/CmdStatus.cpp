#include "ControllerStatus.h"
#include "CtlContext.h"
#include "CtlController.h"
#include "CtlExit.h"
#include "CtlSubcommands.h"
#include "FrontendInfo.h"
#include "StatusReadings.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDateTime>
#include <QJsonDocument>
#include <QThread>

namespace {

// The longest pause between rounds: a day.
constexpr int kMaxWatchSeconds = 86400;

// The subcommand's texts for translation, under one context.
struct Text
{
    Q_DECLARE_TR_FUNCTIONS(CtlStatus)
};

QString orDash(int value)
{
    return value < 0 ? QStringLiteral("-") : QString::number(value);
}

QString orDash(const QString& text)
{
    return text.isEmpty() ? QStringLiteral("-") : ctlPrintable(text);
}

QString accessText(const ControllerStatus& s)
{
    const bool holder = !s.accessedBy.isEmpty() && s.accessedBy != QLatin1String("none");
    if (s.access != QLatin1String("full"))
        return Text::tr("held by %1")
            .arg(holder ? ctlPrintable(s.accessedBy) : Text::tr("another front-end"));
    // The controller answers "full" to its holder too, so this PC may be the one holding it.
    return holder ? Text::tr("held by %1 (this PC)").arg(ctlPrintable(s.accessedBy))
                  : Text::tr("free");
}

QString camerasText(const ControllerStatus& s)
{
    QString text = orDash(s.cameraCount);
    if (s.camerasCut)
        text += Text::tr(" (the controller claims more; cut)");
    for (int i = 0; i < s.cameras.size(); ++i) {
        const ControllerStatus::Camera& c = s.cameras.at(i);
        text += QStringLiteral("  c%1 %2/%3")
                    .arg(i + 1, 2, 10, QLatin1Char('0'))
                    .arg(orDash(c.rays), orDash(c.usedRays));
    }
    return text;
}

QString radioText(const ControllerStatus& s)
{
    if (!s.radioKnown)
        return QStringLiteral("-");
    return s.radioAvailable ? Text::tr("channel %1").arg(s.radioChannel)
                            : Text::tr("not available");
}

QString humanText(const ControllerStatus& s)
{
    const QList<QPair<QString, QString>> rows = {
        {Text::tr("Controller"), QStringLiteral("%1 (%2)").arg(orDash(s.hostname), s.address)},
        {Text::tr("Model"), orDash(s.model)},
        {Text::tr("System version"), orDash(s.systemVersion)},
        {Text::tr("Protocol version"), orDash(s.protocolVersion)},
        {Text::tr("Controller version"), orDash(s.controllerVersion)},
        {Text::tr("Access"), accessText(s)},
        {Text::tr("Measurement"), orDash(s.state)},
        {Text::tr("Cameras (rays/used)"), camerasText(s)},
        {Text::tr("Bodies"), orDash(s.bodies)},
        {Text::tr("Markers"), orDash(s.markers)},
        {Text::tr("Sync frequency"),
         s.frequencyKnown ? Text::tr("%1 Hz").arg(StatusReadings::wholeHertz(s.outputFrequency))
                          : QStringLiteral("-")},
        {Text::tr("Frames lost"), orDash(s.framesLost)},
        {Text::tr("Radio"), radioText(s)},
        {Text::tr("Configuration"), orDash(s.configuration)}};
    int width = 0;
    for (const auto& row : rows)
        width = qMax(width, row.first.size());
    QString text;
    for (const auto& row : rows)
        text += row.first.leftJustified(width + 2) + row.second + '\n';
    return text;
}

int printRound(CtlContext& context, const QString& host, bool watching)
{
    ControllerStatus status;
    const int code = ControllerStatusReader::read(host, &status);
    if (status.address.isEmpty()) {
        context.error(Text::tr("cannot resolve the name %1").arg(ctlPrintable(host)));
        return code;
    }
    if (context.json) {
        const QJsonDocument document(status.toJson());
        if (watching)
            context.out << document.toJson(QJsonDocument::Compact) << '\n' << Qt::flush;
        else
            context.printJson(document);
    } else if (code == CtlExit::Success) {
        if (watching)
            context.out << QDateTime::currentDateTime().toString(Qt::ISODate) << '\n';
        context.out << humanText(status) << (watching ? "\n" : "") << Qt::flush;
    }
    if (code == CtlExit::Asleep)
        context.error(
            Text::tr("%1 does not answer and refuses connections: asleep, or its software "
                     "is not running")
                .arg(status.address));
    else if (code == CtlExit::Internal)
        context.error(Text::tr("no UDP socket on this PC"));
    else if (code == CtlExit::NoAnswer)
        context.error(Text::tr("%1 does not answer on port %2")
                          .arg(status.address)
                          .arg(FrontendInfo::kControllerPort));
    return code;
}

}  // namespace

int ctlStatus(CtlContext& context)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(Text::tr(
        "Shows a controller's versions, access holder, measurement state, cameras, bodies,\n"
        "markers, sync frequency, frames lost, radio and configuration. Reads only: it never\n"
        "initialises the controller or takes access.\n"
        "With --watch it repeats every SECONDS until interrupted; with --json as well, each\n"
        "round is one JSON document on one line."));
    parser.addPositionalArgument(QStringLiteral("HOST"), Text::tr("controller name or address"));
    const QCommandLineOption watch(QStringLiteral("watch"), Text::tr("repeat every SECONDS"),
                                   QStringLiteral("SECONDS"));
    parser.addOption(watch);
    const QString synopsis = QStringLiteral("status HOST [--watch SECONDS]");
    const int parsed = ctlParseArguments(context, parser, synopsis, 1, 1);
    if (parsed >= 0)
        return parsed;
    const QString host = parser.positionalArguments().constFirst();
    if (!parser.isSet(watch))
        return printRound(context, host, false);
    bool ok = false;
    const int seconds = parser.value(watch).toInt(&ok);
    if (!ok || seconds < 1 || seconds > kMaxWatchSeconds)
        return ctlUsageError(
            context, synopsis,
            Text::tr("--watch needs whole seconds from 1 to %1").arg(kMaxWatchSeconds));
    // Runs until interrupted: a controller that is away for a round may be back for the next.
    for (;;) {
        printRound(context, host, true);
        QThread::sleep(static_cast<unsigned long>(seconds));
    }
}
