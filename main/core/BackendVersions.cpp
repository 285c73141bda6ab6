#include "BackendVersions.h"

BackendVersions::BackendVersions(const VersionInfo& systemPt, const VersionInfo& protocol,
                                 const VersionInfo& systemCt, const QString& model)
    : sysPt(systemPt), prot(protocol), sysCt(systemCt), mod(model)
{
}
