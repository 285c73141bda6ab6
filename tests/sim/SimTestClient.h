#pragma once

// Plain socket clients for the simulator's tests: what any peer on the
// network would do, with blocking waits on the test's own thread.

#include <QElapsedTimer>
#include <QHostAddress>
#include <QNetworkDatagram>
#include <QTcpSocket>
#include <QUdpSocket>

namespace simtest {

constexpr quint16 kPort = 50105;

class TcpClient
{
public:
    bool connectTo(const QString& address, const QString& bindAddress = QString(),
                   quint16 port = kPort)
    {
        if (!bindAddress.isEmpty() && !m_socket.bind(QHostAddress(bindAddress), 0))
            return false;
        m_socket.connectToHost(QHostAddress(address), port);
        return m_socket.waitForConnected(3000);
    }

    bool sendRaw(const QByteArray& bytes)
    {
        if (m_socket.write(bytes) != bytes.size())
            return false;
        return m_socket.waitForBytesWritten(2000);
    }

    // The next answer up to its terminating zero byte; a null array on time-out.
    QByteArray answer(int timeoutMs = 3000)
    {
        QElapsedTimer clock;
        clock.start();
        for (;;) {
            const int zero = m_buffer.indexOf('\0');
            if (zero >= 0) {
                const QByteArray a = m_buffer.left(zero);
                m_buffer.remove(0, zero + 1);
                return a.isNull() ? QByteArray("") : a;
            }
            const qint64 left = timeoutMs - clock.elapsed();
            if (left <= 0 || m_socket.state() != QAbstractSocket::ConnectedState)
                return QByteArray();
            if (m_socket.waitForReadyRead(int(left)))
                m_buffer += m_socket.readAll();
        }
    }

    QByteArray ask(const QByteArray& command, int timeoutMs = 3000)
    {
        if (!sendRaw(command + '\0'))
            return QByteArray();
        return answer(timeoutMs);
    }

    // True once the peer closed the connection (within the time-out).
    bool waitForClosed(int timeoutMs = 3000)
    {
        QElapsedTimer clock;
        clock.start();
        while (m_socket.state() == QAbstractSocket::ConnectedState && clock.elapsed() < timeoutMs) {
            if (m_socket.waitForReadyRead(int(timeoutMs - clock.elapsed())))
                m_buffer += m_socket.readAll();
        }
        return m_socket.state() != QAbstractSocket::ConnectedState;
    }

    QByteArray pendingBytes() const { return m_buffer; }
    QTcpSocket& socket() { return m_socket; }

private:
    QTcpSocket m_socket;
    QByteArray m_buffer;
};

// One datagram to the simulator and the first datagram back (null on time-out).
inline QByteArray udpAsk(const QString& address, const QByteArray& payload,
                         const QString& bindAddress = QString(), int timeoutMs = 1500,
                         QHostAddress* from = nullptr, quint16 port = kPort)
{
    QUdpSocket s;
    if (!s.bind(
            bindAddress.isEmpty() ? QHostAddress(QHostAddress::AnyIPv4) : QHostAddress(bindAddress),
            0))
        return QByteArray();
    s.writeDatagram(payload, QHostAddress(address), port);
    if (!s.waitForReadyRead(timeoutMs))
        return QByteArray();
    const QNetworkDatagram d = s.receiveDatagram();
    if (from)
        *from = d.senderAddress();
    QByteArray data = d.data();
    const int zero = data.indexOf('\0');
    if (zero >= 0)
        data.truncate(zero);
    return data;
}

}  // namespace simtest
