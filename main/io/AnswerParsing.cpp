#include "AnswerParsing_p.h"

#include <QCoreApplication>
#include <QStringList>

#include <charconv>
#include <cstring>

namespace iomanager_detail {

int tokenize(const char* text, Token* tokens, int maxTokens)
{
    if (!text || !tokens || maxTokens <= 0)
        return 0;
    const int n = static_cast<int>(std::strlen(text));
    int count = 0;
    int pos = 0;
    while (pos < n && count < maxTokens) {
        const char c = text[pos];
        if (c == '\'' || c == '"') {
            const void* close = std::memchr(text + pos + 1, c, static_cast<size_t>(n - pos - 1));
            const int end =
                close ? static_cast<int>(static_cast<const char*>(close) - text) + 1 : n;
            tokens[count++] = {pos, end - pos};
            pos = end;
            // A blank that ends the text is trailing, not the start of an empty token.
            if (pos == n - 1 && text[pos] == ' ')
                break;
            continue;
        }
        const void* blank = std::memchr(text + pos, ' ', static_cast<size_t>(n - pos));
        const int end = blank ? static_cast<int>(static_cast<const char*>(blank) - text) : n;
        tokens[count++] = {pos, end - pos};
        if (!blank)
            break;
        pos = end + 1;
    }
    return count;
}

static bool isLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
static bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// A quoted token ('name') matches a plain one that starts with its inner text.
static bool quotedMatches(const char* quoted, int qlen, const char* plain, int plen)
{
    if (qlen < 2 || quoted[qlen - 1] != '\'')
        return false;
    const int inner = qlen - 2;
    return plen >= inner && std::memcmp(quoted + 1, plain, static_cast<size_t>(inner)) == 0;
}

// Letters followed by a decimal number, compared with leading zeros ignored
// (c01 == c1 == c001), nothing allowed after the digits.
static bool numberedMatches(const char* a, int alen, const char* p, int plen)
{
    int la = 0;
    while (la < alen && isLetter(a[la]))
        ++la;
    int lp = 0;
    while (lp < plen && isLetter(p[lp]))
        ++lp;
    if (la != lp || std::memcmp(a, p, static_cast<size_t>(la)) != 0)
        return false;
    if (la == alen || lp == plen)
        return false;
    for (int i = la; i < alen; ++i)
        if (!isDigit(a[i]))
            return false;
    for (int i = lp; i < plen; ++i)
        if (!isDigit(p[i]))
            return false;
    while (la < alen && a[la] == '0')
        ++la;
    while (lp < plen && p[lp] == '0')
        ++lp;
    return alen - la == plen - lp &&
           std::memcmp(a + la, p + lp, static_cast<size_t>(alen - la)) == 0;
}

static bool tokenMatches(const char* a, int alen, const char* p, int plen)
{
    if (alen == plen && std::memcmp(a, p, static_cast<size_t>(alen)) == 0)
        return true;
    if (alen > 0 && a[0] == '\'')
        return quotedMatches(a, alen, p, plen);
    if (plen > 0 && p[0] == '\'')
        return quotedMatches(p, plen, a, alen);
    if (alen == 0 || plen == 0)
        return false;
    return numberedMatches(a, alen, p, plen);
}

int check_prefix(const char* answer, const char* prefix)
{
    if (!answer || !prefix)
        return -1;
    Token ta[MaxTokens];
    Token tp[MaxTokens];
    const int na = tokenize(answer, ta, MaxTokens);
    const int np = tokenize(prefix, tp, MaxTokens);
    if (np > na)
        return -1;
    for (int i = 0; i < np; ++i) {
        if (!tokenMatches(answer + ta[i].start, ta[i].length, prefix + tp[i].start, tp[i].length))
            return -1;
    }
    return na > np ? ta[np].start : static_cast<int>(std::strlen(answer));
}

static bool isSeparator(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

template <typename T, typename Convert>
static int parseValues(const char* str, T* res, int length, Convert convert)
{
    if (!str || !res || length < 1)
        return -31;
    int parts = 0;
    const char* p = str;
    while (*p) {
        while (*p && isSeparator(*p))
            ++p;
        if (!*p)
            break;
        const char* start = p;
        while (*p && !isSeparator(*p))
            ++p;
        if (parts < length && !convert(start, p, &res[parts]))
            return -34;
        ++parts;
    }
    return parts == length ? 0 : -33;
}

// std::from_chars is locale-independent and rejects a leading '+', which
// controllers may still write.
static const char* skipPlus(const char* begin, const char* end)
{
    return (end - begin > 1 && *begin == '+' && begin[1] != '-') ? begin + 1 : begin;
}

template <typename T>
static bool convertNumber(const char* begin, const char* end, T* out)
{
    T value{};
    const char* first = skipPlus(begin, end);
    const auto r = std::from_chars(first, end, value);
    if (r.ec != std::errc() || r.ptr != end) {
        *out = T{};
        return false;
    }
    *out = value;
    return true;
}

int parse_int_values(const char* str, int* res, int length)
{
    return parseValues(str, res, length, convertNumber<int>);
}

int parse_double_values(const char* str, double* res, int length)
{
    return parseValues(str, res, length, convertNumber<double>);
}

int parse_yn_values(const char* str, bool* res, int length)
{
    return parseValues(str, res, length, [](const char* begin, const char* end, bool* out) {
        const size_t n = static_cast<size_t>(end - begin);
        if (n == 3 && std::memcmp(begin, "yes", 3) == 0) {
            *out = true;
            return true;
        }
        if (n == 2 && std::memcmp(begin, "no", 2) == 0) {
            *out = false;
            return true;
        }
        return false;
    });
}

static QString unquoted(QString s)
{
    s.remove(QLatin1Char('"'));
    s.remove(QLatin1Char('\''));
    return s;
}

ErrorBox error_box_for_answer(const char* cmd, const char* answer)
{
    const QString answerText = QString::fromLatin1(answer ? answer : "");
    ErrorBox generic{QCoreApplication::translate("IOManager", "Command Error"),
                     QString::fromLatin1(cmd ? cmd : "") + QLatin1Char('\n') + answerText};

    const QStringList parts = answerText.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (parts.size() < 4)
        return generic;
    bool ok = false;
    if (parts.at(2).toInt(&ok) != -99 || !ok)
        return generic;
    if (unquoted(parts.at(3)).toInt(&ok) != 1 || !ok || parts.size() < 5)
        return generic;

    const QString count = unquoted(parts.at(4));
    const QString title = QCoreApplication::translate("IOManager", "Command Failed");
    if (count == QLatin1String("0"))
        return {title, QCoreApplication::translate(
                           "IOManager",
                           "Measurement start failed:\nReference target cannot be tracked\n(see "
                           "'Event Display' for details)")};
    if (count == QLatin1String("1"))
        return {title, QCoreApplication::translate(
                           "IOManager",
                           "Measurement start failed:\nThere are 2 bodies that are equal or too "
                           "similar to be tracked\n(see 'Event Display' for details)")};
    return {title, QCoreApplication::translate(
                       "IOManager",
                       "Measurement start failed:\nThere are %1 bodies that are equal or too "
                       "similar to be tracked\n (see 'Event Display' for details)")
                       .arg(count)};
}

}  // namespace iomanager_detail
