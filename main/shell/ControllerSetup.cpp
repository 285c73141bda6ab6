#include "ControllerSetup.h"

#include "BackendVersions.h"
#include "ControllerVersions.h"
#include "FrontendInfo.h"
#include "IOManager.h"
#include "MessageBoxes.h"
#include "ShellMessages.h"

#include <QMessageBox>
#include <QStringList>

namespace {

constexpr const char* kMonitorChannel = "chmon";

QString firstWord(const QString& text)
{
    return text.section(' ', 0, 0, QString::SectionSkipEmpty);
}

}  // namespace

int ControllerSetup::initController()
{
    char answer[IOManager::MaxTextLength + 1] = {};
    m_iom->configure_next_cmd(false, 10000, false);
    return m_iom->execute_cmd(answer, "orvane2 init");
}

void ControllerSetup::setupMonitorOutput(unsigned short displayPort)
{
    // Without a data socket there is no port to send the monitoring output to.
    if (displayPort == 0)
        return;
    char answer[IOManager::MaxTextLength + 1] = {};
    m_iom->set_par("output net %s udp my_ip %hu", kMonitorChannel, displayPort);
    m_iom->execute_cmd(answer, "orvane2 get output net %s", kMonitorChannel);
    m_iom->set_par("output active %s ts yes", kMonitorChannel);
    m_iom->set_par("output active %s 3d yes", kMonitorChannel);
    m_iom->set_par("output active %s 6d yes", kMonitorChannel);
    m_iom->set_par("output active %s 2dmon yes", kMonitorChannel);
}

void ControllerSetup::fillBackendVersions(BackendVersions* bv, QString* modelCode)
{
    ControllerVersions::read(m_iom, bv, modelCode);
}

QString ControllerSetup::modelName(const QString& code)
{
    return ControllerVersions::modelName(code);
}

QString ControllerSetup::readMacAddress(const BackendVersions& bv)
{
    if (!bv.protocol().supports(ProtocolFeature::MacAddress))
        return QString();
    char mac[IOManager::MaxTextLength + 1] = {};
    if (m_iom->get_par(mac, "system ethernet_mac") == 0)
        return QString::fromUtf8(mac);
    ShellMessages::sendStandard(m_iom, tr("Error: Unable to get MAC address of controller"));
    return QString();
}

QString ControllerSetup::windowTitle(const BackendVersions& bv)
{
    char name[IOManager::MaxTextLength + 1] = {};
    if (bv.protocol().supports(ProtocolFeature::FullName) &&
        m_iom->get_par(name, "system full_name") == 0)
        return QString::fromUtf8(name).remove('"');
    return tr("ORVANE3 basic");
}

QString ControllerSetup::olderFrontendNotice(const QString& versionAnswer)
{
    bool allThree = false;
    const VersionInfo controller = VersionInfo::fromLettersAsBlanks(versionAnswer, &allThree);
    using namespace FrontendInfo;
    if (!allThree || controller <= VersionInfo(kVersionMajor, kVersionMinor, kVersionPatch))
        return QString();
    return tr("The version of ORVANE3 (v%1.%2.%3%4) is older than the Controller version (%5)!")
        .arg(QString::number(kVersionMajor), QString::number(kVersionMinor),
             QString::number(kVersionPatch), QString(), firstWord(versionAnswer));
}

void ControllerSetup::checkForOldFrontend(const BackendVersions& bv, QWidget* parent)
{
    if (!bv.protocol().supports(ProtocolFeature::VersionNotice))
        return;
    char answer[IOManager::MaxTextLength + 1] = {};
    if (m_iom->get_par(answer, "system version") != 0)
        return;
    const QString notice = olderFrontendNotice(QString::fromUtf8(answer));
    if (notice.isEmpty())
        return;
    const QString update = tr("Please update ORVANE3.");
    ShellMessages::sendStandard(m_iom, notice + ' ' + update);
    MessageBoxes::warning(parent, tr("ORVANE3"), notice + '\n' + update);
}

bool ControllerSetup::readCascade(const BackendVersions& bv, bool current)
{
    if (!bv.protocol().supports(ProtocolFeature::Cascade))
        return current;
    // A controller that does not answer (a lost connection) leaves the stored
    // flag as it was rather than clearing it in the preferences.
    bool available = false;
    int slaves = 0;
    if (m_iom->get_par_yn(&available, "cascade available") != 0)
        return current;
    if (!available)
        return false;
    if (m_iom->get_par_i(&slaves, "cascade number_of_connected_slaves") != 0)
        return current;
    return slaves > 0;
}

void ControllerSetup::readHostAndAddress(QString* hostname, QString* ip)
{
    char value[IOManager::MaxTextLength + 1] = {};
    if (m_iom->get_par(value, "system hostname") == 0)
        *hostname = QString::fromUtf8(value);
    if (m_iom->get_par(value, "system net") == 0) {
        const QString address =
            QString::fromUtf8(value).section(' ', 1, 1, QString::SectionSkipEmpty);
        if (!address.isEmpty())
            *ip = address;
    }
}
