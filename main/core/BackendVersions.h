#ifndef BACKENDVERSIONS_H
#define BACKENDVERSIONS_H

#include <QString>

#include "VersionInfo.h"

// The connected controller's versions and model, filled once after connecting.
class BackendVersions
{
public:
    BackendVersions() = default;
    BackendVersions(const VersionInfo& systemPt, const VersionInfo& protocol,
                    const VersionInfo& systemCt, const QString& model);

    const VersionInfo& systemPt() const { return sysPt; }  // system version
    const VersionInfo& protocol() const { return prot; }   // protocol version
    const VersionInfo& systemCt() const { return sysCt; }  // controller version
    const QString& zecModel() const { return mod; }        // model name

    void setSystemPt(const VersionInfo& v) { sysPt = v; }
    void setProtocol(const VersionInfo& v) { prot = v; }
    void setSystemCt(const VersionInfo& v) { sysCt = v; }
    void setZecModel(const QString& m) { mod = m; }

private:
    VersionInfo sysPt;
    VersionInfo prot;
    VersionInfo sysCt;
    QString mod;
};

#endif
