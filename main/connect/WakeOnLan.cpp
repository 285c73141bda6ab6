#include "WakeOnLan.h"

#include <QNetworkInterface>
#include <QStringList>

#include "ap_udptcp.h"

namespace {

constexpr int kMacBytes = 6;
constexpr int kMacRepeats = 16;
constexpr unsigned int kSendTimeoutUs = 1000;
// Both ports are in use for the magic packet; controllers listen on either.
constexpr uint16_t kWakePorts[] = {7, 9};

// Every IPv4 broadcast entry of the non-loop-back interfaces, in the order the
// host reports them, until visit says it has found what it looks for.
template <typename Visit>
bool forEachBroadcastEntry(Visit visit)
{
    const auto interfaces = QNetworkInterface::allInterfaces();
    for (const QNetworkInterface& iface : interfaces) {
        if (!iface.isValid() || (iface.flags() & QNetworkInterface::IsLoopBack))
            continue;
        const auto entries = iface.addressEntries();
        for (const QNetworkAddressEntry& entry : entries) {
            const QHostAddress broadcast = entry.broadcast();
            if (broadcast.protocol() != QAbstractSocket::IPv4Protocol)
                continue;
            if (visit(broadcast.toIPv4Address(), entry.netmask().toIPv4Address()))
                return true;
        }
    }
    return false;
}

}  // namespace

namespace WakeOnLan {

QByteArray magicPacket(const QString& mac)
{
    const QStringList parts = mac.split(QLatin1Char(':'), Qt::KeepEmptyParts);
    if (parts.size() != kMacBytes)
        return {};
    QByteArray address;
    for (const QString& part : parts) {
        bool ok = false;
        const uint value = part.toUInt(&ok, 16);
        // A part is one byte; "100" or "-1" would silently wake another machine.
        if (!ok || value > 0xFF || part.trimmed() != part)
            return {};
        address.append(static_cast<char>(value));
    }
    QByteArray packet(kMacBytes, static_cast<char>(0xFF));
    for (int i = 0; i < kMacRepeats; ++i)
        packet.append(address);
    return packet;
}

uint32_t broadcastAddressFor(uint32_t ip)
{
    uint32_t found = 0xFFFFFFFFu;
    forEachBroadcastEntry([&](uint32_t broadcast, uint32_t mask) {
        if ((ip & mask) != (broadcast & mask))
            return false;
        found = broadcast;
        return true;
    });
    return found;
}

QList<uint32_t> localBroadcastAddresses()
{
    QList<uint32_t> addresses;
    forEachBroadcastEntry([&](uint32_t broadcast, uint32_t) {
        if (!addresses.contains(broadcast))
            addresses.append(broadcast);
        return false;
    });
    return addresses;
}

int send(const QString& mac, uint32_t destination)
{
    const QByteArray packet = magicPacket(mac);
    if (packet.isEmpty())
        return 1;
    ap_ip_socket_type sock = nullptr;
    if (ap_udp_init(&sock, 0, AP_SOCK_BROADCAST) != 0)
        return 1;
    int sent = 0;
    for (uint16_t wakePort : kWakePorts) {
        if (ap_udp_send(sock, packet.constData(), packet.size(), destination, wakePort,
                        kSendTimeoutUs) == 0)
            ++sent;
    }
    // Without a single packet on the wire (no route, interface down) nothing can wake, and
    // the caller would wait out every retry for nothing.
    if (ap_udp_exit(sock) != 0 || sent == 0)
        return 1;
    return 0;
}

}  // namespace WakeOnLan
