#pragma once

#include <QElapsedTimer>
#include <QHostAddress>
#include <QObject>
#include <QTimer>
#include <QUdpSocket>

namespace orvane::sim {

class CommandEngine;

// The monitoring output: while measuring, one datagram of ASCII data lines per
// frame to every output channel that has a UDP destination, with the data
// types switched on for that channel.
class DataOutput : public QObject
{
    Q_OBJECT
public:
    enum class Mode
    {
        Normal,
        Stopped,
        Flood
    };

    DataOutput(CommandEngine* engine, QObject* parent = nullptr);

    bool open(const QHostAddress& listen, QString* error);
    void close();
    quint16 port() const { return m_socket.localPort(); }

    void setMode(Mode mode, double floodHz = 0);
    Mode mode() const { return m_mode; }

    quint64 datagramsSent() const { return m_sent; }
    quint64 dummiesReceived() const { return m_dummies; }

    // The data lines of one frame for the given types, in a fixed order.
    QByteArray frame(const QStringList& types, quint64 frameNumber, double seconds);

signals:
    void dummyReceived(const QHostAddress& from, quint16 port);

public slots:
    void reconfigure();

private:
    struct Target
    {
        QString channel;
        QHostAddress address;
        quint16 port = 0;
        int divisor = 1;
        QStringList types;
    };

    void tick();
    void readPending();
    QVector<Target> collectTargets() const;

    CommandEngine* m_engine;
    QVector<Target> m_targets;  // refreshed whenever output settings or the state change
    QUdpSocket m_socket;
    QTimer m_timer;
    QElapsedTimer m_clock;
    Mode m_mode = Mode::Normal;
    double m_floodHz = 0;
    quint64 m_ticks = 0;
    quint64 m_sent = 0;
    quint64 m_dummies = 0;
};

}  // namespace orvane::sim
