#include "VersionInfo.h"

#include <QRegularExpression>
#include <QStringList>

#include <tuple>

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
