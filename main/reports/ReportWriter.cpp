#include "ReportWriter.h"

#include <QFile>

#include <cstdarg>
#include <cstdio>

#include "BackendVersions.h"
#include "IOManager.h"

namespace {

// Parameter texts above this never reach the controller: the channel would
// refuse them anyway, and a truncated one would ask for something else.
constexpr int MaxParameterLength = IOManager::MaxTextLength - 1;
constexpr int ParameterTooLong = -1;

bool formatParameter(char* buf, size_t size, const char* format, va_list args)
{
    buf[0] = '\0';
    if (!format)
        return false;
    const int n = std::vsnprintf(buf, size, format, args);
    return n >= 0 && n <= MaxParameterLength;
}

}  // namespace

QString ReportText::orError() const
{
    return ok() ? value : QStringLiteral("Error ") + QString::number(rc);
}

QString ReportText::unquoted() const
{
    return ReportWriter::removeQuotes(value);
}

QString ReportText::display() const
{
    return value.startsWith(QLatin1Char('"')) ? unquoted() : value;
}

ReportWriter::ReportWriter(IOManager* iom, const BackendVersions* versions)
    : m_iom(iom), m_versions(versions)
{
}

void ReportWriter::resetCounters()
{
    m_failedLines = 0;
    m_writtenLines = 0;
    m_incompleteItems = 0;
    m_unansweredQueries = 0;
    m_queries = 0;
}

QString ReportWriter::unansweredQueriesText(int count)
{
    return QStringLiteral(
               "Incomplete: the controller did not answer %1 queries; their lines "
               "show \"Error <code>\".")
        .arg(count);
}

// An error answer is the controller's word (older ones refuse what they do not
// know); no answer, a cut one or a lost connection is a hole in the report.
bool ReportWriter::isUnanswered(int rc)
{
    switch (rc) {
        case IOManager::ResultMisuse:
        case IOManager::ResultTransport:
        case IOManager::ResultAnswerTooLong:
        case IOManager::ResultReceiveFailed:
        case IOManager::ResultReceiveOverflow:
        case IOManager::ResultPeerClosed:
        case IOManager::ResultNoAnswer:
        case IOManager::ResultConnectionFailed:
            return true;
        default:
            return false;
    }
}

int ReportWriter::listed(const ReportValue<int>& count, int limit)
{
    return count.ok() ? listed(count.value, limit) : 0;
}

int ReportWriter::listed(int count, int limit)
{
    if (count <= limit)
        return count < 0 ? 0 : count;
    line(countCutText(count, limit));
    ++m_incompleteItems;
    return limit;
}

QString ReportWriter::countCutText(int count, int limit)
{
    return QStringLiteral("Count cut: the controller reports %1, only the first %2 are listed.")
        .arg(count)
        .arg(limit);
}

namespace {

// Unbuffered, so that a line that did not fit is not retried on close.
constexpr QIODevice::OpenMode AppendMode =
    QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text | QIODevice::Unbuffered;

bool writeWhole(QFile& file, const QString& text)
{
    const qint64 before = file.isSequential() ? -1 : file.size();
    const QByteArray bytes = (ReportWriter::singleLine(text) + QLatin1Char('\n')).toUtf8();
    if (file.write(bytes) != bytes.size()) {
        // A partial line would shift everything after it; take it back.
        if (before >= 0)
            file.resize(before);
        return false;
    }
    return true;
}

}  // namespace

ReportWriter::~ReportWriter() = default;

bool ReportWriter::appendLine(const QString& fileName, const QString& text)
{
    QFile file(fileName);
    return file.open(AppendMode) && writeWhole(file, text);
}

bool ReportWriter::openFile()
{
    closeFile();
    auto file = std::make_unique<QFile>(m_fileName);
    if (!file->open(AppendMode))
        return false;
    m_file = std::move(file);
    return true;
}

void ReportWriter::closeFile()
{
    m_file.reset();
}

void ReportWriter::line(const QString& text)
{
    if (m_file ? writeWhole(*m_file, text) : appendLine(m_fileName, text))
        ++m_writtenLines;
    else
        ++m_failedLines;
}

void ReportWriter::emptyLine()
{
    line(QString());
}

void ReportWriter::heading(const QString& name)
{
    line(QLatin1Char('[') + name + QLatin1Char(']'));
}

void ReportWriter::labelled(const QString& label, int width, const QString& value)
{
    line(padLabel(label, width) + QStringLiteral(": ") + value);
}

void ReportWriter::labelled(const QString& label, int width, const ReportText& answer)
{
    labelled(label, width, answer.orError());
}

bool ReportWriter::protocolAtLeast(ProtocolFeature feature) const
{
    return m_versions && m_versions->protocol().supports(feature);
}

bool ReportWriter::requireProtocol(ProtocolFeature feature)
{
    if (protocolAtLeast(feature))
        return true;
    line(tooOldText());
    emptyLine();
    return false;
}

int ReportWriter::vquery(QueryKind kind, void* storage, int count, const char* format, va_list args)
{
    char par[IOManager::MaxTextLength + 1];
    if (!formatParameter(par, sizeof par, format, args) || !m_iom)
        return ParameterTooLong;
    ++m_queries;
    const int rc = runQuery(kind, storage, count, par);
    // A value reused as a query key that holds a line break is refused by
    // the channel; the report cannot show what that query would have read.
    if (rc == IOManager::CommandNotOneLine)
        ++m_incompleteItems;
    else if (isUnanswered(rc))
        ++m_unansweredQueries;
    if (m_afterQuery)
        m_afterQuery();
    return rc;
}

int ReportWriter::runQuery(QueryKind kind, void* storage, int count, const char* par)
{
    m_iom->configure_next_cmd(false, kind == QueryKind::Command ? count : -1, true);
    switch (kind) {
        case QueryKind::Text:
            return m_iom->get_par(static_cast<char*>(storage), "%s", par);
        case QueryKind::Int:
            return m_iom->get_par_i(static_cast<int*>(storage), "%s", par);
        case QueryKind::Double:
            return m_iom->get_par_d(static_cast<double*>(storage), "%s", par);
        case QueryKind::YesNo:
            return m_iom->get_par_yn(static_cast<bool*>(storage), "%s", par);
        case QueryKind::Doubles:
            return m_iom->get_par_dd(static_cast<double*>(storage), count, "%s", par);
        case QueryKind::Command:
            return m_iom->execute_cmd(static_cast<char*>(storage), "%s", par);
    }
    return ParameterTooLong;
}

#define REPORT_VQUERY(rc, kind, storage, count)          \
    do {                                                 \
        va_list args;                                    \
        va_start(args, format);                          \
        rc = vquery(kind, storage, count, format, args); \
        va_end(args);                                    \
    } while (0)

ReportText ReportWriter::text(const char* format, ...)
{
    ReportText answer;
    char value[IOManager::MaxTextLength + 1] = {};
    REPORT_VQUERY(answer.rc, QueryKind::Text, value, 1);
    if (answer.ok())
        answer.value = QString::fromUtf8(value);
    return answer;
}

ReportValue<int> ReportWriter::integer(const char* format, ...)
{
    ReportValue<int> answer;
    int value = 0;
    REPORT_VQUERY(answer.rc, QueryKind::Int, &value, 1);
    answer.value = answer.ok() ? value : 0;
    return answer;
}

ReportValue<double> ReportWriter::number(const char* format, ...)
{
    ReportValue<double> answer;
    double value = 0.0;
    REPORT_VQUERY(answer.rc, QueryKind::Double, &value, 1);
    answer.value = answer.ok() ? value : 0.0;
    return answer;
}

ReportValue<bool> ReportWriter::yesNo(const char* format, ...)
{
    ReportValue<bool> answer;
    bool value = false;
    REPORT_VQUERY(answer.rc, QueryKind::YesNo, &value, 1);
    answer.value = answer.ok() && value;
    return answer;
}

int ReportWriter::numbers(double* values, int count, const char* format, ...)
{
    if (!values || count < 1)
        return ParameterTooLong;
    int rc = 0;
    REPORT_VQUERY(rc, QueryKind::Doubles, values, count);
    return rc;
}

ReportText ReportWriter::command(int timeoutMs, const char* format, ...)
{
    ReportText answer;
    char result[IOManager::MaxTextLength + 1] = {};
    REPORT_VQUERY(answer.rc, QueryKind::Command, result, timeoutMs);
    if (answer.ok())
        answer.value = QString::fromUtf8(result);
    return answer;
}

#undef REPORT_VQUERY

QString ReportWriter::field(const QString& text, int width)
{
    return QStringLiteral("%1").arg(text, width);
}

QString ReportWriter::field(int value, int width)
{
    return QStringLiteral("%1").arg(value, width);
}

QString ReportWriter::fixed(double value, int width, int decimals)
{
    return QStringLiteral("%1").arg(value, width, 'f', decimals);
}

QString ReportWriter::twoDigits(int n)
{
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

QString ReportWriter::removeQuotes(const QString& text)
{
    QString out = text;
    out.remove(QLatin1Char('"'));
    return out;
}

QStringList ReportWriter::words(const QString& text)
{
    return text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

QString ReportWriter::wordAt(const QStringList& words, int index)
{
    return words.value(index);
}

QString ReportWriter::singleLine(const QString& text)
{
    if (!text.contains(QLatin1Char('\n')) && !text.contains(QLatin1Char('\r')))
        return text;
    QString out = text;
    out.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    out.replace(QLatin1Char('\r'), QLatin1Char(' '));
    out.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return out;
}
