#ifndef REPORTWRITER_H
#define REPORTWRITER_H

#include <QString>
#include <QStringList>

#include <cstdarg>
#include <functional>
#include <memory>

#include "ProtocolFeature.h"

class BackendVersions;
class QFile;
class IOManager;

#if defined(__GNUC__)
#define REPORT_PRINTF(fmt, first) __attribute__((format(printf, fmt, first)))
#else
#define REPORT_PRINTF(fmt, first)
#endif

// One answer of a report query: the channel's result code and the value.
// Text values keep exactly what the controller sent; the line writer cleans
// line breaks on output.
template <typename T>
struct ReportValue
{
    int rc = -31;
    T value{};

    bool ok() const { return rc == 0; }
    T orElse(const T& fallback) const { return ok() ? value : fallback; }
};

struct ReportText : ReportValue<QString>
{
    // The value, or "Error " and the result code.
    QString orError() const;
    // The value with every double-quote character removed.
    QString unquoted() const;
    // Quotes removed from a value the controller sent as a quoted text;
    // anything else unchanged.
    QString display() const;
    // display(), or "Error " and the result code.
    QString displayOrError() const { return ok() ? display() : orError(); }
    QString unquotedOr(const QString& fallback) const { return ok() ? unquoted() : fallback; }
    QString displayOr(const QString& fallback) const { return ok() ? display() : fallback; }
};

// The output and query side shared by every report section: whole lines
// appended to the report file, labels padded to a width, "Error <code>" in
// place of a value whose query failed, and the protocol gates.
//
// Interface is shared by all section files; extend it, do not change it.
class ReportWriter
{
public:
    ReportWriter(IOManager* iom, const BackendVersions* versions);
    ~ReportWriter();
    ReportWriter(const ReportWriter&) = delete;
    ReportWriter& operator=(const ReportWriter&) = delete;

    // --- output ----------------------------------------------------------
    void setFileName(const QString& fileName)
    {
        closeFile();
        m_fileName = fileName;
    }
    QString fileName() const { return m_fileName; }

    // Appends text and a line end.  Line breaks inside text become blanks so
    // that one call is always one line of the report; a line that cannot be
    // written whole leaves the file as it was and counts as failed.
    void line(const QString& text);
    // The same for any file; false when the line could not be written whole.
    static bool appendLine(const QString& fileName, const QString& text);
    // Keeps the report file open between lines (each line is still appended
    // whole and at once); without it every line opens the file anew.
    bool openFile();
    void closeFile();
    void emptyLine();
    // "[name]" on a line of its own.
    void heading(const QString& name);
    // label left-justified to width, ": ", value.
    void labelled(const QString& label, int width, const QString& value);
    // As labelled, with "Error <code>" when the query failed.
    void labelled(const QString& label, int width, const ReportText& answer);

    int failedLines() const { return m_failedLines; }
    int writtenLines() const { return m_writtenLines; }
    // Counts cut and queries the channel refused: the report is written
    // whole but does not show everything the controller holds.
    int incompleteItems() const { return m_incompleteItems; }
    // Queries the controller did not answer (in time, whole, or at all);
    // their lines show "Error <code>" in place of the value.
    int unansweredQueries() const { return m_unansweredQueries; }
    static QString unansweredQueriesText(int count);
    static bool isUnanswered(int rc);
    void resetCounters();

    // --- counts the controller reports -----------------------------------
    // Ids of listed entries have two digits.
    static constexpr int MaxListedEntries = 99;
    // How many entries of a reported count to list: 0 for a failed or
    // negative count, at most limit.  A larger count is cut with one line
    // (countCutText) and makes the report incomplete.
    int listed(const ReportValue<int>& count, int limit = MaxListedEntries);
    int listed(int count, int limit = MaxListedEntries);
    static QString countCutText(int count, int limit);

    // --- protocol gates --------------------------------------------------
    // True when the controller's protocol version has the feature.
    bool protocolAtLeast(ProtocolFeature feature) const;
    // As protocolAtLeast; otherwise writes "Version of Controller is too old."
    // and an empty line in place of a section body.
    bool requireProtocol(ProtocolFeature feature);
    static QString tooOldText() { return QStringLiteral("Version of Controller is too old."); }

    // --- queries (printf-style parameter text, bounded) ------------------
    // Every query runs without error boxes: a failure becomes a report line.
    ReportText text(const char* format, ...) REPORT_PRINTF(2, 3);
    ReportValue<int> integer(const char* format, ...) REPORT_PRINTF(2, 3);
    ReportValue<double> number(const char* format, ...) REPORT_PRINTF(2, 3);
    ReportValue<bool> yesNo(const char* format, ...) REPORT_PRINTF(2, 3);
    // Several numbers in one answer (count values).
    int numbers(double* values, int count, const char* format, ...) REPORT_PRINTF(4, 5);
    // A raw command ("orvane2 ..."): the whole answer line.  timeoutMs < 0
    // keeps the channel's time-out.
    ReportText command(int timeoutMs, const char* format, ...) REPORT_PRINTF(3, 4);

    // Called after every query, so that a long report can keep its window alive.
    void setAfterQuery(std::function<void()> hook) { m_afterQuery = std::move(hook); }

    // Queries sent since the last resetCounters().
    int queryCount() const { return m_queries; }
    IOManager* channel() const { return m_iom; }
    const BackendVersions* versions() const { return m_versions; }

    // --- formatting --------------------------------------------------------
    // Positive width right-aligns, negative left-aligns; never truncates.
    static QString field(const QString& text, int width);
    static QString field(int value, int width);
    // Fixed-point number with decimals, aligned as field().
    static QString fixed(double value, int width, int decimals);
    static QString padLabel(const QString& label, int width) { return label.leftJustified(width); }
    static QString twoDigits(int n);
    static QString removeQuotes(const QString& text);
    // The blank-separated words of a controller answer, and one of them
    // (empty when there are fewer).
    static QStringList words(const QString& text);
    static QString wordAt(const QStringList& words, int index);
    // Line breaks of a controller text turned into blanks.
    static QString singleLine(const QString& text);

private:
    enum class QueryKind
    {
        Text,
        Int,
        Double,
        YesNo,
        Doubles,
        Command
    };
    // Formats the parameter, counts the query and runs it without error box;
    // for Command, count is the time-out in ms.
    int vquery(QueryKind kind, void* storage, int count, const char* format, va_list args);
    int runQuery(QueryKind kind, void* storage, int count, const char* par);

    IOManager* m_iom = nullptr;
    const BackendVersions* m_versions = nullptr;
    QString m_fileName;
    std::unique_ptr<QFile> m_file;
    int m_failedLines = 0;
    int m_unansweredQueries = 0;
    int m_writtenLines = 0;
    int m_incompleteItems = 0;
    int m_queries = 0;
    std::function<void()> m_afterQuery;
};

#endif
