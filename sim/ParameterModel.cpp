#include "ParameterModel.h"

#include "Tokens.h"

#include <algorithm>

namespace orvane::sim {

void ParameterModel::clear()
{
    m_values.clear();
    m_readOnly.clear();
    m_writable.clear();
    m_absent.clear();
    m_longestKey = 1;
}

void ParameterModel::insert(const QString& key, const QString& value)
{
    const QString k = normalizeKey(key);
    if (k.isEmpty())
        return;
    m_values.insert(k, value);
    m_longestKey = std::max(m_longestKey, int(k.count(QLatin1Char(' '))) + 1);
}

bool ParameterModel::remove(const QString& key)
{
    return m_values.remove(normalizeKey(key)) > 0;
}

int ParameterModel::removeMatching(const QString& pattern)
{
    const QRegularExpression re = globToRegex(pattern);
    int removed = 0;
    for (auto it = m_values.begin(); it != m_values.end();) {
        if (re.match(it.key()).hasMatch()) {
            it = m_values.erase(it);
            ++removed;
        } else {
            ++it;
        }
    }
    return removed;
}

void ParameterModel::setValue(const QString& normalizedKey, const QString& value)
{
    m_values[normalizedKey] = value;
}

QStringList ParameterModel::keys() const
{
    QStringList k = m_values.keys();
    k.sort();
    return k;
}

QStringList ParameterModel::keysWithPrefix(const QString& prefix) const
{
    QStringList out;
    for (auto it = m_values.constBegin(); it != m_values.constEnd(); ++it) {
        if (it.key().startsWith(prefix))
            out << it.key();
    }
    return out;
}

int ParameterModel::longestKeyPrefix(const QStringList& words, int maxWords) const
{
    for (int n = std::min({maxWords, int(words.size()), m_longestKey}); n >= 1; --n) {
        if (m_values.contains(words.mid(0, n).join(QLatin1Char(' '))))
            return n;
    }
    return 0;
}

void ParameterModel::addReadOnlyPattern(const QString& pattern)
{
    m_readOnly.append(globToRegex(pattern));
}

void ParameterModel::addWritablePattern(const QString& pattern)
{
    m_writable.append(globToRegex(pattern));
}

void ParameterModel::addAbsentPattern(const QString& pattern)
{
    m_absent.append(globToRegex(pattern));
}

bool ParameterModel::isAbsent(const QString& normalizedKey) const
{
    for (const QRegularExpression& re : m_absent) {
        if (re.match(normalizedKey).hasMatch())
            return true;
    }
    return false;
}

bool ParameterModel::isReadOnly(const QString& normalizedKey) const
{
    for (const QRegularExpression& re : m_writable) {
        if (re.match(normalizedKey).hasMatch())
            return false;
    }
    for (const QRegularExpression& re : m_readOnly) {
        if (re.match(normalizedKey).hasMatch())
            return true;
    }
    return false;
}

static bool isNumber(const QString& s)
{
    bool ok = false;
    s.toDouble(&ok);
    return ok;
}

bool ParameterModel::isAcceptableValue(const QString& current, const QString& proposed)
{
    const QString p = proposed.trimmed();
    if (p.isEmpty())
        return false;
    if (current == QLatin1String("yes") || current == QLatin1String("no"))
        return p == QLatin1String("yes") || p == QLatin1String("no");
    if (isNumber(current))
        return isNumber(p);
    return true;
}

QRegularExpression ParameterModel::globToRegex(const QString& pattern)
{
    QString re = QRegularExpression::escape(normalizeKey(pattern));
    re.replace(QLatin1String("\\*"), QLatin1String(".*"));
    return QRegularExpression(QLatin1Char('^') + re + QLatin1Char('$'));
}

}  // namespace orvane::sim
