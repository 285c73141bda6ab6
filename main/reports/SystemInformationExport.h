#ifndef SYSTEMINFORMATIONEXPORT_H
#define SYSTEMINFORMATIONEXPORT_H

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

class ExportConfiguration;

// One event log found on this PC and the front-end version folder holding it.
struct EventLogNameAndFeVersion
{
    QString eventLogFile;
    QString feVersion;
};

// The system information file itself: the configuration report as its first
// block, then the chosen event logs, each between "<BOF>" and "<EOF>" marker
// lines. The export dialog and the command-line tool write it alike.
class SystemInformationExport
{
public:
    static constexpr int MarkerWidth = 80;

    explicit SystemInformationExport(const QString& resultFileName)
        : m_resultFileName(resultFileName)
    {
    }

    // Whatever the file held before must not end up inside the new export.
    bool startAfresh() const;
    // The report between its markers and an empty line; the report's result
    // (ExportConfiguration::Result), ResultLinesLost when a marker failed.
    int writeReport(ExportConfiguration& report, const QString& versionFeAndModules) const;
    // The log at path, each line ended; with markers labelled by its name and
    // version (shortMarkers: the version alone).
    bool appendLog(const QString& path, const QString& version, bool markers,
                   bool shortMarkers) const;

    // Called as write() goes on; any of them may be left empty.
    struct Progress
    {
        std::function<void()> reportDone;      // after the report, whatever came of it
        std::function<void(int)> logStarting;  // before the log at this index
        std::function<void(int)> logDone;      // after it, written or not
    };
    // The whole file afresh: the report, then the logs, each with markers. A
    // report cut short by the controller's counts still goes out with the
    // logs; a part the file does not take stops the export. The report's
    // result when every part went in, else ResultLinesLost.
    int write(ExportConfiguration& report, const QString& versionFeAndModules,
              const QList<EventLogNameAndFeVersion>& logs, const Progress& progress = {}) const;

    // The event logs of hostName in the per-user folder, newest version
    // folder first, newest log first within it.
    static QList<EventLogNameAndFeVersion> eventLogs(const QString& userFolder,
                                                     const QString& hostName);
    // "yyyy-MM-dd" of a name "events-YYYY-MM-DD...", today when it has none.
    static QString dateStringFromName(const QString& fileName);
    static bool versionIsGreaterThen(const QString& a, const QString& b);
    static QString justifyToLength(const QString& text, int length);
    static QString feVersion(const QString& versionText);

private:
    bool writeLine(const QString& line) const;
    static QStringList eventLogSubDirs(const QString& userFolder);

    QString m_resultFileName;
};

#endif
