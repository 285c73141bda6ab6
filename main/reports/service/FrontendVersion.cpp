#include "FrontendVersion.h"

#include "FrontendInfo.h"

FrontendVersion FrontendVersion::current()
{
    FrontendVersion v;
    v.ma = FrontendInfo::kVersionMajor;
    v.mi = FrontendInfo::kVersionMinor;
    v.pa = FrontendInfo::kVersionPatch;
    v.suffix = QLatin1String(FrontendInfo::kVersionSuffix);
    v.buildDate = QLatin1String(FrontendInfo::kBuildDate);
    return v;
}

QString FrontendVersion::text() const
{
    const QString pattern =
        suffix.isEmpty() ? QStringLiteral("v%1.%2.%3%4 %5") : QStringLiteral("v%1.%2.%3-%4 %5");
    return pattern.arg(QString::number(ma), QString::number(mi), QString::number(pa), suffix,
                       buildDate);
}
