// The connection-less channel against the simulator's UDP command socket.

#include <QtTest>

#include <cstring>

#include "IOManagerUdp.h"
#include "IoTestHelpers.h"
#include "SimProcess.h"
#include "ap_udptcp.h"

namespace {

const char* const SimAddress = "127.0.3.4";
const uint32_t SimIp = (127u << 24) | (3u << 8) | 4u;

}  // namespace

class TestIOManagerUdp : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();

    void readsParameterAndKnowsSender();
    void noAnswerIsTimeout();
    void oversizeAnswerIsRefused();
    void errorAnswerGivesPrefixMismatch();
    void broadcastThenOnlyReceive();
    void overlongCommandIsNotSent();

private:
    SimProcess sim;
};

void TestIOManagerUdp::initTestCase()
{
    QVERIFY2(sim.start(SimAddress, {"--profile", "demo"}), qPrintable(sim.errorOutput()));
    // The values the checks below expect, whatever the profile says.
    QCOMPARE(sim.control("set system model = 20"), QString("ok"));
    QCOMPARE(sim.control("set system version = v2.9.4"), QString("ok"));
}

void TestIOManagerUdp::cleanup()
{
    for (const char* line : {"delay 0", "drop 0", "silent off"})
        sim.control(line);
}

void TestIOManagerUdp::readsParameterAndKnowsSender()
{
    IOManagerUdp io;
    QVERIFY(io.isSocketValid());
    QCOMPARE(io.set_destination(SimIp, 50105), 0);
    char value[200];
    QCOMPARE(io.get_par(value, "system version"), 0);
    QCOMPARE(value, "v2.9.4");
    unsigned int ip = 0;
    unsigned short port = 0;
    io.get_last_received(&ip, &port);
    QCOMPARE(ip, SimIp);
    QCOMPARE(port, (unsigned short)50105);
    io.get_last_received(nullptr, nullptr);

    // By name (a dotted one: no look-up leaves the machine); no data path here.
    QCOMPARE(io.set_destination(QString(SimAddress), 50105), 0);
    int model = 0;
    QCOMPARE(io.get_par_i(&model, "system model"), 0);
    QCOMPARE(model, 20);
    RecordingRequester r;
    QCOMPARE(io.register_request("fr", &r), -111);
    QCOMPARE(io.unregister_request("fr", &r), -111);
}

void TestIOManagerUdp::noAnswerIsTimeout()
{
    IOManagerUdp io;
    io.set_destination(SimIp, 50105);
    sim.control("silent on");
    char value[200];
    QElapsedTimer clock;
    clock.start();
    QCOMPARE(io.get_par(value, "system version"), -1);
    QVERIFY(clock.elapsed() >= 450);

    // The external command time-out (2 s by default) is the lower bound of a
    // configured time-out.  Above the 500 ms default, so that neither the
    // configured nor the default time-out can pass for it.
    io.set_external_cmd_timeout(900000);
    QCOMPARE(io.configure_next_cmd(false, 100, false), 0);
    clock.restart();
    QCOMPARE(io.get_par(value, "system version"), -1);
    QVERIFY(clock.elapsed() >= 890);
    QVERIFY(!io.isCmdPending());
    sim.control("silent off");
    QCOMPARE(io.get_par(value, "system version"), 0);
}

void TestIOManagerUdp::oversizeAnswerIsRefused()
{
    IOManagerUdp io;
    io.set_destination(SimIp, 50105);
    sim.control("oversize");
    char answer[201];
    QCOMPARE(io.execute_cmd(answer, "orvane2 get system version"), -3);
    QCOMPARE(io.execute_cmd(answer, "orvane2 get system version"), 0);
    QCOMPARE(answer, "orvane2 set system version v2.9.4");
}

void TestIOManagerUdp::errorAnswerGivesPrefixMismatch()
{
    RecordingBoxes boxes;
    IOManagerUdp io(&boxes);
    io.set_destination(SimIp, 50105);
    char value[200];
    QCOMPARE(io.get_par(value, "no such parameter"), -32);
    const QList<RecordedBox> shown = boxes.take();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown[0].title, QString("Command Error"));
}

void TestIOManagerUdp::broadcastThenOnlyReceive()
{
    auto udpCommands = [this] {
        return sim.control("stats").section("udp=", 1).section(' ', 0, 0).toInt();
    };
    IOManagerUdp io;
    io.set_destination(SimIp, 50105);
    const int before = udpCommands();
    QCOMPARE(io.send_broadcast("orvane2 get system version"), 0);
    io.set_only_receive(true);
    char value[200];
    QCOMPARE(io.get_par(value, "system version"), 0);
    QCOMPARE(value, "v2.9.4");
    // Nothing more was asked, so nothing more comes.
    QCOMPARE(io.get_par(value, "system version"), -1);
    QCOMPARE(udpCommands(), before + 1);
    io.set_only_receive(false);
    QCOMPARE(io.get_par(value, "system version"), 0);
}

void TestIOManagerUdp::overlongCommandIsNotSent()
{
    IOManagerUdp io;
    io.set_destination(SimIp, 50105);
    const QByteArray text(201, 'x');
    QCOMPARE(io.send_broadcast(text.constData()), -1);
    char answer[201];
    QCOMPARE(io.execute_cmd(answer, "%s", text.constData()), -1);
}

QTEST_GUILESS_MAIN(TestIOManagerUdp)
#include "tst_iomanagerudp.moc"
