#include "VersionInfo.h"

#include <QRegularExpression>
#include <QStringList>

#include <tuple>

namespace {

// A version part counts up from 0; with its sign a "-1" would read as the
// marker of a missing part.  Anything else that is no count reads as 0.
int countPart(const QString& text, bool* ok = nullptr)
{
    bool converted = false;
    const int n = text.toInt(&converted, 10);
    const bool count = converted && n >= 0;
    if (ok)
        *ok = count;
    return count ? n : 0;
}

}  // namespace

VersionInfo::VersionInfo(int ma, int mi, int pa) : ma(ma), mi(mi), pa(pa) {}

void VersionInfo::setVer(int ma_, int mi_, int pa_)
{
    ma = ma_;
    mi = mi_;
    pa = pa_;
}

VersionInfo VersionInfo::fromString(const QString& text, bool* ok)
{
    QString s = text.toLower();
    if (s.startsWith(QLatin1Char('v')))
        s.remove(0, 1);
    // Suffixes such as "beta", "-rc1" or "b3" are not part of the number.
    static const QRegularExpression suffix(QStringLiteral("[a-z-]"));
    const int cut = s.indexOf(suffix);
    if (cut >= 0)
        s.truncate(cut);
    if (s.isEmpty()) {
        if (ok)
            *ok = false;
        return VersionInfo();
    }

    const QStringList parts = s.split(QLatin1Char('.'));
    bool converted = false;
    const int major = parts.at(0).toInt(&converted);
    if (ok)
        *ok = converted;
    if ((ok && !converted) || parts.size() == 1)
        return VersionInfo(major, -1, -1);

    const int minor = parts.at(1).toInt(&converted);
    if (ok)
        *ok = converted;
    if ((ok && !converted) || parts.size() == 2)
        return VersionInfo(major, minor, -1);

    const int patch = parts.at(2).toInt(&converted);
    if (ok)
        *ok = converted;
    return VersionInfo(major, minor, patch);
}

VersionInfo VersionInfo::fromFirstWord(const QString& text, bool* ok)
{
    return fromString(text.section(QLatin1Char(' '), 0, 0, QString::SectionSkipEmpty), ok);
}

VersionInfo VersionInfo::fromLettersAsBlanks(const QString& text, bool* allThree)
{
    static const QRegularExpression letters(QStringLiteral("[a-z]"));
    const QString blanked = text.toLower().replace(letters, QStringLiteral(" ")).trimmed();
    const QStringList parts =
        blanked.section(QLatin1Char(' '), 0, 0, QString::SectionSkipEmpty).split(QLatin1Char('.'));
    bool ok[3] = {};
    int numbers[3] = {};
    for (int i = 0; i < 3; ++i)
        numbers[i] = countPart(parts.value(i), &ok[i]);
    if (allThree)
        *allThree = parts.size() >= 3 && ok[0] && ok[1] && ok[2];
    return VersionInfo(numbers[0], numbers[1], numbers[2]);
}

VersionInfo VersionInfo::fromDataPathText(const QString& text)
{
    QString s = text.toLower();
    for (int i = 1; i < s.size(); ++i) {
        if (s.at(i) >= QLatin1Char('a') && s.at(i) <= QLatin1Char('z')) {
            s.truncate(i);
            break;
        }
    }
    QString digits;
    digits.reserve(s.size());
    for (const QChar c : s) {
        if (c < QLatin1Char('a') || c > QLatin1Char('z'))
            digits.append(c);
    }
    const int blank = digits.indexOf(QLatin1Char(' '));
    if (blank >= 0)
        digits.truncate(blank);
    const QStringList parts = digits.split(QLatin1Char('.'));
    return VersionInfo(countPart(parts.value(0)), countPart(parts.value(1)),
                       countPart(parts.value(2)));
}

QList<int> VersionInfo::folderNumbers(QString name)
{
    name.remove(QLatin1Char('v'), Qt::CaseInsensitive);
    QList<int> numbers;
    for (const QString& part : name.split(QLatin1Char('.'))) {
        bool ok = false;
        const int n = part.toInt(&ok);
        if (!ok)
            return {};
        numbers << n;
    }
    return numbers;
}

QString VersionInfo::toString() const
{
    if (ma < 0)
        return QString();
    QString s = QString::number(ma);
    if (mi < 0)
        return s;
    s += QLatin1Char('.') + QString::number(mi);
    if (pa >= 0)
        s += QLatin1Char('.') + QString::number(pa);
    return s;
}

static std::tuple<int, int, int> key(const VersionInfo& v)
{
    return std::make_tuple(v.getMajor(), v.getMinor(), v.getPatch());
}

bool operator==(const VersionInfo& a, const VersionInfo& b)
{
    return key(a) == key(b);
}
bool operator!=(const VersionInfo& a, const VersionInfo& b)
{
    return key(a) != key(b);
}
bool operator<(const VersionInfo& a, const VersionInfo& b)
{
    return key(a) < key(b);
}
bool operator<=(const VersionInfo& a, const VersionInfo& b)
{
    return key(a) <= key(b);
}
bool operator>(const VersionInfo& a, const VersionInfo& b)
{
    return key(a) > key(b);
}
bool operator>=(const VersionInfo& a, const VersionInfo& b)
{
    return key(a) >= key(b);
}
