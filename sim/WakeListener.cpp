#include "WakeListener.h"

#include <QNetworkDatagram>

namespace orvane::sim {

WakeListener::WakeListener(QObject* parent) : QObject(parent) {}

bool WakeListener::open(const QHostAddress& address, const QByteArray& mac, QString* error)
{
    close();
    m_mac = mac;
    QStringList problems;
    for (quint16 port : qAsConst(m_wanted)) {
        auto* s = new QUdpSocket(this);
        // Several simulators on one host may listen on the same wildcard port.
        if (!s->bind(address, port, QUdpSocket::ShareAddress | QUdpSocket::ReuseAddressHint)) {
            problems << QStringLiteral("wake-on-LAN port %1: %2").arg(port).arg(s->errorString());
            delete s;
            continue;
        }
        listenOn(s);
        m_ports.append(port);
        // A network card wakes for the packet whatever its IP address, and the
        // usual tools broadcast it, which a socket bound to one unicast
        // address never sees. The loop-back device carries no broadcasts.
        if (address != QHostAddress::AnyIPv4 && address != QHostAddress::Any &&
            !address.isLoopback()) {
            auto* any = new QUdpSocket(this);
            if (any->bind(QHostAddress::AnyIPv4, port,
                          QUdpSocket::ShareAddress | QUdpSocket::ReuseAddressHint))
                listenOn(any);
            else
                delete any;
        }
    }
    if (error)
        *error = problems.join(QStringLiteral("; "));
    return !m_sockets.isEmpty();
}

void WakeListener::listenOn(QUdpSocket* socket)
{
    connect(socket, &QUdpSocket::readyRead, this, [this, socket] { readPending(socket); });
    m_sockets.append(socket);
}

void WakeListener::close()
{
    qDeleteAll(m_sockets);
    m_sockets.clear();
    m_ports.clear();
}

bool WakeListener::isOpen() const
{
    return !m_sockets.isEmpty();
}

void WakeListener::readPending(QUdpSocket* socket)
{
    while (socket->hasPendingDatagrams()) {
        const QNetworkDatagram d = socket->receiveDatagram(2048);
        if (isMagicPacketFor(d.data(), m_mac))
            emit magicPacket(d.senderAddress());
    }
}

bool WakeListener::isMagicPacketFor(const QByteArray& packet, const QByteArray& mac)
{
    if (mac.size() != 6)
        return false;
    QByteArray pattern(6, '\xff');
    for (int i = 0; i < 16; ++i)
        pattern += mac;
    return packet.contains(pattern);
}

QByteArray WakeListener::parseMac(const QString& text)
{
    QString t = text.trimmed();
    t.replace(QLatin1Char('-'), QLatin1Char(':'));
    const QStringList parts = t.split(QLatin1Char(':'));
    if (parts.size() != 6)
        return QByteArray();
    QByteArray mac;
    for (const QString& p : parts) {
        bool ok = false;
        const uint v = p.toUInt(&ok, 16);
        if (!ok || p.size() != 2 || v > 255)
            return QByteArray();
        mac.append(char(v));
    }
    return mac;
}

}  // namespace orvane::sim
