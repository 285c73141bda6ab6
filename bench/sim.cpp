// Round trip of commands through the simulator (TCP and UDP, demo and large
// installations) against a bare peer on its own thread that answers every
// zero-terminated command with "orvane2 ok" at once: the ratio is what the
// simulator's parsing and model cost per command. Then the most datagrams per
// second its monitoring output reaches under "data flood".

#include "SimController.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QNetworkDatagram>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>
#include <QUdpSocket>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

using orvane::sim::SimController;
using orvane::sim::SimOptions;

#include "bench_stats.h"

namespace {

constexpr int Blocks = 20;
constexpr int PerBlock = 300;

// The baseline peer: same framing, no protocol.
class EchoPeer : public QThread
{
public:
    explicit EchoPeer(const QString& address) : m_address(address) {}
    ~EchoPeer() override
    {
        quit();
        wait();
    }
    bool listening = false;

protected:
    void run() override
    {
        QTcpServer server;
        listening = server.listen(QHostAddress(m_address), 50105);
        QObject::connect(&server, &QTcpServer::newConnection, [&server] {
            QTcpSocket* s = server.nextPendingConnection();
            s->setSocketOption(QAbstractSocket::LowDelayOption, 1);
            QObject::connect(s, &QTcpSocket::readyRead, [s] {
                const QByteArray in = s->readAll();
                for (char c : in)
                    if (c == '\0')
                        s->write(QByteArray("orvane2 ok\0", 11));
            });
        });
        exec();
    }

private:
    QString m_address;
};

// One peer connection; each block is the mean round trip of PerBlock commands.
class Probe
{
public:
    Probe(const QString& address, const QByteArray& command, bool udp)
        : m_address(address), m_wire(command + '\0'), m_udp(udp)
    {
        if (udp) {
            m_ok = m_dgram.bind(QHostAddress(QHostAddress::AnyIPv4), 0);
            return;
        }
        m_tcp.connectToHost(QHostAddress(address), 50105);
        m_ok = m_tcp.waitForConnected(3000);
        m_tcp.setSocketOption(QAbstractSocket::LowDelayOption, 1);
    }

    double block()
    {
        QElapsedTimer t;
        t.start();
        for (int i = 0; i < PerBlock && m_ok; ++i)
            m_ok = m_udp ? udpOnce() : tcpOnce();
        return m_ok ? t.nsecsElapsed() / 1000.0 / PerBlock : -1;
    }

private:
    bool tcpOnce()
    {
        m_tcp.write(m_wire);
        QByteArray in;
        while (!in.contains('\0')) {
            if (!m_tcp.waitForReadyRead(2000))
                return false;
            in += m_tcp.readAll();
        }
        return true;
    }
    bool udpOnce()
    {
        m_dgram.writeDatagram(m_wire, QHostAddress(m_address), 50105);
        if (!m_dgram.waitForReadyRead(2000))
            return false;
        m_dgram.receiveDatagram();
        return true;
    }

    QString m_address;
    QByteArray m_wire;
    bool m_udp;
    bool m_ok = false;
    QTcpSocket m_tcp;
    QUdpSocket m_dgram;
};

// Blocks of the baseline and of the case alternate, so drift of the shared
// machine hits both alike; the ratio is the median of the per-block ratios.
void compare(const char* what, Probe& base, Probe& probe)
{
    std::vector<double> us, ratios;
    for (int b = 0; b < Blocks; ++b) {
        const double tb = base.block();
        const double tp = probe.block();
        if (tb <= 0 || tp <= 0) {
            std::printf("  %-30s failed\n", what);
            return;
        }
        us.push_back(tp);
        ratios.push_back(tp / tb);
    }
    std::printf("  %-30s %8.1f us  %5.2f\n", what, median(us), median(ratios));
}

std::unique_ptr<SimController> startSim(const QString& address, const QString& profile)
{
    SimOptions o;
    o.listenAddress = address;
    o.profile = profile;
    auto sim = std::make_unique<SimController>(o);
    QString error;
    if (!sim->start(&error)) {
        std::fprintf(stderr, "simulator: %s\n", qPrintable(error));
        return nullptr;
    }
    return sim;
}

double floodRate(SimController& sim, const QString& address)
{
    QUdpSocket data;
    data.bind(QHostAddress(QStringLiteral("127.0.9.52")), 0);
    QTcpSocket c;
    c.bind(QHostAddress(QStringLiteral("127.0.9.52")), 0);
    c.connectToHost(QHostAddress(address), 50105);
    c.waitForConnected(3000);
    for (const QByteArray& cmd :
         {"orvane2 set output net chmon udp my_ip " + QByteArray::number(data.localPort()),
          QByteArray("orvane2 set output active chmon 6d yes"),
          QByteArray("orvane2 tracking start")}) {
        c.write(cmd + '\0');
        c.waitForReadyRead(2000);
        c.readAll();
    }
    sim.control(QStringLiteral("data flood 100000"));
    int n = 0;
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < 1000) {
        if (data.waitForReadyRead(50))
            while (data.hasPendingDatagrams()) {
                data.receiveDatagram();
                ++n;
            }
    }
    sim.control(QStringLiteral("data start"));
    return n * 1000.0 / t.elapsed();
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    EchoPeer echo(QStringLiteral("127.0.9.50"));
    echo.start();
    QThread::msleep(100);
    auto demo = startSim(QStringLiteral("127.0.9.51"), QStringLiteral("demo"));
    if (!echo.listening || !demo)
        return 1;
    const QString sim = QStringLiteral("127.0.9.51");
    Probe base(QStringLiteral("127.0.9.50"), "orvane2 get system version", false);
    std::printf(
        "simulator round trip: median of %d blocks of %d, and its ratio to a bare echo peer\n",
        Blocks, PerBlock);
    {
        Probe baseOnce(QStringLiteral("127.0.9.50"), "orvane2 get system version", false);
        std::vector<double> us;
        for (int b = 0; b < Blocks; ++b)
            us.push_back(baseOnce.block());
        std::printf("  %-30s %8.1f us  %5.2f\n", "baseline echo peer, TCP", median(us), 1.0);
    }
    Probe get(sim, "orvane2 get system version", false);
    compare("demo get, TCP", base, get);
    Probe rays(sim, "orvane2 get status number_of_rays c03", false);
    compare("demo live get (rays), TCP", base, rays);
    Probe set(sim, "orvane2 set output active ch02 3d no", false);
    compare("demo set, TCP", base, set);
    Probe udp(sim, "orvane2 get system version", true);
    compare("demo get, UDP", base, udp);
    const double flood = floodRate(*demo, sim);
    demo.reset();
    auto large = startSim(sim, QStringLiteral("large"));
    if (!large)
        return 1;
    Probe largeGet(sim, "orvane2 get body marker standard b50 m04", false);
    compare("large get, TCP", base, largeGet);
    Probe largeSet(sim, "orvane2 set body desc standard b50 \"x\"", false);
    compare("large set, TCP", base, largeSet);
    std::printf("monitoring output under flood: %.0f datagrams/s (nominal 60/s)\n", flood);
    return 0;
}
