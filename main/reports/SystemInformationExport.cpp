#include "SystemInformationExport.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

#include "ExportConfiguration.h"
#include "ReportWriter.h"
#include "VersionInfo.h"

namespace {

void appendLogsOfDir(const QString& dir, const QString& hostName,
                     QList<EventLogNameAndFeVersion>* logs)
{
    const QDir logDir(dir + QStringLiteral("/logs"));
    if (!logDir.exists())
        return;
    // The host name is matched as text: it may hold characters that a name
    // filter would read as wildcards.
    const QString suffix = QLatin1Char('_') + hostName + QStringLiteral(".log");
    QStringList names = logDir.entryList({QStringLiteral("events-*")}, QDir::Files, QDir::Name);
    std::reverse(names.begin(), names.end());
    const QString version = QFileInfo(dir).fileName();
    for (const QString& name : names)
        if (name.endsWith(suffix))
            logs->append({dir + QStringLiteral("/logs/") + name, version});
}

QString marker(const char* kind, const QString& label)
{
    const QString tag = QLatin1Char('<') + QLatin1String(kind) + QLatin1Char('>');
    return SystemInformationExport::justifyToLength(
        tag + QLatin1Char(' ') + label + QLatin1Char(' ') + tag,
        SystemInformationExport::MarkerWidth);
}

}  // namespace

bool SystemInformationExport::startAfresh() const
{
    return !QFile::exists(m_resultFileName) || QFile::remove(m_resultFileName);
}

int SystemInformationExport::writeReport(ExportConfiguration& report,
                                         const QString& versionFeAndModules) const
{
    report.setVersionFeAndModules(versionFeAndModules);
    const QString version = feVersion(versionFeAndModules);
    bool ok = writeLine(marker("BOF", version));
    const int result = report.exportConfigurations(m_resultFileName, false, false);
    ok = writeLine(marker("EOF", version)) && ok;
    ok = writeLine(QString()) && ok;
    return ok ? result : ExportConfiguration::ResultLinesLost;
}

bool SystemInformationExport::appendLog(const QString& path, const QString& version, bool markers,
                                        bool shortMarkers) const
{
    const QString name = QFileInfo(path).fileName();
    const QString label = shortMarkers ? version : name + QStringLiteral(" - ") + version;
    bool ok = true;
    if (markers)
        ok = writeLine(marker("BOF", label));

    QFile source(path);
    if (source.open(QIODevice::ReadOnly | QIODevice::Text)) {
        QFile target(m_resultFileName);
        ok = target.open(QIODevice::WriteOnly | QIODevice::Append) && ok;
        while (ok && !source.atEnd()) {
            QByteArray line = source.readLine();
            if (!line.endsWith('\n'))
                line += '\n';
            ok = target.write(line) == line.size();
        }
        ok = target.flush() && ok;
    }
    if (markers) {
        ok = writeLine(marker("EOF", label)) && ok;
        ok = writeLine(QString()) && ok;
    }
    return ok;
}

int SystemInformationExport::write(ExportConfiguration& report, const QString& versionFeAndModules,
                                   const QList<EventLogNameAndFeVersion>& logs,
                                   const Progress& progress) const
{
    // Whatever the file held before must not end up inside the new export.
    const int result = startAfresh() ? writeReport(report, versionFeAndModules)
                                     : int(ExportConfiguration::ResultLinesLost);
    bool complete =
        result == ExportConfiguration::ResultOk || result == ExportConfiguration::ResultIncomplete;
    if (progress.reportDone)
        progress.reportDone();
    for (int i = 0; complete && i < logs.size(); ++i) {
        if (progress.logStarting)
            progress.logStarting(i);
        complete = appendLog(logs.at(i).eventLogFile, logs.at(i).feVersion, true, false);
        if (progress.logDone)
            progress.logDone(i);
    }
    return complete ? result : int(ExportConfiguration::ResultLinesLost);
}

bool SystemInformationExport::writeLine(const QString& line) const
{
    return ReportWriter::appendLine(m_resultFileName, line);
}

QList<EventLogNameAndFeVersion> SystemInformationExport::eventLogs(const QString& userFolder,
                                                                   const QString& hostName)
{
    QList<EventLogNameAndFeVersion> logs;
    for (const QString& dir : eventLogSubDirs(userFolder))
        appendLogsOfDir(dir, hostName, &logs);
    return logs;
}

QStringList SystemInformationExport::eventLogSubDirs(const QString& userFolder)
{
    QStringList dirs;
    const QFileInfoList entries =
        QDir(userFolder).entryInfoList({QStringLiteral("v3.*")}, QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QFileInfo& info : entries)
        dirs << info.absoluteFilePath();
    std::stable_sort(dirs.begin(), dirs.end(), [](const QString& a, const QString& b) {
        return versionIsGreaterThen(QFileInfo(a).fileName(), QFileInfo(b).fileName());
    });
    return dirs;
}

QString SystemInformationExport::dateStringFromName(const QString& fileName)
{
    const QStringList parts = fileName.split(QLatin1Char('-'));
    if (parts.size() >= 4) {
        bool okYear = false, okMonth = false, okDay = false;
        const int year = parts.at(1).toInt(&okYear);
        const int month = parts.at(2).toInt(&okMonth);
        const int day = parts.at(3).left(2).toInt(&okDay);
        const QDate date(year, month, day);
        if (okYear && okMonth && okDay && year >= 1970 && year <= 2500 && month >= 1 &&
            month <= 12 && day >= 1 && day <= 31 && date.isValid())
            return date.toString(QStringLiteral("yyyy-MM-dd"));
    }
    return QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd"));
}

bool SystemInformationExport::versionIsGreaterThen(const QString& a, const QString& b)
{
    const QList<int> x = VersionInfo::folderNumbers(a);
    const QList<int> y = VersionInfo::folderNumbers(b);
    // A name that is not a version sorts after all that are.
    if (x.isEmpty())
        return false;
    if (y.isEmpty())
        return true;
    return std::lexicographical_compare(y.begin(), y.end(), x.begin(), x.end());
}

QString SystemInformationExport::justifyToLength(const QString& text, int length)
{
    const int difference = length - text.size();
    if (difference <= 2)
        return text;
    return text.rightJustified(text.size() + difference / 2, QLatin1Char('*'))
        .leftJustified(length, QLatin1Char('*'));
}

QString SystemInformationExport::feVersion(const QString& versionText)
{
    return versionText.section(QLatin1Char('|'), 0, 0)
        .section(QLatin1Char(' '), 0, 0, QString::SectionSkipEmpty);
}
