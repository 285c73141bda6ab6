#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QObject>
#include <QUdpSocket>
#include <QVector>

namespace orvane::sim {

// Listens on the Wake-on-LAN ports while the controller sleeps and reports a
// magic packet that carries our MAC address.
class WakeListener : public QObject
{
    Q_OBJECT
public:
    explicit WakeListener(QObject* parent = nullptr);

    // Ports 7 and 9 need privileges; a port that cannot be bound is reported
    // in `error` but the other may still work. True when at least one is open.
    bool open(const QHostAddress& address, const QByteArray& mac, QString* error);
    void close();
    bool isOpen() const;
    QVector<quint16> ports() const { return m_ports; }

    // True when `packet` holds 6 x 0xFF followed by `mac` 16 times (anywhere
    // in it, so a trailing SecureOn password or a header in front is fine).
    static bool isMagicPacketFor(const QByteArray& packet, const QByteArray& mac);
    // "00:11:22:AA:BB:CC" or with hyphens; empty on a malformed text.
    static QByteArray parseMac(const QString& text);

    void setPorts(const QVector<quint16>& ports) { m_wanted = ports; }

signals:
    void magicPacket(const QHostAddress& from);

private:
    void listenOn(QUdpSocket* socket);
    void readPending(QUdpSocket* socket);

    QVector<QUdpSocket*> m_sockets;
    QVector<quint16> m_ports;
    QVector<quint16> m_wanted = {7, 9};
    QByteArray m_mac;
};

}  // namespace orvane::sim
