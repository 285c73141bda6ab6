#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

namespace orvane::sim {

// One word of a command with its place in the original text, so a value can
// be taken verbatim (blanks inside quotes included) from the text after a key.
struct Token
{
    QString text;
    int begin = 0;
    int end = 0;
};

// Splits at blanks; a token that starts with a single or double quotation mark
// runs to the matching closing mark, blanks included. Runs of blanks count as
// one separator: we are lenient with what we accept.
QVector<Token> tokenize(const QString& text);

// "c1", "c001" and "c01" all name camera 1; the canonical form has at least
// two digits ("c01", "b12", "ch03", "c100"). Tokens that are not a run of
// letters followed by digits stay as they are.
QString normalizeToken(const QString& token);

QStringList normalizedWords(const QVector<Token>& tokens, int from = 0, int to = -1);
QString normalizeKey(const QString& key);

// The text from the start of token `from` to the end of the last token.
QString textFrom(const QString& text, const QVector<Token>& tokens, int from);

}  // namespace orvane::sim
