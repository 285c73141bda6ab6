// trackbox-sim as a separate program: its ready line and control channel,
// command-line switches, power states and Wake-on-LAN with the standard tool,
// and broadcast discovery inside a network namespace.

#include "NetLab.h"
#include "SimProcess.h"
#include "SimTestClient.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <unistd.h>
#include <csignal>

using namespace simtest;

namespace {

const QString kMac = QStringLiteral("02:00:5E:10:00:01");  // the demo profile's

QByteArray magicPacket(const QString& mac, const QByteArray& password = QByteArray())
{
    QByteArray m;
    for (const QString& part : mac.split(QLatin1Char(':')))
        m.append(char(part.toUInt(nullptr, 16)));
    QByteArray p(6, '\xff');
    for (int i = 0; i < 16; ++i)
        p += m;
    return p + password;
}

void sendDatagram(const QByteArray& data, const QString& address, quint16 port)
{
    QUdpSocket s;
    s.writeDatagram(data, QHostAddress(address), port);
    s.waitForBytesWritten(1000);
}

int runSim(const QStringList& args, QString* out = nullptr)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(SimProcess::executable(), args);
    if (!p.waitForFinished(10000))
        return -1;
    if (out)
        *out = QString::fromLocal8Bit(p.readAll());
    return p.exitCode();
}

bool isRoot()
{
    return geteuid() == 0;
}

}  // namespace

class TestSimProcess : public QObject
{
    Q_OBJECT

private slots:
    void readyLineAndControlChannel();
    void commandLineSwitches();
    void endOfInputKeepsRunning();
    void quitAndSignalsStop();
    void badCommandLines();
    void shutdownAndWakeOnLan();
    void rebootComesBack();
    void broadcastAndWakeInNamespace();
};

void TestSimProcess::readyLineAndControlChannel()
{
    SimProcess sim;
    QVERIFY(sim.start(QStringLiteral("127.0.2.41"),
                      {QStringLiteral("--profile"), QStringLiteral("demo")}));
    QVERIFY(sim.control(QStringLiteral("stats"))
                .startsWith(QLatin1String("ok commands=0 tcp=0 udp=0")));
    QCOMPARE(sim.control(QStringLiteral("get system hostname")),
             QStringLiteral("ok trackbox-demo"));
    QVERIFY(sim.control(QStringLiteral("nonsense")).startsWith(QLatin1String("err ")));
    QVERIFY(sim.control(QStringLiteral("delay x")).startsWith(QLatin1String("err ")));
    // A runaway line gets one answer, and the next line is a line of its own.
    QVERIFY(sim.control(QString(100000, QLatin1Char('x'))).startsWith(QLatin1String("err ")));
    QCOMPARE(sim.control(QStringLiteral("get system model")), QStringLiteral("ok 20"));
    QCOMPARE(udpAsk(QStringLiteral("127.0.2.41"), "orvane2 get system hostname"),
             QByteArray("orvane2 set system hostname trackbox-demo"));
    // The command log arrives between control answers without confusing them.
    QCOMPARE(sim.control(QStringLiteral("log on")), QStringLiteral("ok"));
    QCOMPARE(udpAsk(QStringLiteral("127.0.2.41"), "orvane2 get system model",
                    QStringLiteral("127.0.2.141")),
             QByteArray("orvane2 set system model 20"));
    QString line;
    QVERIFY(sim.waitForOutputLine(QStringLiteral("cmd udp 127.0.2.141:"), 3000, &line));
    QVERIFY(line.endsWith(QLatin1String(" orvane2 get system model")));
    QVERIFY(sim.control(QStringLiteral("stats"))
                .startsWith(QLatin1String("ok commands=2 tcp=0 udp=2")));
}

void TestSimProcess::commandLineSwitches()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString file = dir.filePath(QStringLiteral("lab.json"));
    QFile f(file);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(R"({"name": "lab", "base": "model2",
                "parameters": {"system hostname": "lab-box", "lab only": "42"}})");
    f.close();
    SimProcess sim;
    QVERIFY(sim.start(
        QStringLiteral("127.0.2.42"),
        {QStringLiteral("--profile"), file, QStringLiteral("--delay"), QStringLiteral("300"),
         // Switches apply in the order given, across switch names.
         QStringLiteral("--control"), QStringLiteral("set system slave = no"),
         QStringLiteral("--set"), QStringLiteral("system slave = yes"), QStringLiteral("--port"),
         QStringLiteral("50106")}));
    QCOMPARE(sim.port(), quint16(50106));
    TcpClient c;
    QVERIFY(c.connectTo(QStringLiteral("127.0.2.42"), QString(), 50106));
    QElapsedTimer clock;
    clock.start();
    QCOMPARE(c.ask("orvane2 get system hostname"),
             QByteArray("orvane2 set system hostname lab-box"));
    QVERIFY(clock.elapsed() >= 250);
    QCOMPARE(c.ask("orvane2 get lab only"), QByteArray("orvane2 set lab only 42"));
    QCOMPARE(c.ask("orvane2 get system model"), QByteArray("orvane2 set system model 2"));
    QCOMPARE(c.ask("orvane2 get system slave"), QByteArray("orvane2 set system slave yes"));
    QCOMPARE(sim.control(QStringLiteral("delay 0")), QStringLiteral("ok"));
    clock.restart();
    QCOMPARE(c.ask("orvane2 get system model"), QByteArray("orvane2 set system model 2"));
    QVERIFY(clock.elapsed() < 250);
}

void TestSimProcess::endOfInputKeepsRunning()
{
    SimProcess sim;
    QVERIFY(sim.start(QStringLiteral("127.0.2.43")));
    sim.closeControlInput();
    QTest::qWait(200);
    QVERIFY(sim.isRunning());
    QCOMPARE(udpAsk(QStringLiteral("127.0.2.43"), "orvane2 get system model"),
             QByteArray("orvane2 set system model 20"));
    sim.stop();
    QCOMPARE(sim.waitForExit(), 0);
}

void TestSimProcess::quitAndSignalsStop()
{
    SimProcess sim;
    QVERIFY(sim.start(QStringLiteral("127.0.2.43")));
    QCOMPARE(sim.control(QStringLiteral("quit")), QStringLiteral("ok"));
    QCOMPARE(sim.waitForExit(), 0);
    // The port is free again at once for the next simulator.
    SimProcess again;
    QVERIFY(again.start(QStringLiteral("127.0.2.43")));
    const qint64 pid = again.processId();
    QVERIFY(pid > 0);
    QCOMPARE(::kill(pid_t(pid), SIGINT), 0);
    QCOMPARE(again.waitForExit(), 0);
}

void TestSimProcess::badCommandLines()
{
    QString out;
    QCOMPARE(runSim({QStringLiteral("--help")}, &out), 0);
    QVERIFY(out.contains(QLatin1String("Usage: trackbox-sim")));
    QVERIFY(out.contains(QLatin1String("large")));
    QCOMPARE(runSim({QStringLiteral("--frobnicate")}, &out), 2);
    QVERIFY(out.contains(QLatin1String("unknown argument --frobnicate")));
    QCOMPARE(runSim({QStringLiteral("--port")}, &out), 2);
    QVERIFY(out.contains(QLatin1String("--port needs a value")));
    QCOMPARE(runSim({QStringLiteral("stray")}, &out), 2);
    QVERIFY(out.contains(QLatin1String("unknown argument stray")));
    QCOMPARE(runSim({QStringLiteral("--listen"), QStringLiteral("127.0.2.44"),
                     QStringLiteral("--profile"), QStringLiteral("no-such-profile")},
                    &out),
             1);
    QVERIFY(out.contains(QLatin1String("no-such-profile")));
    QCOMPARE(runSim({QStringLiteral("--listen"), QStringLiteral("127.0.2.44"),
                     QStringLiteral("--delay"), QStringLiteral("soon")},
                    &out),
             1);
    // Two simulators cannot share one address and port.
    SimProcess first;
    QVERIFY(first.start(QStringLiteral("127.0.2.44")));
    QCOMPARE(runSim({QStringLiteral("--listen"), QStringLiteral("127.0.2.44")}, &out), 1);
    QVERIFY(out.contains(QLatin1String("50105")));
}

void TestSimProcess::shutdownAndWakeOnLan()
{
    if (!isRoot())
        QSKIP("Wake-on-LAN ports 7 and 9 need root");
    const QString addr = QStringLiteral("127.0.2.45");
    SimProcess sim;
    QVERIFY(sim.start(addr, {QStringLiteral("--boot-time"), QStringLiteral("200")}));
    {
        TcpClient c;
        QVERIFY(c.connectTo(addr));
        QCOMPARE(c.ask("orvane2 init"), QByteArray("orvane2 ok"));
        QCOMPARE(c.ask("orvane2 tracking start"), QByteArray("orvane2 ok"));
        QCOMPARE(c.ask("orvane2 system shutdown"), QByteArray("orvane2 ok"));
        QVERIFY(c.waitForClosed());
    }
    QTRY_VERIFY(sim.control(QStringLiteral("stats")).contains(QLatin1String("power=asleep")));
    // Asleep: nothing answers on the command port.
    TcpClient refused;
    QVERIFY(!refused.connectTo(addr));
    QVERIFY(udpAsk(addr, "orvane2 get system version", QString(), 500).isNull());
    // A packet for another machine, or a broken one, does not wake it.
    sendDatagram(magicPacket(QStringLiteral("02:00:5E:10:00:99")), addr, 9);
    sendDatagram(magicPacket(kMac).left(90), addr, 9);
    QTest::qWait(400);
    QVERIFY(sim.control(QStringLiteral("stats")).contains(QLatin1String("power=asleep")));

    const QString tool = QStandardPaths::findExecutable(QStringLiteral("wakeonlan"));
    if (tool.isEmpty()) {
        // Without the standard tool, our own packet with a SecureOn password on port 7.
        sendDatagram(magicPacket(kMac, QByteArray(6, '\x42')), addr, 7);
    } else {
        QProcess wol;
        wol.start(tool,
                  {QStringLiteral("-i"), addr, QStringLiteral("-p"), QStringLiteral("9"), kMac});
        QVERIFY(wol.waitForFinished(5000));
        QCOMPARE(wol.exitCode(), 0);
    }
    QTRY_COMPARE_WITH_TIMEOUT(udpAsk(addr, "orvane2 get system version", QString(), 300),
                              QByteArray("orvane2 set system version v2.9.4"), 5000);
    // A power cycle forgets the measurement and the access holder, and says so.
    TcpClient c;
    QVERIFY(c.connectTo(addr));
    QCOMPARE(c.ask("orvane2 get status active"), QByteArray("orvane2 set status active none"));
    QCOMPARE(c.ask("orvane2 getmsg"), QByteArray("orvane2 msg info: controller started"));
    QCOMPARE(udpAsk(addr, "orvane2 get system access", QStringLiteral("127.0.2.145")),
             QByteArray("orvane2 set system access full"));

    // The other port and a trailing SecureOn password work as well.
    QCOMPARE(sim.control(QStringLiteral("sleep")), QStringLiteral("ok wol"));
    sendDatagram(magicPacket(kMac, QByteArray(6, '\x42')), addr, 7);
    QTRY_COMPARE_WITH_TIMEOUT(udpAsk(addr, "orvane2 get system model", QString(), 300),
                              QByteArray("orvane2 set system model 20"), 5000);
    QVERIFY(sim.control(QStringLiteral("stats")).contains(QLatin1String("wol=")));
}

void TestSimProcess::rebootComesBack()
{
    const QString addr = QStringLiteral("127.0.2.46");
    SimProcess sim;
    QVERIFY(sim.start(addr, {QStringLiteral("--reboot-time"), QStringLiteral("1500")}));
    TcpClient c;
    QVERIFY(c.connectTo(addr));
    QCOMPARE(c.ask("orvane2 init"), QByteArray("orvane2 ok"));
    QCOMPARE(c.ask("orvane2 system reboot"), QByteArray("orvane2 ok"));
    QVERIFY(c.waitForClosed());
    QVERIFY(sim.control(QStringLiteral("stats")).contains(QLatin1String("power=rebooting")));
    QVERIFY(udpAsk(addr, "orvane2 get system model", QString(), 200).isNull());
    QTRY_COMPARE_WITH_TIMEOUT(udpAsk(addr, "orvane2 get system model", QString(), 200),
                              QByteArray("orvane2 set system model 20"), 5000);
    TcpClient again;
    QVERIFY(again.connectTo(addr));
    QCOMPARE(again.ask("orvane2 get system access"), QByteArray("orvane2 set system access full"));
    // "reboot-now" from the control channel, and "wake" ends any power state at once.
    QCOMPARE(sim.control(QStringLiteral("reboot-now 60000")), QStringLiteral("ok"));
    QVERIFY(udpAsk(addr, "orvane2 get system model", QString(), 200).isNull());
    QCOMPARE(sim.control(QStringLiteral("wake")), QStringLiteral("ok"));
    QCOMPARE(udpAsk(addr, "orvane2 get system model"), QByteArray("orvane2 set system model 20"));
}

void TestSimProcess::broadcastAndWakeInNamespace()
{
    QString why;
    if (!NetLab::available(&why))
        QSKIP(qPrintable(why));
    NetLab lab(QStringLiteral("simbc"));
    QVERIFY(!lab.addHost(QStringLiteral("pc")).isEmpty());
    QVERIFY(!lab.addHost(QStringLiteral("tb")).isEmpty());
    QVERIFY(!lab.addInterface(QStringLiteral("pc"), QStringLiteral("192.0.2.10/24")).isEmpty());
    QVERIFY(
        !lab.addInterface(QStringLiteral("tb"), QStringLiteral("192.0.2.20/24"), kMac).isEmpty());
    SimProcess sim;
    QVERIFY(sim.start(QStringLiteral("0.0.0.0"), {}, lab.ns(QStringLiteral("tb"))));

    QVERIFY(lab.enter(QStringLiteral("pc")));
    QUdpSocket s;
    QVERIFY(s.bind(QHostAddress(QHostAddress::AnyIPv4), 0));
    s.writeDatagram(QByteArray("orvane2 get system version\0", 27),
                    QHostAddress(QStringLiteral("192.0.2.255")), kPort);
    const bool answered = s.waitForReadyRead(3000);
    const QNetworkDatagram d = s.receiveDatagram();
    lab.leave();
    QVERIFY(answered);
    QCOMPARE(d.senderAddress(), QHostAddress(QStringLiteral("192.0.2.20")));
    QVERIFY(d.data().startsWith("orvane2 set system version v2.9.4"));
    QCOMPARE(sim.control(QStringLiteral("get system ethernet_ip")).section(QLatin1Char(' '), 1, 1),
             QStringLiteral("192.0.2.20"));

    // A broadcast magic packet from the standard tool wakes it on the wildcard socket.
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("wakeonlan"));
    if (tool.isEmpty())
        QSKIP("the wakeonlan tool is not installed");
    QCOMPARE(sim.control(QStringLiteral("boot-time 100")), QStringLiteral("ok"));
    QCOMPARE(sim.control(QStringLiteral("sleep")), QStringLiteral("ok wol"));
    QString out;
    QVERIFY2(lab.run(QStringLiteral("pc"),
                     {tool, QStringLiteral("-i"), QStringLiteral("192.0.2.255"), kMac}, &out),
             qPrintable(out));
    QTRY_VERIFY_WITH_TIMEOUT(
        sim.control(QStringLiteral("stats")).contains(QLatin1String("power=awake")), 5000);

    // Listening on its unicast address only, it still wakes for the broadcast.
    sim.stop();
    QVERIFY(sim.start(QStringLiteral("192.0.2.20"),
                      {QStringLiteral("--boot-time"), QStringLiteral("100")},
                      lab.ns(QStringLiteral("tb"))));
    QCOMPARE(sim.control(QStringLiteral("sleep")), QStringLiteral("ok wol"));
    QVERIFY2(lab.run(QStringLiteral("pc"),
                     {tool, QStringLiteral("-i"), QStringLiteral("192.0.2.255"), kMac}, &out),
             qPrintable(out));
    QTRY_VERIFY_WITH_TIMEOUT(
        sim.control(QStringLiteral("stats")).contains(QLatin1String("power=awake")), 5000);
}

QTEST_GUILESS_MAIN(TestSimProcess)
#include "tst_simprocess.moc"
