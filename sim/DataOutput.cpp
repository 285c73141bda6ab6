#include "DataOutput.h"

#include "CommandEngine.h"
#include "Tokens.h"

#include <QNetworkDatagram>
#include <QtMath>

namespace orvane::sim {

namespace {

QString xyz(const double* p)
{
    return QString::asprintf("%.3f %.3f %.3f", p[0], p[1], p[2]);
}

QString rot(const double* r)
{
    return QString::asprintf("%.6f %.6f %.6f %.6f %.6f %.6f %.6f %.6f %.6f", r[0], r[1], r[2], r[3],
                             r[4], r[5], r[6], r[7], r[8]);
}

// "6d 2 [1 1.000][x y z][r0 .. r8] [2 1.000][...][...]"
QString bodyLine(const QString& id, const QVector<Scene::Body>& bodies)
{
    QString line;
    int n = 0;
    for (const Scene::Body& b : bodies) {
        if (!b.visible)
            continue;
        ++n;
        line += QStringLiteral(" [%1 1.000][%2][%3]").arg(b.id - 1).arg(xyz(b.pos), rot(b.rot));
    }
    return id + QLatin1Char(' ') + QString::number(n) + line;
}

}  // namespace

DataOutput::DataOutput(CommandEngine* engine, QObject* parent)
    : QObject(parent), m_engine(engine), m_socket(this), m_timer(this)
{
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &DataOutput::tick);
    connect(&m_socket, &QUdpSocket::readyRead, this, &DataOutput::readPending);
    connect(engine, &CommandEngine::stateChanged, this, &DataOutput::reconfigure);
    connect(engine, &CommandEngine::outputSettingsChanged, this, &DataOutput::reconfigure);
}

bool DataOutput::open(const QHostAddress& listen, QString* error)
{
    if (!m_socket.bind(listen, 0)) {
        *error = QStringLiteral("data socket: ") + m_socket.errorString();
        return false;
    }
    reconfigure();
    return true;
}

void DataOutput::close()
{
    m_timer.stop();
    m_socket.close();
}

void DataOutput::setMode(Mode mode, double floodHz)
{
    m_mode = mode;
    m_floodHz = floodHz;
    reconfigure();
}

void DataOutput::reconfigure()
{
    // The front-end reads data while measuring and while calibrating.
    const bool measuring =
        m_engine->state() == MeasState::Mea || m_engine->state() == MeasState::Cal;
    const double hz = m_mode == Mode::Flood ? m_floodHz : m_engine->settings().frequencyHz;
    // Collecting the targets scans the model; only worth it while measuring.
    m_targets = measuring ? collectTargets() : QVector<Target>();
    if (!measuring || m_mode == Mode::Stopped || hz <= 0 || m_targets.isEmpty()) {
        m_timer.stop();
        return;
    }
    // Timers do not go below 1 ms; faster rates send several datagrams per tick.
    const int interval = qMax(1, int(1000.0 / hz));
    if (!m_timer.isActive() || m_timer.interval() != interval) {
        m_clock.start();
        m_ticks = 0;
        m_timer.start(interval);
    }
}

QVector<DataOutput::Target> DataOutput::collectTargets() const
{
    QVector<Target> out;
    const ParameterModel& model = m_engine->model();
    for (const QString& key : model.keysWithPrefix(QStringLiteral("output net "))) {
        const QStringList w = key.split(QLatin1Char(' '));
        if (w.size() != 3)
            continue;
        const QStringList v = model.value(key).split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (v.size() < 3 || v[0] != QLatin1String("udp"))
            continue;
        const QString activeKey = QStringLiteral("output net_active ") + w[2];
        if (model.contains(activeKey) && model.value(activeKey) != QLatin1String("yes"))
            continue;
        Target t;
        t.channel = w[2];
        t.address =
            v[1] == QLatin1String("my_ip") ? m_engine->outputAddress(w[2]) : QHostAddress(v[1]);
        bool ok = false;
        t.port = v[2].toUShort(&ok);
        if (t.address.isNull() || !ok || t.port == 0)
            continue;
        t.divisor = qMax(1, model.value(QStringLiteral("output net_divisor ") + w[2]).toInt());
        const QString prefix = QStringLiteral("output active ") + w[2] + QLatin1Char(' ');
        for (const QString& k : model.keysWithPrefix(prefix)) {
            if (model.value(k) == QLatin1String("yes"))
                t.types << k.mid(prefix.size());
        }
        t.types.sort();
        out.append(t);
    }
    return out;
}

void DataOutput::tick()
{
    const QVector<Target>& list = m_targets;
    int due = 1;
    if (m_mode == Mode::Flood && m_floodHz > 1000.0) {
        const quint64 wanted = quint64(m_clock.elapsed() * m_floodHz / 1000.0);
        due = int(qBound<qint64>(0, qint64(wanted - m_ticks), 200));
    }
    for (int d = 0; d < due; ++d) {
        ++m_ticks;
        const quint64 frameNo = m_engine->frameNumber();
        for (const Target& t : list) {
            if (m_ticks % quint64(t.divisor) != 0)
                continue;
            const QByteArray data = frame(t.types, frameNo, m_engine->measurementSeconds());
            if (m_socket.writeDatagram(data, t.address, t.port) > 0)
                ++m_sent;
        }
    }
}

QByteArray DataOutput::frame(const QStringList& types, quint64 frameNo, double seconds)
{
    Scene& scene = m_engine->scene();
    scene.update(seconds, frameNo);
    QStringList lines;
    lines << QStringLiteral("fr %1").arg(frameNo);
    if (types.contains(QLatin1String("ts")))
        lines << QStringLiteral("ts %1").arg(seconds, 0, 'f', 6);
    if (types.contains(QLatin1String("6d")))
        lines << bodyLine(QStringLiteral("6d"), scene.bodies(QStringLiteral("standard")));
    if (types.contains(QLatin1String("6df")))
        lines << bodyLine(QStringLiteral("6df"), scene.bodies(QStringLiteral("wavewand")));
    if (types.contains(QLatin1String("6dmt")))
        lines << bodyLine(QStringLiteral("6dmt"), scene.bodies(QStringLiteral("measurementtool")));
    if (types.contains(QLatin1String("gl")))
        lines << bodyLine(QStringLiteral("gl"), scene.bodies(QStringLiteral("fingertracking")));
    if (types.contains(QLatin1String("3d"))) {
        QString line = QStringLiteral("3d %1").arg(scene.markers().size());
        for (const Scene::Marker& m : scene.markers())
            line += QStringLiteral(" [%1 1.000][%2]").arg(m.id).arg(xyz(m.pos));
        lines << line;
    }
    if (types.contains(QLatin1String("2dmon"))) {
        // Per camera: number of 2-D markers and the first of them in pixels.
        QString line = QStringLiteral("2dmon %1").arg(scene.cameraCount());
        for (int c = 1; c <= scene.cameraCount(); ++c) {
            const int rays = scene.raysOfCamera(c);
            line += QStringLiteral(" [c%1 %2][%3 %4]")
                        .arg(c, 2, 10, QLatin1Char('0'))
                        .arg(rays)
                        .arg(640.0 + 200.0 * qSin(seconds + c), 0, 'f', 1)
                        .arg(512.0 + 150.0 * qCos(seconds + c), 0, 'f', 1);
        }
        lines << line;
    }
    static const QStringList handled = {
        QStringLiteral("ts"), QStringLiteral("6d"), QStringLiteral("6df"),  QStringLiteral("6dmt"),
        QStringLiteral("gl"), QStringLiteral("3d"), QStringLiteral("2dmon")};
    for (const QString& t : types) {
        if (!handled.contains(t))
            lines << t + QStringLiteral(" 0");
    }
    return (lines.join(QLatin1String("\r\n")) + QLatin1String("\r\n")).toLatin1();
}

void DataOutput::readPending()
{
    while (m_socket.hasPendingDatagrams()) {
        const QNetworkDatagram d = m_socket.receiveDatagram(256);
        QByteArray payload = d.data();
        if (payload.endsWith('\0'))
            payload.chop(1);
        if (payload == "dummy") {
            ++m_dummies;
            emit dummyReceived(d.senderAddress(), quint16(d.senderPort()));
        }
    }
}

}  // namespace orvane::sim
