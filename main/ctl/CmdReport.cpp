// report and export: the configuration report and the system information
// export of the service dialog, written by the same code. Both only read.

#include <QCommandLineParser>
#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonObject>
#include <QTemporaryFile>

#include "CtlContext.h"
#include "CtlController.h"
#include "CtlExit.h"
#include "CtlSubcommands.h"
#include "ExportConfiguration.h"
#include "FrontendInfo.h"
#include "IOManagerUdpTcp.h"
#include "ModuleHost.h"
#include "ModuleVersionText.h"
#include "SystemInformationExport.h"

namespace {

// As the export dialog preselects.
constexpr int kDefaultDays = 3;

// The report of a controller reached through controller, set up as the
// service dialog's: no modules are loaded here, so the version text has none.
class CtlReport
{
public:
    CtlReport(CtlContext& context, CtlController& controller)
        : m_versions(controller.versions()), m_report(controller.channel(), nullptr, &m_versions)
    {
        m_report.setMessageBoxProvider(&controller.boxes());
        QObject::connect(&m_report, &ExportConfiguration::sectionStarted,
                         [&context](int, const QString& heading) {
                             context.progress(CtlText::tr("report: %1").arg(heading));
                         });
    }
    ExportConfiguration& report() { return m_report; }
    static QString versionText()
    {
        return composeModuleVersionText(ModuleHost::frontendVersionLine(), {});
    }

private:
    BackendVersions m_versions;
    ExportConfiguration m_report;
};

// Written whole but cut short is still a report; the user hears why.
int exitForReport(CtlContext& context, int result, const QString& fileName)
{
    if (result == ExportConfiguration::ResultIncomplete) {
        context.error(
            CtlText::tr("the report is incomplete: the controller reported more "
                        "entries than can be listed, or values that cannot be queried"));
        return CtlExit::Success;
    }
    if (result == ExportConfiguration::ResultOk)
        return CtlExit::Success;
    context.error(CtlText::tr("cannot write %1").arg(fileName));
    return CtlExit::FileError;
}

int reportToStdout(CtlContext& context, CtlReport& report)
{
    QTemporaryFile file;
    if (!file.open()) {
        context.error(CtlText::tr("cannot create a temporary file"));
        return CtlExit::FileError;
    }
    file.close();
    report.report().setShownFileName(QStringLiteral("-"));
    const int result = report.report().exportConfigurations(file.fileName(), false, false);
    if (!file.open()) {
        context.error(CtlText::tr("cannot read %1").arg(file.fileName()));
        return CtlExit::FileError;
    }
    const QString text = QString::fromUtf8(file.readAll());
    if (context.json)
        context.printJson(QJsonDocument(QJsonObject{{QStringLiteral("report"), text}}));
    else
        ctlPrintForeign(context, text);
    return exitForReport(context, result, file.fileName());
}

QList<EventLogNameAndFeVersion> logsOfLastDays(const QString& hostName, int days)
{
    QList<EventLogNameAndFeVersion> chosen;
    const QDate first = QDate::currentDate().addDays(-(days - 1));
    const auto logs = SystemInformationExport::eventLogs(FrontendInfo::userFolder(), hostName);
    for (const EventLogNameAndFeVersion& log : logs) {
        const QDate date = QDate::fromString(
            SystemInformationExport::dateStringFromName(QFileInfo(log.eventLogFile).fileName()),
            QStringLiteral("yyyy-MM-dd"));
        if (days > 0 && date >= first)
            chosen << log;
    }
    return chosen;
}

void printExport(CtlContext& context, const QString& fileName,
                 const QList<EventLogNameAndFeVersion>& logs)
{
    if (!context.json) {
        context.out << fileName << '\n';
        for (const EventLogNameAndFeVersion& log : logs)
            context.out << log.eventLogFile << '\n';
        context.out << Qt::flush;
        return;
    }
    QJsonArray files;
    for (const EventLogNameAndFeVersion& log : logs)
        files.append(log.eventLogFile);
    context.printJson(QJsonDocument(
        QJsonObject{{QStringLiteral("file"), fileName}, {QStringLiteral("event_logs"), files}}));
}

}  // namespace

int ctlReport(CtlContext& context)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(CtlText::tr(
        "Writes the configuration report, the text the system information export holds as "
        "its first block, to stdout or FILE; with --json the text, or the file name, in one "
        "object. Reads only: takes no access."));
    ctlAddHostArgument(parser);
    const QCommandLineOption output(QStringLiteral("o"), CtlText::tr("Write to FILE."),
                                    QStringLiteral("FILE"));
    parser.addOption(output);
    ctlAddJsonOption(parser);
    const int parsed =
        ctlParseArguments(context, parser, QStringLiteral("report HOST [-o FILE]"), 1, 1);
    if (parsed >= 0)
        return parsed;
    CtlController controller(context);
    const int code =
        controller.connect(parser.positionalArguments().at(0), CtlController::Mode::ReadOnly);
    if (code != CtlExit::Success)
        return code;
    CtlReport report(context, controller);
    report.report().setVersionFeAndModules(CtlReport::versionText());
    if (!parser.isSet(output))
        return reportToStdout(context, report);
    const QString fileName = parser.value(output);
    const int exit = exitForReport(
        context, report.report().exportConfigurations(fileName, false, true), fileName);
    if (exit == CtlExit::Success && context.json)
        context.printJson(QJsonDocument(QJsonObject{{QStringLiteral("file"), fileName}}));
    return exit;
}

int ctlExport(CtlContext& context)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(CtlText::tr(
        "Writes the system information export to FILE: the configuration report, then the "
        "event logs of this controller from the last N days in the per-user logs folder. "
        "Prints the file and the logs it took. Reads only: takes no access."));
    ctlAddHostArgument(parser);
    const QCommandLineOption output(QStringLiteral("o"), CtlText::tr("Write to FILE."),
                                    QStringLiteral("FILE"));
    const QCommandLineOption days(
        QStringLiteral("days"),
        CtlText::tr("Event logs of the last N days; default %1.").arg(kDefaultDays),
        QStringLiteral("N"));
    parser.addOption(output);
    parser.addOption(days);
    ctlAddJsonOption(parser);
    const int parsed =
        ctlParseArguments(context, parser, QStringLiteral("export HOST -o FILE [--days N]"), 1, 1);
    if (parsed >= 0)
        return parsed;
    bool ok = true;
    const int dayCount = parser.isSet(days) ? parser.value(days).toInt(&ok) : kDefaultDays;
    if (!parser.isSet(output) || parser.value(output).isEmpty() || !ok || dayCount < 0) {
        context.error(CtlText::tr("export: expected -o FILE and a number of days"));
        return CtlExit::Usage;
    }
    CtlController controller(context);
    const int code =
        controller.connect(parser.positionalArguments().at(0), CtlController::Mode::ReadOnly);
    if (code != CtlExit::Success)
        return code;

    char hostName[IOManager::MaxTextLength + 1] = {};
    controller.channel()->configure_next_cmd(false, -1, true);
    controller.channel()->get_par(hostName, "system hostname");
    const auto logs = logsOfLastDays(QString::fromUtf8(hostName), dayCount);

    const QString fileName = parser.value(output);
    CtlReport report(context, controller);
    SystemInformationExport::Progress progress;
    progress.logStarting = [&](int index) {
        context.progress(CtlText::tr("export: %1").arg(logs.at(index).eventLogFile));
    };
    const int result = SystemInformationExport(fileName).write(
        report.report(), CtlReport::versionText(), logs, progress);
    const int exit = exitForReport(context, result, fileName);
    if (exit == CtlExit::Success)
        printExport(context, fileName, logs);
    return exit;
}
