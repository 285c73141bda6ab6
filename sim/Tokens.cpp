#include "Tokens.h"

namespace orvane::sim {

QVector<Token> tokenize(const QString& text)
{
    QVector<Token> tokens;
    const int n = text.size();
    int i = 0;
    while (i < n) {
        while (i < n && text.at(i).isSpace())
            ++i;
        if (i >= n)
            break;
        Token t;
        t.begin = i;
        const QChar first = text.at(i);
        if (first == QLatin1Char('\'') || first == QLatin1Char('"')) {
            const int close = text.indexOf(first, i + 1);
            i = close < 0 ? n : close + 1;
        } else {
            while (i < n && !text.at(i).isSpace())
                ++i;
        }
        t.end = i;
        t.text = text.mid(t.begin, t.end - t.begin);
        tokens.append(t);
    }
    return tokens;
}

QString normalizeToken(const QString& token)
{
    int letters = 0;
    while (letters < token.size() && token.at(letters).isLetter() &&
           token.at(letters).unicode() < 128)
        ++letters;
    if (letters == 0 || letters == token.size())
        return token;
    for (int i = letters; i < token.size(); ++i) {
        if (!token.at(i).isDigit() || token.at(i).unicode() >= 128)
            return token;
    }
    QString digits = token.mid(letters);
    while (digits.size() > 1 && digits.startsWith(QLatin1Char('0')))
        digits.remove(0, 1);
    while (digits.size() < 2)
        digits.prepend(QLatin1Char('0'));
    return token.left(letters) + digits;
}

QStringList normalizedWords(const QVector<Token>& tokens, int from, int to)
{
    if (to < 0 || to > tokens.size())
        to = tokens.size();
    QStringList words;
    for (int i = from; i < to; ++i)
        words << normalizeToken(tokens.at(i).text);
    return words;
}

QString normalizeKey(const QString& key)
{
    return normalizedWords(tokenize(key)).join(QLatin1Char(' '));
}

QString textFrom(const QString& text, const QVector<Token>& tokens, int from)
{
    if (from >= tokens.size())
        return QString();
    return text.mid(tokens.at(from).begin, tokens.last().end - tokens.at(from).begin);
}

}  // namespace orvane::sim
