#include "SimServer.h"

#include "Tokens.h"

#include <QDateTime>
#include <QMutex>
#include <QNetworkDatagram>
#include <QRegularExpression>

#include <algorithm>
#include <cstdio>

namespace orvane::sim {

namespace {

constexpr int kMaxCommand = 200;

qint64 nowMs()
{
    return QDateTime::currentMSecsSinceEpoch();
}

QString peerText(const QHostAddress& a, quint16 port)
{
    bool ok4 = false;
    const quint32 v = a.toIPv4Address(&ok4);
    return (ok4 ? QHostAddress(v).toString() : a.toString()) + QLatin1Char(':') +
           QString::number(port);
}

// Passwords travel in commands but must not end up in logs.
QString masked(const QByteArray& text)
{
    QString s = QString::fromLatin1(text);
    // One command is one log line, whatever bytes it carries.
    for (QChar& c : s) {
        if (c.unicode() < 0x20)
            c = QLatin1Char('.');
    }
    if (s.contains(QLatin1String("frontend_password"))) {
        static const QRegularExpression quoted(QStringLiteral("'[^']*'|\"[^\"]*\""));
        s.replace(quoted, QStringLiteral("'***'"));
    }
    return s;
}

}  // namespace

SimServer::SimServer(const SimOptions& options, QObject* parent)
    : QObject(parent), m_options(options), m_data(&m_engine)
{
    m_wakeTimer.setSingleShot(true);
    connect(&m_wakeTimer, &QTimer::timeout, this, &SimServer::wakeNow);
    connect(&m_tcp, &QTcpServer::newConnection, this, &SimServer::acceptConnections);
    connect(&m_udp, &QUdpSocket::readyRead, this, &SimServer::readUdp);
    connect(&m_wake, &WakeListener::magicPacket, this, [this](const QHostAddress&) {
        ++m_wakePackets;
        if (m_power == Power::Asleep) {
            m_power = Power::Booting;
            scheduleWake(m_engine.settings().bootTimeMs);
        }
    });
    // The answer to the command goes out before the controller powers down.
    connect(&m_engine, &CommandEngine::shutdownRequested, this,
            [this] { QTimer::singleShot(m_faults.delayMs + 100, this, &SimServer::goToSleep); });
    connect(&m_engine, &CommandEngine::rebootRequested, this, [this] {
        QTimer::singleShot(m_faults.delayMs + 100, this,
                           [this] { goOffline(m_engine.settings().rebootTimeMs); });
    });
    m_wake.setPorts(options.wakePorts);
}

SimServer::~SimServer()
{
    stop();
    purgeClosed();
}

void SimServer::purgeClosed()
{
    qDeleteAll(m_closed);
    m_closed.clear();
}

bool SimServer::start(QString* error)
{
    m_listen = QHostAddress(m_options.listenAddress);
    m_port = m_options.port;
    if (m_listen.isNull()) {
        *error = QStringLiteral("invalid listen address %1").arg(m_options.listenAddress);
        return false;
    }
    Profile profile;
    if (!loadProfile(m_options.profile, &profile, error))
        return false;
    m_engine.setProfile(profile);
    m_engine.setListenAddress(m_listen);
    // Broadcast discovery inside a namespace only reaches a wildcard socket, so
    // the command socket may share its port with nobody else but must accept them.
    if (!m_udp.bind(m_listen, m_port)) {
        *error = QStringLiteral("UDP %1:%2: %3")
                     .arg(m_listen.toString())
                     .arg(m_port)
                     .arg(m_udp.errorString());
        return false;
    }
    if (!listenTcp(error) || !m_data.open(m_listen, error)) {
        m_udp.close();
        m_tcp.close();
        return false;
    }
    m_engine.setDataSenderPort(m_data.port());
    for (const QString& line : m_options.controlLines) {
        const QString answer = control(line);
        if (answer.startsWith(QLatin1String("err"))) {
            *error = QStringLiteral("%1: %2").arg(line, answer);
            stop();
            return false;
        }
    }
    return true;
}

bool SimServer::listenTcp(QString* error)
{
    if (m_tcp.listen(m_listen, m_port))
        return true;
    if (error)
        *error = QStringLiteral("TCP %1:%2: %3")
                     .arg(m_listen.toString())
                     .arg(m_port)
                     .arg(m_tcp.errorString());
    return false;
}

void SimServer::stop()
{
    m_wakeTimer.stop();
    closeAllConnections();
    m_tcp.close();
    m_udp.close();
    m_data.close();
    m_wake.close();
}

void SimServer::acceptConnections()
{
    while (QTcpSocket* s = m_tcp.nextPendingConnection()) {
        s->setSocketOption(QAbstractSocket::LowDelayOption, 1);
        auto* c = new Connection;
        c->socket = s;
        c->peer = s->peerAddress();
        c->peerPort = s->peerPort();
        c->local = s->localAddress();
        c->timer.setSingleShot(true);
        connect(&c->timer, &QTimer::timeout, this, [this, c] { flushQueue(c); });
        m_connections.insert(s, c);
        connect(s, &QTcpSocket::readyRead, this, [this, s] { readTcp(s); });
        connect(s, &QTcpSocket::disconnected, this, [this, s] { dropConnection(s); });
    }
}

void SimServer::readTcp(QTcpSocket* socket)
{
    Connection* c = m_connections.value(socket);
    if (!c)
        return;
    c->buffer += socket->readAll();
    for (;;) {
        int end = -1;
        for (int i = 0; i < c->buffer.size(); ++i) {
            if (c->buffer.at(i) == '\0' || c->buffer.at(i) == '\n') {
                end = i;
                break;
            }
        }
        if (end < 0)
            break;
        const bool endedByLineFeed = c->buffer.at(end) == '\n';
        QByteArray cmd = c->buffer.left(end);
        c->buffer.remove(0, end + 1);
        if (c->discarding) {  // the tail of an over-long command already answered
            c->discarding = false;
            continue;
        }
        if ((endedByLineFeed || cmd.contains('\r')) && !cmd.trimmed().isEmpty())
            ++m_lineBreakCommands;
        if (cmd.endsWith('\r'))
            cmd.chop(1);
        if (!cmd.trimmed().isEmpty())
            process(cmd, Transport::Tcp, c->peer, c->peerPort, c->local, c);
        if (!m_connections.contains(socket))
            return;
    }
    // No terminator in sight: an over-long command gets its error now and the
    // rest of it is skipped, so the buffer stays bounded.
    if (c->buffer.size() > kMaxCommand) {
        const bool wasDiscarding = c->discarding;
        const QByteArray head = c->buffer;
        c->buffer.clear();
        c->discarding = true;
        if (!wasDiscarding)
            process(head, Transport::Tcp, c->peer, c->peerPort, c->local, c);
    }
}

void SimServer::dropConnection(QTcpSocket* socket)
{
    Connection* c = m_connections.take(socket);
    if (!c)
        return;
    const QHostAddress peer = c->peer;
    c->timer.stop();
    c->socket = nullptr;
    // This may run inside the connection's own timer or socket signal.
    if (m_closed.isEmpty())
        QTimer::singleShot(0, this, &SimServer::purgeClosed);
    m_closed.append(c);
    socket->deleteLater();
    bool others = false;
    for (auto it = m_connections.constBegin(); it != m_connections.constEnd(); ++it)
        others = others || (it.value()->peer == peer);
    // Access belongs to a connected front-end; a closed channel frees it.
    if (!others)
        m_engine.releaseAccessOf(peer);
}

void SimServer::closeAllConnections()
{
    const QList<QTcpSocket*> sockets = m_connections.keys();
    for (QTcpSocket* s : sockets) {
        s->abort();
        dropConnection(s);
    }
}

void SimServer::flushQueue(Connection* c)
{
    const qint64 now = nowMs();
    while (!c->queue.isEmpty() && c->queue.first().due <= now) {
        const Pending p = c->queue.takeFirst();
        QTcpSocket* s = c->socket;
        if (!s)
            return;
        s->write(p.bytes);
        s->flush();
        if (p.closeAfter) {
            s->disconnectFromHost();
            return;
        }
    }
    if (!c->queue.isEmpty())
        c->timer.start(int(qMax<qint64>(0, c->queue.first().due - now)));
}

void SimServer::readUdp()
{
    while (m_udp.hasPendingDatagrams()) {
        const QNetworkDatagram d = m_udp.receiveDatagram(65536);
        if (m_power != Power::Awake)
            continue;
        QByteArray payload = d.data();
        const int zero = payload.indexOf('\0');
        if (zero >= 0)
            payload.truncate(zero);
        if (payload.contains('\n') || payload.contains('\r'))
            ++m_lineBreakCommands;
        if (payload.endsWith('\n'))
            payload.chop(1);
        if (payload.endsWith('\r'))
            payload.chop(1);
        if (payload == "dummy")
            continue;  // data-path probe from a front-end; nothing to answer
        if (payload.trimmed().isEmpty())
            continue;
        process(payload, Transport::Udp, d.senderAddress(), quint16(d.senderPort()),
                d.destinationAddress(), nullptr);
    }
}

void SimServer::process(const QByteArray& raw, Transport transport, const QHostAddress& peer,
                        quint16 peerPort, const QHostAddress& local, Connection* conn)
{
    ++m_commands;
    ++(transport == Transport::Tcp ? m_tcpCommands : m_udpCommands);
    if (m_log)
        emit outputLine(QStringLiteral("cmd %1 %2 %3")
                            .arg(transport == Transport::Tcp ? "tcp" : "udp",
                                 peerText(peer, peerPort), masked(raw.left(kMaxCommand + 40))));
    trace("<-", transport, peer, peerPort, raw);
    if (m_faults.silent || m_power != Power::Awake)
        return;

    Request r;
    r.text = QString::fromLatin1(raw);
    r.transport = transport;
    r.peer = peer;
    r.peerPort = peerPort;
    r.local = local;
    Reply reply = answerFor(raw, r);
    if (!reply.answer)
        return;
    if (m_faults.dropNext > 0) {
        --m_faults.dropNext;
        return;
    }
    reply.text = m_faults.shapeAnswer(reply.text);
    int delayMs = m_faults.delayMs;
    if (m_faults.chaos.isOn() && !m_faults.chaos.shape(&reply.text, &delayMs))
        return;
    trace("->", transport, peer, peerPort, reply.text);
    const QByteArray bytes = reply.text + '\0';
    if (transport == Transport::Udp || !conn)
        sendUdp(bytes, peer, peerPort, delayMs + reply.extraDelayMs);
    else
        queueTcpAnswer(conn, bytes, reply.extraDelayMs, delayMs);
}

// The answer before the answer-level faults (drop, oversize, garbage, delay).
Reply SimServer::answerFor(const QByteArray& raw, const Request& r)
{
    Reply reply;
    if (raw.size() > kMaxCommand) {
        reply.text = errorAnswer(ErrorKind::TooLong);
        return reply;
    }
    bool isGet = false;
    QString rawText;
    const QString key = m_engine.parameterOf(r.text, &isGet);
    if (key.isEmpty()) {
        const QVector<Token> tokens = tokenize(r.text);
        const QString words = normalizedWords(tokens, 1).join(QLatin1Char(' '));
        if (!tokens.isEmpty() && tokens.first().text == QLatin1String("orvane2") &&
            m_faults.commandRaw(words, &rawText)) {
            reply.text = rawText.toLatin1();
            return reply;
        }
        return m_engine.handle(r);
    }
    const FaultList::ParamFault f = m_faults.paramFault(key, &rawText);
    if (f == FaultList::ParamFault::Error) {
        reply.text = errorAnswer(ErrorKind::Injected);
        return reply;
    }
    if ((f == FaultList::ParamFault::Raw && isGet) || (!isGet && m_faults.setRaw(key, &rawText))) {
        reply.text = rawText.toLatin1();
        return reply;
    }
    return m_engine.handle(r);
}

// A command that takes time (reinit) holds up the ones behind it on its
// connection, as a controller working through them one by one would. The
// "delay" fault only holds back each answer on its way, so a late answer can
// still arrive after the answer to a command sent later.
void SimServer::queueTcpAnswer(Connection* conn, const QByteArray& bytes, int workMs, int delayMs)
{
    const qint64 done = qMax(nowMs(), conn->busyUntil) + workMs;
    conn->busyUntil = done;
    Pending p;
    p.due = done + delayMs;
    p.bytes = bytes;
    if (m_faults.closeAfter > 0 && --m_faults.closeAfter == 0) {
        p.closeAfter = true;
        m_faults.closeAfter = -1;
    }
    auto at = std::upper_bound(conn->queue.begin(), conn->queue.end(), p,
                               [](const Pending& a, const Pending& b) { return a.due < b.due; });
    conn->queue.insert(at, p);
    flushQueue(conn);
}

void SimServer::sendUdp(const QByteArray& bytes, const QHostAddress& peer, quint16 port,
                        int delayMs)
{
    if (delayMs <= 0) {
        m_udp.writeDatagram(bytes, peer, port);
        return;
    }
    QTimer::singleShot(delayMs, this, [this, bytes, peer, port] {
        if (m_power == Power::Awake)
            m_udp.writeDatagram(bytes, peer, port);
    });
}

void SimServer::trace(const char* direction, Transport t, const QHostAddress& peer, quint16 port,
                      const QByteArray& text)
{
    if (!m_options.verbose)
        return;
    static QMutex mutex;
    QMutexLocker lock(&mutex);
    const QByteArray line =
        QStringLiteral("%1 %2 %3 %4\n")
            .arg(QLatin1String(direction),
                 t == Transport::Tcp ? QStringLiteral("tcp") : QStringLiteral("udp"),
                 peerText(peer, port), masked(text.left(300)))
            .toLocal8Bit();
    std::fwrite(line.constData(), 1, size_t(line.size()), stderr);
    std::fflush(stderr);
}

QByteArray SimServer::ownMac() const
{
    return WakeListener::parseMac(m_engine.model().value(QStringLiteral("system ethernet_mac")));
}

void SimServer::goToSleep()
{
    if (m_power == Power::Asleep)
        return;
    m_wakeTimer.stop();
    closeAllConnections();
    m_tcp.close();
    m_engine.resetForBoot();
    m_power = Power::Asleep;
    QString error;
    if (!m_wake.open(m_listen, ownMac(), &error) || !error.isEmpty())
        std::fprintf(stderr, "trackbox-sim: %s\n", qPrintable(error));
}

void SimServer::goOffline(int offlineMs)
{
    goToSleep();
    m_wake.close();
    m_power = Power::Rebooting;
    scheduleWake(offlineMs);
}

void SimServer::scheduleWake(int delayMs)
{
    m_wakeTimer.start(qMax(0, delayMs));
}

void SimServer::wakeNow()
{
    if (m_power == Power::Awake)
        return;
    m_wakeTimer.stop();
    m_wake.close();
    QString error;
    if (!listenTcp(&error)) {
        // The port may be held for a moment after the last close; try again soon.
        std::fprintf(stderr, "trackbox-sim: %s\n", qPrintable(error));
        m_wakeTimer.start(200);
        return;
    }
    m_power = Power::Awake;
    m_engine.resetForBoot();
    m_engine.queueMessage(QStringLiteral("info: controller started"));
}

}  // namespace orvane::sim
