#include "ControllerVersions.h"

#include "BackendVersions.h"
#include "IOManager.h"

namespace {

QString readText(IOManager* iom, const char* parameter, const QString& fallback)
{
    char value[IOManager::MaxTextLength + 1] = {};
    if (iom->get_par(value, "%s", parameter) != 0)
        return fallback;
    return QString::fromUtf8(value);
}

VersionInfo versionOf(const QString& answer)
{
    return VersionInfo::fromFirstWord(answer);
}

}  // namespace

namespace ControllerVersions {

void read(IOManager* iom, BackendVersions* bv, QString* modelCode)
{
    const VersionInfo unknown(-1, -1, -1);
    *bv = BackendVersions(unknown, unknown, unknown, QString());
    bv->setSystemPt(versionOf(readText(iom, "system version", "v0.0.0")));
    if (bv->systemPt() < VersionInfo(kProtocolVersionQuerySince.major,
                                     kProtocolVersionQuerySince.minor,
                                     kProtocolVersionQuerySince.patch))
        return;
    bv->setProtocol(versionOf(readText(iom, "system protocol_version", "v0.0")));
    if (!bv->protocol().supports(ProtocolFeature::ControllerVersion))
        return;
    bv->setSystemCt(versionOf(readText(iom, "system controller_version", "v0.0")));
    if (!bv->protocol().supports(ProtocolFeature::ControllerModel))
        return;
    const QString code = readText(iom, "system model", "0");
    *modelCode = code;
    bv->setZecModel(modelName(code));
}

QString modelName(const QString& code)
{
    if (code == "0")
        return "ZEC";
    if (code == "2")
        return "ZEC_M";
    if (code == "20")
        return "KESTRELBOX";
    if (code == "21")
        return "KESTRELBOX3";
    return code;
}

}  // namespace ControllerVersions
