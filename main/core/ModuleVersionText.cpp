#include "ModuleVersionText.h"

#include <QStringList>

QString composeModuleVersionText(const QString& frontendVersion,
                                 const QList<ModuleVersionRecord>& modules)
{
    auto clean = [](QString s) {
        s.replace(QLatin1Char('|'), QLatin1Char('/'));
        return s;
    };
    QStringList records;
    for (const ModuleVersionRecord& m : modules) {
        QString name = clean(m.name);
        name.replace(QLatin1Char(';'), QLatin1Char(','));
        records << name + QLatin1Char(';') + clean(m.version);
    }
    return clean(frontendVersion) + QLatin1Char('|') + records.join(QLatin1Char('|'));
}
