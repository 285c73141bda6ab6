#include "StartupConnection.h"

#include "AccessControl.h"
#include "CommandLine.h"
#include "ControllerProbe.h"
#include "FrontendInfo.h"
#include "IOManagerUdpTcp.h"
#include "IpDialog.h"
#include "MessageBoxes.h"
#include "PasswordGate.h"
#include "PlainText.h"
#include "Preferences.h"

#include <QBrush>
#include <QPalette>
#include <QPixmap>
#include <QRegularExpression>

#include <cstring>

namespace {

bool isDottedIpv4(const QString& text)
{
    static const QRegularExpression dotted(
        "\\A(25[0-5]|2[0-4][0-9]|1[0-9][0-9]|[1-9]?[0-9])(\\.(25[0-5]|2[0-4][0-9]|1[0-9][0-9]|[1-9]"
        "?"
        "[0-9])){3}\\z");
    return dotted.match(text).hasMatch();
}

using ControllerAddress::resolve;

}  // namespace

StartupConnection::StartupConnection(Preferences& prefs, const CommandLine& cmdLine,
                                     MessageBoxProvider* mbp, QWidget* window)
    : m_prefs(prefs), m_cmdLine(cmdLine), m_mbp(mbp), m_window(window)
{
}

StartupConnection::~StartupConnection()
{
    delete iom;  // only when it was never handed over
}

bool StartupConnection::usesDirectStart() const
{
    return (m_cmdLine.m_bDirectStart || m_cmdLine.m_bHostname || m_cmdLine.m_bStartMea) &&
           !m_cmdLine.m_sDirectStart_hostname.isEmpty();
}

bool StartupConnection::connect()
{
    return usesDirectStart() ? initOrvane2_2() : initOrvane2();
}

IOManagerUdpTcp* StartupConnection::takeChannel()
{
    IOManagerUdpTcp* channel = iom;
    iom = nullptr;
    return channel;
}

bool StartupConnection::directStartWithLastTrackbox(const QString& ip)
{
    const unsigned int address = resolve(ip);
    if (address == 0)
        return false;
    ControllerProbe probe(ControllerProbe::kStartupTiming, AP_SOCK_ANYPORT);
    if (!probe.isOpen())
        return false;
    probe.setController(address);
    QByteArray answer;
    return probe.ask("orvane2 get system version", &answer) == 0;
}

void StartupConnection::createDialog()
{
    ipDialog =
        new IpDialog(m_window, Qt::FramelessWindowHint, m_prefs.m_frontendPassword.toStdString());
    const QPixmap background(m_prefs.m_bIsDarkTheme ? ":/images/splash-dark.png"
                                                    : ":/images/splash-bright.png");
    QPalette palette = ipDialog->palette();
    palette.setBrush(QPalette::All, QPalette::Window, QBrush(background));
    ipDialog->setPalette(palette);
    if (m_applyPalette)
        m_applyPalette(m_prefs.m_bIsDarkTheme);
}

void StartupConnection::handLastControllerToDialog()
{
    ipDialog->setLastController(m_prefs.lastController);
}

bool StartupConnection::resolveLastAddress(unsigned int* ip)
{
    *ip = resolve(m_prefs.lastController.ip);
    return *ip != 0;
}

// A stored password the controller accepts spares the user the prompt.
bool StartupConnection::confirmPassword(unsigned int ip)
{
    AccessControl access(ip, 0);
    // A controller that cannot tell whether it needs a password is left to the channel.
    return PasswordGate::pass(access, QString::fromUtf8(m_prefs.m_frontendPassword), m_window,
                              tr("Authorize with valid password"),
                              tr("Orvane: Authorize with valid password")) !=
           PasswordGate::Cancelled;
}

// A controller that wakes has been through the dialog's password check on its way in, and
// is used only when that was passed; one that never wakes is left to the channel, whose
// connection failure tells the user.
bool StartupConnection::wakeUpConfirmed()
{
    bool woke = false;
    const QMetaObject::Connection watch =
        QObject::connect(ipDialog, &IpDialog::sig_connect_successful, [&woke] { woke = true; });
    ipDialog->doWakeOnLan();
    QObject::disconnect(watch);
    return !woke || ipDialog->result() == 1;
}

// One that answers at once needs the password as on any other start: the wake-up option
// must not open a protected controller.
bool StartupConnection::confirmAwakePassword()
{
    unsigned int ip = 0;
    return resolveLastAddress(&ip) && confirmPassword(ip);
}

// The dialog path: the last controller if it answers, else wake it, else ask.
bool StartupConnection::initOrvane2()
{
    m_viaDialog = true;
    m_prefs.sFixHostnameOrIp.clear();
    m_prefs.sFixSubnet.clear();
    m_prefs.nTrackBoxSelection = 0;
    if (!m_cmdLine.m_sDirectStart_hostname.isEmpty())
        m_prefs.lastController.hostname = m_cmdLine.m_sDirectStart_hostname;
    if (m_cmdLine.m_bWakeUp && !m_cmdLine.m_sWakeUpMAC.isEmpty())
        m_prefs.lastController.mac = m_cmdLine.m_sWakeUpMAC;

    createDialog();
    handLastControllerToDialog();
    ipDialog->setFixHostname(m_prefs.sFixHostnameOrIp);
    ipDialog->setFixSubnet(m_prefs.sFixSubnet);
    ipDialog->setTrackboxSelection(m_prefs.nTrackBoxSelection);
    ipDialog->setIsCascade(m_prefs.m_bIsCascade);

    if (m_cmdLine.m_bDirectStart && !m_prefs.lastController.ip.isEmpty() &&
        directStartWithLastTrackbox(m_prefs.lastController.ip)) {
        // Something answers at the last address, but it need not be the last
        // controller; when the dialog cannot identify it, the user decides.
        if (ipDialog->try_connect() == IpDialog::ConnectIdentified) {
            unsigned int ip = 0;
            if (!resolveLastAddress(&ip) || !confirmPassword(ip))
                return false;
        } else if (ipDialog->start_and_exec() != 1) {
            return false;
        }
    } else if (m_cmdLine.m_bWakeUp) {
        const int result = ipDialog->try_connect();
        if (result == IpDialog::ConnectUnreachable && !wakeUpConfirmed())
            return false;
        if (result == IpDialog::ConnectIdentified && !confirmAwakePassword())
            return false;
    } else if (ipDialog->start_and_exec() != 1) {
        return false;
    }

    if (!createChannel(true))
        return false;
    iom->setLogFileParameters(m_prefs.m_bWriteLogFile, m_prefs.m_sCommandHistoryLogFileName,
                              m_prefs.m_sResponsePrefix);
    m_prefs.lastController = ipDialog->lastController();
    m_prefs.sFixHostnameOrIp = ipDialog->fixHostname();
    m_prefs.sFixSubnet = ipDialog->fixSubnet();
    m_prefs.nTrackBoxSelection = ipDialog->getTrackboxSelection();
    m_prefs.writeXMLSettings();
    return hasFullAccess();
}

// The direct path for "-directstart", "-host" and "-measure" with a known host.
bool StartupConnection::initOrvane2_2()
{
    m_viaDialog = false;
    createDialog();
    const QString& host = m_cmdLine.m_sDirectStart_hostname;
    if (isDottedIpv4(host)) {
        m_prefs.lastController.ip = host;
    } else {
        m_prefs.lastController.hostname = host;
        if (const unsigned int ip = resolve(host))
            m_prefs.lastController.ip = ControllerAddress::dotted(ip);
    }
    if (m_cmdLine.m_bWakeUp && !m_cmdLine.m_sWakeUpMAC.isEmpty()) {
        QString mac = m_cmdLine.m_sWakeUpMAC;
        const QString withColons = QString(mac).replace('-', ':');
        if (mac.contains('-') && CommandLine::isMacAddress(withColons))
            mac = withColons;
        m_prefs.lastController.mac = mac;
    }
    handLastControllerToDialog();

    if (m_cmdLine.m_bWakeUp) {
        const int result = ipDialog->try_connect_2();
        if (result == IpDialog::SilentAsleep && !wakeUpConfirmed())
            return false;
        if (result == IpDialog::SilentConnected && !confirmAwakePassword())
            return false;
    } else {
        const int result = ipDialog->try_connect_2();
        if (result < 0) {
            MessageBoxes::critical(m_window, tr("Error"),
                                   tr("No connection to Controller %1").arg(host));
            return false;
        }
        if (result != 0)
            return false;
        unsigned int ip = 0;
        if (!resolveLastAddress(&ip))
            return false;
        ipDialog->try_connect();
        if (!confirmPassword(ip))
            return false;
    }
    if (!createChannel(false))
        return false;
    // The record follows the controller that answered, so the event logs, a
    // reconnect and the next start name the controller in use; the MAC stays the one
    // this start was given.
    LastController answered = ipDialog->lastController();
    answered.mac = m_prefs.lastController.mac;
    m_prefs.lastController = answered;
    return hasFullAccess();
}

bool StartupConnection::createChannel(bool writePreferencesOnFailure)
{
    iom = new IOManagerUdpTcp(m_mbp);
    const QByteArray ip = ipDialog->get_ip_str(0).toLatin1();
    if (iom->init(ip.constData(), ipDialog->getPort(), &display_port) == 0)
        return true;
    delete iom;
    iom = nullptr;
    MessageBoxes::critical(
        m_window, tr("Error"),
        tr("Cannot connect to Controller %1:\nCheck cabling and network settings")
            .arg(ipDialog->get_hostname()));
    if (writePreferencesOnFailure)
        m_prefs.writeXMLSettings();
    return false;
}

bool StartupConnection::hasFullAccess()
{
    char access[IOManager::MaxTextLength + 1] = {};
    if (iom->get_par(access, "system access") == 0 && std::strcmp(access, "full") == 0)
        return true;
    MessageBoxes::critical(
        m_window, tr("ORVANE3 error"),
        tr("Cannot get full access to %1. Init unsuccessful").arg(m_prefs.lastController.ip));
    return false;
}
