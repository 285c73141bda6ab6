#ifndef ORVANE_MODULEVERSIONTEXT_H
#define ORVANE_MODULEVERSIONTEXT_H

#include <QList>
#include <QString>

// One loaded front-end module as the configuration report lists it.
struct ModuleVersionRecord
{
    QString name;
    QString version;
};

// The text that carries the front-end's version and its loaded modules from
// the module host to the configuration report:
// "version|name;version|name;version", or "version|" without modules.
// "|" and ";" structure the text, so a module cannot bring them in.
QString composeModuleVersionText(const QString& frontendVersion,
                                 const QList<ModuleVersionRecord>& modules);

#endif
