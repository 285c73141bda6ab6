#include "TrackboxScanner.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QNetworkAddressEntry>
#include <QNetworkInterface>
#include <QSet>

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "ControllerProbe.h"
#include "FrontendInfo.h"
#include "IOManagerUdp.h"
#include "VersionInfo.h"
#include "ap_time.h"
#include "ap_udptcp.h"

namespace {

// Follow-up queries always go to the controller's command port, whatever port the
// discovery request was sent to.
constexpr unsigned short kCommandPort = FrontendInfo::kControllerPort;
constexpr int kValueSize = 300;

template <size_t N>
void copyField(char (&field)[N], const char* text)
{
    qstrncpy(field, text, N);
}

template <size_t N>
void copyFirstWord(char (&field)[N], const char* text)
{
    const size_t len = std::min(std::strcspn(text, " "), N - 1);
    std::memcpy(field, text, len);
    field[len] = '\0';
}

// Model "2" controllers report a bare number; the label on the device reads "S" and
// eight digits.
template <size_t N>
void setSerial(char (&field)[N], const char* model, const char* value)
{
    if (std::strcmp(model, "2") == 0) {
        const QByteArray formatted = "S" + QByteArray(value).rightJustified(8, '0');
        copyField(field, formatted.constData());
    } else {
        copyField(field, value);
    }
}

bool protocolSupports(const char* text, ProtocolFeature feature)
{
    return VersionInfo::fromString(QString::fromLatin1(text)).supports(feature);
}

bool isBroadcastCandidate(const QNetworkInterface& iface)
{
    const QNetworkInterface::InterfaceFlags f = iface.flags();
    return f.testFlag(QNetworkInterface::IsUp) && f.testFlag(QNetworkInterface::IsRunning) &&
           f.testFlag(QNetworkInterface::CanBroadcast) &&
           !f.testFlag(QNetworkInterface::IsLoopBack);
}

}  // namespace

TrackboxScanner::TrackboxScanner(unsigned short udp_port) : udp_port(udp_port)
{
    shallRun = true;
}

TrackboxScanner::~TrackboxScanner()
{
    stop();
}

QList<trackbox_info_type> TrackboxScanner::get_all_trackboxes(int subnet)
{
    ip_subnet = subnet;
    wasRunning = false;
    resultsReady = false;
    // Armed here rather than in run(), so a stop() that comes before the thread got going
    // is not overwritten.
    shallRun = true;
    start(QThread::InheritPriority);
    // A thread that could not be created never sets wasRunning; don't wait for it.
    const bool started = isRunning() || wasRunning;
    // The results are handed over through resultsReady, stored with release at the end
    // of run() and loaded with acquire here.  isRunning() and wait() order them as well,
    // but only inside Qt's own locks, which a race checker cannot follow.
    while (started && !resultsReady.load(std::memory_order_acquire)) {
        ap_time_millisleep(10);
        if (QCoreApplication::instance())
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 10);
    }
    wait();
    return trackboxes;
}

void TrackboxScanner::stop()
{
    shallRun = false;
    if (isRunning())
        wait();
    // Orders the thread's last writes before whatever follows, the destructor's included.
    resultsReady.load(std::memory_order_acquire);
}

void TrackboxScanner::run()
{
    wasRunning = true;
    trackboxes.clear();
    errors.clear();

    const QList<uint32_t> destinations = destinationAddresses();
    IOManagerUdp io(nullptr);
    // The scanner sets its own answer windows; the external command time-out would stretch
    // every configured read to seconds.
    io.set_external_cmd_timeout(0);
    for (uint32_t ip : destinations) {
        io.set_destination(ip, udp_port);
        if (io.send_broadcast("orvane2 get system version") != 0)
            errors.append(QStringLiteral("send error - timeout"));
    }

    broadcastPhase(io);

    // The controllers that answered are asked one at a time on the same socket; a
    // controller that answered the broadcast twice, or a question too late, is not taken
    // for the next one.
    ControllerProbe probe(io.socket(), ControllerProbe::kChannelTiming);
    probe.setKeepGoing(&shallRun);
    for (trackbox_info_type& info : trackboxes) {
        if (!shallRun)
            break;
        probe.setController(info.ip, kCommandPort);
        readIdentity(
            info,
            [&probe](const char* parameter, char* value) {
                return probe.readParameter(parameter, value);
            },
            shallRun);
    }
    resultsReady.store(true, std::memory_order_release);
}

QList<uint32_t> TrackboxScanner::destinationAddresses() const
{
    if (ip_subnet != 0)
        return {static_cast<uint32_t>(ip_subnet)};

    QList<uint32_t> list;
    const QList<QNetworkInterface> interfaces = QNetworkInterface::allInterfaces();
    for (const QNetworkInterface& iface : interfaces) {
        if (!isBroadcastCandidate(iface))
            continue;
        const QList<QNetworkAddressEntry> entries = iface.addressEntries();
        for (const QNetworkAddressEntry& entry : entries) {
            const QString broadcast = entry.broadcast().toString();
            if (broadcast.isEmpty())
                continue;
            const uint32_t ip = ControllerAddress::resolve(broadcast);
            if (ip != 0)
                list.append(ip);
        }
    }
    return list;
}

// Collects the answers to the broadcast until the network has been silent for one
// answer time-out.  Every sender is recorded once, in the order of its first answer.
void TrackboxScanner::broadcastPhase(IOManagerUdp& io)
{
    io.set_only_receive(true);
    QSet<uint32_t> seen;
    char value[kValueSize];
    const uint32_t begin = ap_time_get_internal();
    while (shallRun) {
        // Counting failures instead would let a flood of foreign datagrams end the phase
        // within milliseconds, before slower controllers have answered.
        if (ap_time_diff_internal(ap_time_get_internal(), begin) >=
            uint32_t(m_broadcastPhaseLimitMs))
            break;
        value[0] = '\0';
        const int rc = io.get_par(value, "system version");
        if (rc == -1)
            break;
        if (rc < 0)
            continue;  // foreign or oversized datagrams
        unsigned int sender = 0;
        io.get_last_received(&sender, nullptr);
        if (seen.contains(sender))
            continue;
        seen.insert(sender);
        trackboxes.append(fromBroadcastAnswer(sender, value));
    }
}

trackbox_info_type TrackboxScanner::fromBroadcastAnswer(uint32_t sender, const char* versionValue)
{
    trackbox_info_type info;
    std::memset(&info, 0, sizeof info);
    info.ip = sender;
    copyField(info.ip_str, ControllerAddress::dotted(sender).toLatin1().constData());
    copyFirstWord(info.version, versionValue);
    return info;
}

void TrackboxScanner::readIdentity(trackbox_info_type& info, const ParameterReader& read,
                                   const std::atomic<bool>& shallRun)
{
    char value[kValueSize];
    if (!shallRun)
        return;
    copyField(info.hostname, read("system hostname", value) == 0 ? value : "unknown");
    if (!shallRun)
        return;
    char model[kValueSize] = "0";
    if (read("system model", value) == 0) {
        copyField(model, value);
        copyField(info.model, value);
    }

    if (!shallRun)
        return;
    if (read("system controller_serial", value) == 0)
        setSerial(info.serial, model, value);
    else
        copyField(info.serial, "unknown");

    if (!shallRun)
        return;
    char protocol[kValueSize] = "v0.0";
    if (read("system protocol_version", value) == 0) {
        copyFirstWord(protocol, value);
        copyField(info.protocol_version, value);
    }

    if (!shallRun)
        return;
    copyField(info.access, read("system access", value) == 0 ? value : "unknown");

    // Only a controller this front-end cannot use needs to tell whether it is a slave;
    // older firmware does not know the question.
    if (!shallRun)
        return;
    if (std::strcmp(info.access, "none") == 0 &&
        protocolSupports(protocol, ProtocolFeature::Cascade)) {
        if (read("system slave", value) == 0 && std::strcmp(value, "yes") == 0)
            info.isSlave = true;
    }

    if (!shallRun)
        return;
    copyField(info.mac_str, "unknown");
    if (protocolSupports(protocol, ProtocolFeature::DiscoveryMac) &&
        read("system ethernet_mac", value) == 0)
        copyField(info.mac_str, value);
}
