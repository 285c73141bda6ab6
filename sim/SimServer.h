#pragma once

#include "CommandEngine.h"
#include "DataOutput.h"
#include "FaultList.h"
#include "SimOptions.h"
#include "WakeListener.h"

#include <QHash>
#include <QHostAddress>
#include <QObject>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QUdpSocket>

namespace orvane::sim {

// The appliance on the network: the TCP and UDP command transports, power
// states (awake, asleep, rebooting) and the fault switches. Lives on the
// simulator's own thread.
class SimServer : public QObject
{
    Q_OBJECT
public:
    explicit SimServer(const SimOptions& options, QObject* parent = nullptr);
    ~SimServer() override;

    bool start(QString* error);
    void stop();

    // One control line, answered "ok ..." or "err ...".
    QString control(const QString& line);

    QHostAddress listenAddress() const { return m_listen; }
    quint16 port() const { return m_port; }
    bool isAsleep() const { return m_power != Power::Awake; }

signals:
    void outputLine(const QString& line);
    void quitRequested();

private:
    enum class Power
    {
        Awake,
        Asleep,
        Booting,
        Rebooting
    };

    struct Pending
    {
        qint64 due = 0;
        QByteArray bytes;
        bool closeAfter = false;
    };
    struct Connection
    {
        QPointer<QTcpSocket> socket;
        QHostAddress peer;  // kept: the socket forgets it once closed
        quint16 peerPort = 0;
        QHostAddress local;
        QByteArray buffer;
        bool discarding = false;
        QList<Pending> queue;
        QTimer timer;
        qint64 busyUntil = 0;  // when the commands received so far are worked off
    };

    bool listenTcp(QString* error);
    void acceptConnections();
    void readTcp(QTcpSocket* socket);
    void dropConnection(QTcpSocket* socket);
    void closeAllConnections();
    void purgeClosed();
    void flushQueue(Connection* c);
    void readUdp();
    void process(const QByteArray& raw, Transport transport, const QHostAddress& peer,
                 quint16 peerPort, const QHostAddress& local, Connection* conn);
    Reply answerFor(const QByteArray& raw, const Request& r);
    void queueTcpAnswer(Connection* conn, const QByteArray& bytes, int workMs, int delayMs);
    void sendUdp(const QByteArray& bytes, const QHostAddress& peer, quint16 port, int delayMs);
    void trace(const char* direction, Transport t, const QHostAddress& peer, quint16 port,
               const QByteArray& text);

    void goToSleep();
    void goOffline(int offlineMs);
    void scheduleWake(int delayMs);
    void wakeNow();
    QByteArray ownMac() const;

    QString controlFaults(const QString& cmd, const QString& rest);
    QString controlChaos(const QString& rest);
    QString controlParameters(const QString& cmd, const QString& rest);
    QString controlBehaviour(const QString& cmd, const QString& rest);
    QString controlData(const QString& cmd, const QString& rest);
    QString controlPower(const QString& cmd, const QString& arg);
    QString controlProcess(const QString& cmd, const QString& rest);

    SimOptions m_options;
    QHostAddress m_listen;
    quint16 m_port = 0;
    CommandEngine m_engine;
    FaultList m_faults;
    DataOutput m_data;
    WakeListener m_wake;
    QTcpServer m_tcp;
    QUdpSocket m_udp;
    QHash<QTcpSocket*, Connection*> m_connections;
    QList<Connection*> m_closed;  // deleted once no signal of theirs is running
    QTimer m_wakeTimer;
    Power m_power = Power::Awake;
    bool m_log = false;
    quint64 m_commands = 0, m_tcpCommands = 0, m_udpCommands = 0, m_wakePackets = 0;
    // Commands that came with a CR or LF in them or as their end. A front-end ends every
    // command with a zero byte, so each one here is a command that was split in two.
    quint64 m_lineBreakCommands = 0;
};

}  // namespace orvane::sim
