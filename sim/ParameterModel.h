#pragma once

#include <QHash>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <QVector>

namespace orvane::sim {

// The installation as the controller sees it: every readable parameter with
// its current value. Keys are normalised word lists ("camera focal_length c01").
class ParameterModel
{
public:
    void clear();
    void insert(const QString& key, const QString& value);
    bool remove(const QString& key);
    int removeMatching(const QString& pattern);

    bool contains(const QString& normalizedKey) const { return m_values.contains(normalizedKey); }
    QString value(const QString& normalizedKey) const { return m_values.value(normalizedKey); }
    void setValue(const QString& normalizedKey, const QString& value);
    int size() const { return m_values.size(); }
    QStringList keys() const;
    QStringList keysWithPrefix(const QString& prefix) const;  // unsorted

    // The longest known key that the words start with; the remaining words
    // are the value. Returns the number of words the key spans, 0 if none.
    int longestKeyPrefix(const QStringList& words, int maxWords) const;

    void addReadOnlyPattern(const QString& pattern);
    void addWritablePattern(const QString& pattern);
    bool isReadOnly(const QString& normalizedKey) const;

    // Parameters the profile removed. Live ones (status, access, password)
    // are computed rather than stored, so they consult this to stay unknown
    // on software that predates them.
    void addAbsentPattern(const QString& pattern);
    bool isAbsent(const QString& normalizedKey) const;

    // Whether a write may replace `current` by `proposed`: yes/no stays yes/no,
    // a number stays a number.
    static bool isAcceptableValue(const QString& current, const QString& proposed);

    // Glob over whole keys: "*" matches any run of characters.
    static QRegularExpression globToRegex(const QString& pattern);

private:
    QHash<QString, QString> m_values;
    QVector<QRegularExpression> m_readOnly;
    QVector<QRegularExpression> m_writable;
    QVector<QRegularExpression> m_absent;
    int m_longestKey = 1;
};

}  // namespace orvane::sim
