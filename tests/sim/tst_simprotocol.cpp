// The simulator as the front-end sees it: answer forms, framing, the
// measurement cycle, access, the password table and the monitoring output.

#include "SimController.h"
#include "SimTestClient.h"

#include <QElapsedTimer>
#include <QMutex>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

using namespace simtest;
using orvane::sim::SimController;
using orvane::sim::SimOptions;

namespace {

// A byte string with its embedded zero bytes, without counting by hand.
template <int N>
QByteArray z(const char (&s)[N])
{
    return QByteArray(s, N - 1);
}

int lastNumber(const QByteArray& answer)
{
    return answer.mid(answer.lastIndexOf(' ') + 1).toInt();
}

std::unique_ptr<SimController> startSim(const QString& address, const QStringList& controls = {},
                                        const QString& profile = QStringLiteral("demo"))
{
    SimOptions o;
    o.listenAddress = address;
    o.profile = profile;
    o.controlLines = controls;
    auto sim = std::make_unique<SimController>(o);
    QString error;
    if (!sim->start(&error)) {
        qWarning() << "simulator did not start:" << error;
        return nullptr;
    }
    return sim;
}

}  // namespace

class TestSimProtocol : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase() { m_sim.reset(); }

    void answerForms_data();
    void answerForms();
    void writesChangeTheModel();
    void tcpFraming();
    void overlongCommands();
    void lineBreaksAreCounted_data();
    void lineBreaksAreCounted();
    void udpCommands();
    void messageQueue();
    void measurementCycle();
    void calibrationAndHardwareSearch();
    void accessFromSecondAddress();
    void passwordTable();
    void passwordForms_data();
    void passwordForms();
    void monitoringOutput();
    void sleepAndMagicPacket();

private:
    std::unique_ptr<SimController> m_sim;
    const QString m_addr = QStringLiteral("127.0.2.1");
};

void TestSimProtocol::initTestCase()
{
    m_sim = startSim(m_addr);
    QVERIFY(m_sim);
}

void TestSimProtocol::answerForms_data()
{
    QTest::addColumn<QByteArray>("command");
    QTest::addColumn<QByteArray>("expected");  // exact, or a prefix when ending in '*'

    QTest::newRow("identity") << QByteArray("orvane2 get system version")
                              << QByteArray("orvane2 set system version v2.9.4");
    QTest::newRow("protocol") << QByteArray("orvane2 get system protocol_version")
                              << QByteArray("orvane2 set system protocol_version v1.27");
    QTest::newRow("mac") << QByteArray("orvane2 get system ethernet_mac")
                         << QByteArray("orvane2 set system ethernet_mac 02:00:5E:10:00:01");
    QTest::newRow("own address") << QByteArray("orvane2 get system ethernet_ip")
                                 << QByteArray("orvane2 set system ethernet_ip 127.0.2.1 *");
    QTest::newRow("c1 is c01") << QByteArray("orvane2 get camera focal_length c1")
                               << QByteArray("orvane2 set camera focal_length c01 8.0");
    QTest::newRow("c001 is c01") << QByteArray("orvane2 get camera camera c001")
                                 << QByteArray("orvane2 set camera camera c01 0x0a03 10231");
    QTest::newRow("two numbers") << QByteArray("orvane2 get camera area c4 t1")
                                 << QByteArray("orvane2 set camera area c04 t01 260 340 200 320");
    QTest::newRow("live rays") << QByteArray("orvane2 get status number_of_rays c6")
                               << QByteArray("orvane2 set status number_of_rays c06 0");
    QTest::newRow("no camera 7") << QByteArray("orvane2 get status number_of_rays c07")
                                 << QByteArray("orvane2 err 3 unknown parameter");
    QTest::newRow("quoted value") << QByteArray("orvane2 get config desc")
                                  << QByteArray("orvane2 set config desc \"Demo configuration\"");
    QTest::newRow("extra blanks") << QByteArray("orvane2  get   system   hostname")
                                  << QByteArray("orvane2 set system hostname trackbox-demo");
    QTest::newRow("unknown parameter") << QByteArray("orvane2 get system flux_capacitor")
                                       << QByteArray("orvane2 err 3 unknown parameter");
    QTest::newRow("prefix of a key")
        << QByteArray("orvane2 get camera camera") << QByteArray("orvane2 err 3 unknown parameter");
    QTest::newRow("read-only") << QByteArray("orvane2 set system model 3")
                               << QByteArray("orvane2 err 4 parameter is read-only");
    QTest::newRow("live read-only") << QByteArray("orvane2 set status active mea")
                                    << QByteArray("orvane2 err 4 parameter is read-only");
    QTest::newRow("not a number") << QByteArray("orvane2 set tracking body_max_residual lots")
                                  << QByteArray("orvane2 err 5 invalid value");
    QTest::newRow("not yes/no") << QByteArray("orvane2 set standard filter_bodies maybe")
                                << QByteArray("orvane2 err 5 invalid value");
    QTest::newRow("unknown command")
        << QByteArray("orvane2 frobnicate") << QByteArray("orvane2 err 1 unknown command");
    QTest::newRow("get without name")
        << QByteArray("orvane2 get") << QByteArray("orvane2 err 2 syntax error");
    QTest::newRow("set without value")
        << QByteArray("orvane2 set config") << QByteArray("orvane2 err 2 syntax error");
    QTest::newRow("foreign prefix")
        << QByteArray("hello world") << QByteArray("orvane2 err 2 syntax error");
    QTest::newRow("tracking available") << QByteArray("orvane2 get tracking available")
                                        << QByteArray("orvane2 set tracking available yes");
    QTest::newRow("sender port") << QByteArray("orvane2 get output net_sender_port chmon")
                                 << QByteArray("orvane2 set output net_sender_port chmon *");
    QTest::newRow("camera refresh")
        << QByteArray("orvane2 set camera update") << QByteArray("orvane2 ok");
    QTest::newRow("camera refresh c1")
        << QByteArray("orvane2 set camera update c1") << QByteArray("orvane2 ok");
    QTest::newRow("no message") << QByteArray("orvane2 getmsg") << QByteArray("orvane2 ok");
    QTest::newRow("library check")
        << QByteArray("orvane2 targetlib check_custom_calibration") << QByteArray("orvane2 ok");
}

void TestSimProtocol::answerForms()
{
    QFETCH(QByteArray, command);
    QFETCH(QByteArray, expected);
    TcpClient c;
    QVERIFY(c.connectTo(m_addr));
    const QByteArray a = c.ask(command);
    if (expected.endsWith('*'))
        QVERIFY2(a.startsWith(expected.chopped(1)), a.constData());
    else
        QCOMPARE(a, expected);
    // The same command over UDP gets the same answer.
    const QByteArray u = udpAsk(m_addr, command + '\0');
    if (!command.startsWith("orvane2 getmsg") && !expected.endsWith('*'))
        QCOMPARE(u, expected);
}

void TestSimProtocol::writesChangeTheModel()
{
    TcpClient c;
    QVERIFY(c.connectTo(m_addr));
    QCOMPARE(c.ask("orvane2 set camera flash_intensity c3 4"), QByteArray("orvane2 ok"));
    QCOMPARE(c.ask("orvane2 get camera flash_intensity c03"),
             QByteArray("orvane2 set camera flash_intensity c03 4"));
    // A value is taken verbatim, blanks inside quotes included.
    QCOMPARE(c.ask("orvane2 set config desc \"Two  blanks\""), QByteArray("orvane2 ok"));
    QCOMPARE(c.ask("orvane2 get config desc"),
             QByteArray("orvane2 set config desc \"Two  blanks\""));
    QCOMPARE(m_sim->control("get config desc"), QStringLiteral("ok \"Two  blanks\""));
    // Multi-word values set the whole parameter, not a longer key.
    QCOMPARE(c.ask("orvane2 set output net ch02 udp 127.0.0.1 6001"), QByteArray("orvane2 ok"));
    QCOMPARE(c.ask("orvane2 get output net ch2"),
             QByteArray("orvane2 set output net ch02 udp 127.0.0.1 6001"));
    QCOMPARE(c.ask("orvane2 set output net ch02 none"), QByteArray("orvane2 ok"));
    // The control channel may change read-only and live parameters too.
    QCOMPARE(m_sim->control("set system hostname = renamed-box"), QStringLiteral("ok"));
    QCOMPARE(c.ask("orvane2 get system hostname"),
             QByteArray("orvane2 set system hostname renamed-box"));
    QCOMPARE(m_sim->control("set system hostname = trackbox-demo"), QStringLiteral("ok"));
    QCOMPARE(m_sim->control("set status frames_lost = 3"), QStringLiteral("ok"));
    QCOMPARE(c.ask("orvane2 get status frames_lost"),
             QByteArray("orvane2 set status frames_lost 3"));
    QCOMPARE(m_sim->control("unpin status frames_lost"), QStringLiteral("ok"));
    QCOMPARE(c.ask("orvane2 get status frames_lost"),
             QByteArray("orvane2 set status frames_lost 0"));
    QCOMPARE(c.ask("orvane2 set camera flash_intensity c03 7"), QByteArray("orvane2 ok"));
    QCOMPARE(c.ask("orvane2 set config desc \"Demo configuration\""), QByteArray("orvane2 ok"));
}

void TestSimProtocol::tcpFraming()
{
    TcpClient c;
    QVERIFY(c.connectTo(m_addr));
    // Three commands in one segment: three answers, in order.
    QVERIFY(
        c.sendRaw(z("orvane2 get system hostname\0orvane2 get system model\0"
                    "orvane2 get camera number_of_cameras\0")));
    QCOMPARE(c.answer(), QByteArray("orvane2 set system hostname trackbox-demo"));
    QCOMPARE(c.answer(), QByteArray("orvane2 set system model 20"));
    QCOMPARE(c.answer(), QByteArray("orvane2 set camera number_of_cameras 6"));
    // One command split over three writes is answered once, when complete.
    QVERIFY(c.sendRaw("orvane2 get sys"));
    QVERIFY(c.answer(200).isNull());
    QVERIFY(c.sendRaw("tem controller"));
    QVERIFY(c.sendRaw(z("_serial\0")));
    QCOMPARE(c.answer(), QByteArray("orvane2 set system controller_serial 21407"));
    // Hand-typed lines (socat, netcat) end with a line feed instead.
    QVERIFY(c.sendRaw("orvane2 get system model\r\n"));
    QCOMPARE(c.answer(), QByteArray("orvane2 set system model 20"));
    // Empty commands between terminators are skipped.
    QVERIFY(c.sendRaw(z("\0\0orvane2 get system model\0")));
    QCOMPARE(c.answer(), QByteArray("orvane2 set system model 20"));
    QVERIFY(c.answer(200).isNull());
    QVERIFY(c.socket().socketOption(QAbstractSocket::LowDelayOption).isValid());
}

void TestSimProtocol::overlongCommands()
{
    TcpClient c;
    QVERIFY(c.connectTo(m_addr));
    const QByteArray at200 = "orvane2 get " + QByteArray(188, 'x');
    QCOMPARE(at200.size(), 200);
    QCOMPARE(c.ask(at200), QByteArray("orvane2 err 3 unknown parameter"));
    QCOMPARE(c.ask(at200 + 'x'), QByteArray("orvane2 err 6 command too long"));
    // A long command arriving in pieces gets one error, and the stream recovers.
    QVERIFY(c.sendRaw("orvane2 get " + QByteArray(400, 'y')));
    QCOMPARE(c.answer(), QByteArray("orvane2 err 6 command too long"));
    QVERIFY(c.sendRaw(QByteArray(5000, 'z')));
    QVERIFY(c.sendRaw(z("zz\0orvane2 get system model\0")));
    QCOMPARE(c.answer(), QByteArray("orvane2 set system model 20"));
    QVERIFY(c.answer(200).isNull());
    QCOMPARE(udpAsk(m_addr, QByteArray(1000, 'u')), QByteArray("orvane2 err 6 command too long"));
}

void TestSimProtocol::lineBreaksAreCounted_data()
{
    QTest::addColumn<bool>("tcp");
    QTest::addColumn<QByteArray>("sent");
    QTest::addColumn<int>("answers");
    QTest::addColumn<int>("counted");
    QTest::newRow("zero-terminated") << true << z("orvane2 get system model\0") << 1 << 0;
    QTest::newRow("value with a line feed: split in two")
        << true << z("orvane2 get synccard mode_desc int60\norvane2 get system model\0") << 2 << 1;
    QTest::newRow("carriage return inside") << true << z("orvane2 get system\rmodel\0") << 1 << 1;
    QTest::newRow("hand-typed line") << true << z("orvane2 get system model\r\n") << 1 << 1;
    QTest::newRow("udp, line feed inside")
        << false << z("orvane2 get synccard mode_desc int60\norvane2\0") << 1 << 1;
    QTest::newRow("udp, zero-terminated") << false << z("orvane2 get system model\0") << 1 << 0;
}

void TestSimProtocol::lineBreaksAreCounted()
{
    QFETCH(bool, tcp);
    QFETCH(QByteArray, sent);
    QFETCH(int, answers);
    QFETCH(int, counted);
    auto lineBreaks = [this] {
        const QString stats = m_sim->control(QStringLiteral("stats"));
        return stats.mid(stats.indexOf(QLatin1String("linebreaks=")) + 11).toInt();
    };
    const int before = lineBreaks();
    if (tcp) {
        TcpClient c;
        QVERIFY(c.connectTo(m_addr));
        QVERIFY(c.sendRaw(sent));
        for (int k = 0; k < answers; ++k)
            QVERIFY(c.answer().startsWith("orvane2 "));
        QVERIFY(c.answer(200).isNull());
    } else {
        QVERIFY(udpAsk(m_addr, sent).startsWith("orvane2 "));
    }
    QCOMPARE(lineBreaks() - before, counted);
}

void TestSimProtocol::udpCommands()
{
    QHostAddress from;
    QCOMPARE(udpAsk(m_addr, "orvane2 get system hostname", QString(), 1500, &from),
             QByteArray("orvane2 set system hostname trackbox-demo"));
    QCOMPARE(from, QHostAddress(m_addr));
    // The answer carries its terminating zero byte, like over TCP.
    QUdpSocket s;
    QVERIFY(s.bind(QHostAddress(QStringLiteral("127.0.2.101")), 0));
    s.writeDatagram(z("orvane2 get system model\0"), QHostAddress(m_addr), kPort);
    QVERIFY(s.waitForReadyRead(1500));
    QCOMPARE(s.receiveDatagram().data(), z("orvane2 set system model 20\0"));
    // The data-path probe is taken silently.
    s.writeDatagram(QByteArray("dummy\0", 6), QHostAddress(m_addr), kPort);
    QVERIFY(!s.waitForReadyRead(300));
}

void TestSimProtocol::messageQueue()
{
    TcpClient c;
    QVERIFY(c.connectTo(m_addr));
    while (c.ask("orvane2 getmsg") != "orvane2 ok") {
    }
    QCOMPARE(m_sim->control("msg warning: camera c03 is warm"), QStringLiteral("ok"));
    QCOMPARE(m_sim->control("msg second"), QStringLiteral("ok"));
    const QByteArray first = c.ask("orvane2 getmsg");
    QCOMPARE(first, QByteArray("orvane2 msg warning: camera c03 is warm"));
    QCOMPARE(first.mid(11), QByteArray(" warning: camera c03 is warm"));
    QCOMPARE(c.ask("orvane2 getmsg"), QByteArray("orvane2 msg second"));
    QCOMPARE(c.ask("orvane2 getmsg"), QByteArray("orvane2 ok"));
}

void TestSimProtocol::measurementCycle()
{
    TcpClient c;
    QVERIFY(c.connectTo(m_addr));
    QCOMPARE(c.ask("orvane2 get status active"), QByteArray("orvane2 set status active none"));
    QCOMPARE(c.ask("orvane2 get status number_of_bodies"),
             QByteArray("orvane2 set status number_of_bodies 0"));
    QCOMPARE(c.ask("orvane2 tracking start"), QByteArray("orvane2 ok"));
    QCOMPARE(c.ask("orvane2 get status active"), QByteArray("orvane2 set status active mea"));
    const QByteArray bodies = c.ask("orvane2 get status number_of_bodies");
    QVERIFY2(lastNumber(bodies) >= 3, bodies.constData());
    const QByteArray rays = c.ask("orvane2 get status number_of_rays c02");
    QVERIFY2(lastNumber(rays) > 0, rays.constData());
    const QByteArray freq = c.ask("orvane2 get status output_frequency");
    QVERIFY2(freq.startsWith("orvane2 set status output_frequency ") &&
                 qAbs(freq.mid(36).toDouble() - 60.0) < 0.1,
             freq.constData());
    // A second start while measuring is harmless.
    QCOMPARE(c.ask("orvane2 tracking start"), QByteArray("orvane2 ok"));
    QCOMPARE(c.ask("orvane2 tracking stop"), QByteArray("orvane2 ok"));
    QCOMPARE(c.ask("orvane2 get status active"), QByteArray("orvane2 set status active none"));

    // A refused start answers -99 with the count of similar bodies and stays idle.
    QCOMPARE(m_sim->control("refuse-tracking 3"), QStringLiteral("ok"));
    QCOMPARE(c.ask("orvane2 tracking start"), QByteArray("orvane2 err -99 1 3"));
    QCOMPARE(c.ask("orvane2 get status active"), QByteArray("orvane2 set status active none"));
    QCOMPARE(c.ask("orvane2 tracking start"), QByteArray("orvane2 ok"));
    QCOMPARE(c.ask("orvane2 tracking stop"), QByteArray("orvane2 ok"));

    // Tracking reported as unavailable cannot be started.
    QCOMPARE(m_sim->control("set tracking available = no"), QStringLiteral("ok"));
    QCOMPARE(c.ask("orvane2 tracking start"),
             QByteArray("orvane2 err 8 not possible in current state"));
    QCOMPARE(c.ask("orvane2 get status active"), QByteArray("orvane2 set status active none"));
    QCOMPARE(m_sim->control("set tracking available = yes"), QStringLiteral("ok"));

    // Without the external sync signal the controller waits.
    QCOMPARE(m_sim->control("sync-missing on"), QStringLiteral("ok"));
    QCOMPARE(c.ask("orvane2 tracking start"), QByteArray("orvane2 ok"));
    QCOMPARE(c.ask("orvane2 get status active"), QByteArray("orvane2 set status active wait"));
    QCOMPARE(c.ask("orvane2 get status output_frequency"),
             QByteArray("orvane2 set status output_frequency -1.00"));
    QCOMPARE(m_sim->control("sync-missing off"), QStringLiteral("ok"));
    QCOMPARE(c.ask("orvane2 get status active"), QByteArray("orvane2 set status active mea"));
    QCOMPARE(c.ask("orvane2 tracking stop"), QByteArray("orvane2 ok"));

    QStringList texts;
    for (QByteArray m = c.ask("orvane2 getmsg"); m.startsWith("orvane2 msg ");
         m = c.ask("orvane2 getmsg"))
        texts << QString::fromLatin1(m.mid(12));
    QVERIFY(texts.contains(QStringLiteral("info: measurement started")));
    QVERIFY(texts.contains(QStringLiteral("info: measurement stopped")));
    QVERIFY(texts.contains(
        QStringLiteral("error: measurement start failed: 3 bodies are equal or too similar")));
    // Frequency and lost frames follow their switches.
    QCOMPARE(m_sim->control("frequency 120"), QStringLiteral("ok"));
    const QByteArray fast = c.ask("orvane2 get status output_frequency");
    QVERIFY2(qAbs(fast.mid(36).toDouble() - 120.0) < 0.1, fast.constData());
    QCOMPARE(c.ask("orvane2 set synccard internal_frequency d01 100.00"), QByteArray("orvane2 ok"));
    QCOMPARE(c.ask("orvane2 get status output_frequency"),
             QByteArray("orvane2 set status output_frequency 100.00"));
    QCOMPARE(c.ask("orvane2 set synccard internal_frequency d01 60.00"), QByteArray("orvane2 ok"));
    QCOMPARE(m_sim->control("frequency 60"), QStringLiteral("ok"));
    QVERIFY(m_sim->control("frequency -3").startsWith(QLatin1String("err")));
    QCOMPARE(m_sim->control("frames-lost 4"), QStringLiteral("ok"));
    QCOMPARE(c.ask("orvane2 get status frames_lost"),
             QByteArray("orvane2 set status frames_lost 4"));
    QCOMPARE(m_sim->control("frames-lost auto"), QStringLiteral("ok"));
    QCOMPARE(c.ask("orvane2 get status frames_lost"),
             QByteArray("orvane2 set status frames_lost 0"));

    QCOMPARE(m_sim->control("state err"), QStringLiteral("ok"));
    QCOMPARE(c.ask("orvane2 get status active"), QByteArray("orvane2 set status active err"));
    QVERIFY(c.ask("orvane2 getmsg").startsWith("orvane2 msg error: "));
    QCOMPARE(m_sim->control("state none"), QStringLiteral("ok"));
}

void TestSimProtocol::calibrationAndHardwareSearch()
{
    TcpClient c;
    QVERIFY(c.connectTo(m_addr));
    QCOMPARE(m_sim->control("cal-time 1500"), QStringLiteral("ok"));
    QCOMPARE(c.ask("orvane2 cal room start"), QByteArray("orvane2 ok"));
    QCOMPARE(c.ask("orvane2 get status active"), QByteArray("orvane2 set status active cal"));
    QVERIFY(lastNumber(c.ask("orvane2 get status number_of_rays c01")) > 0);
    QCOMPARE(c.ask("orvane2 get status number_of_bodies"),
             QByteArray("orvane2 set status number_of_bodies 0"));
    QVERIFY(lastNumber(c.ask("orvane2 get status number_of_marker")) > 0);
    QCOMPARE(c.ask("orvane2 tracking start"),
             QByteArray("orvane2 err 8 not possible in current state"));
    QTRY_COMPARE(c.ask("orvane2 get status active"), QByteArray("orvane2 set status active none"));
    QCOMPARE(c.ask("orvane2 cal room start"), QByteArray("orvane2 ok"));
    QCOMPARE(c.ask("orvane2 cal stop"), QByteArray("orvane2 ok"));
    QCOMPARE(c.ask("orvane2 get status active"), QByteArray("orvane2 set status active none"));
    QCOMPARE(c.ask("orvane2 tracking start"), QByteArray("orvane2 ok"));
    QCOMPARE(c.ask("orvane2 cal room start"),
             QByteArray("orvane2 err 8 not possible in current state"));
    QCOMPARE(c.ask("orvane2 reinit"), QByteArray("orvane2 err 8 not possible in current state"));
    QCOMPARE(c.ask("orvane2 tracking stop"), QByteArray("orvane2 ok"));

    // The hardware search takes its time before the answer; the next answer waits behind it.
    QCOMPARE(m_sim->control("reinit-time 400"), QStringLiteral("ok"));
    QElapsedTimer clock;
    clock.start();
    QVERIFY(c.sendRaw(z("orvane2 reinit\0orvane2 get system model\0")));
    QVERIFY(c.answer(200).isNull());
    QCOMPARE(c.answer(3000), QByteArray("orvane2 ok"));
    QVERIFY(clock.elapsed() >= 350);
    QCOMPARE(c.answer(), QByteArray("orvane2 set system model 20"));
}

void TestSimProtocol::accessFromSecondAddress()
{
    auto sim = startSim(QStringLiteral("127.0.2.2"));
    QVERIFY(sim);
    const QString a = QStringLiteral("127.0.2.102"), b = QStringLiteral("127.0.2.103");
    // Before anybody initialised it, access is free for everyone.
    QCOMPARE(udpAsk("127.0.2.2", "orvane2 get system access", b),
             QByteArray("orvane2 set system access full"));
    QCOMPARE(udpAsk("127.0.2.2", "orvane2 get system accessed_by", b),
             QByteArray("orvane2 set system accessed_by none"));
    {
        TcpClient holder;
        QVERIFY(holder.connectTo("127.0.2.2", a));
        QCOMPARE(holder.ask("orvane2 init"), QByteArray("orvane2 ok"));
        QCOMPARE(holder.ask("orvane2 get system access"),
                 QByteArray("orvane2 set system access full"));
        QCOMPARE(udpAsk("127.0.2.2", "orvane2 get system access", a),
                 QByteArray("orvane2 set system access full"));
        QCOMPARE(udpAsk("127.0.2.2", "orvane2 get system access", b),
                 QByteArray("orvane2 set system access none"));
        QCOMPARE(udpAsk("127.0.2.2", "orvane2 get system accessed_by", b),
                 QByteArray("orvane2 set system accessed_by ip 127.0.2.102"));
        // The other front-end may look but not touch.
        TcpClient other;
        QVERIFY(other.connectTo("127.0.2.2", b));
        QCOMPARE(other.ask("orvane2 get system hostname"),
                 QByteArray("orvane2 set system hostname trackbox-demo"));
        QCOMPARE(other.ask("orvane2 init"), QByteArray("orvane2 err 7 no access"));
        QCOMPARE(other.ask("orvane2 tracking start"), QByteArray("orvane2 err 7 no access"));
        QCOMPARE(other.ask("orvane2 set config desc x"), QByteArray("orvane2 err 7 no access"));
        QCOMPARE(other.ask("orvane2 set system access full"),
                 QByteArray("orvane2 err 7 no access"));
    }
    // Closing the holder's connection frees the controller.
    QTRY_COMPARE(udpAsk("127.0.2.2", "orvane2 get system access", b),
                 QByteArray("orvane2 set system access full"));
    // A pretended holder elsewhere, for tests of the "accessed by" path.
    QCOMPARE(sim->control("access 127.0.2.199"), QStringLiteral("ok"));
    QCOMPARE(udpAsk("127.0.2.2", "orvane2 get system access", b),
             QByteArray("orvane2 set system access none"));
    QCOMPARE(udpAsk("127.0.2.2", "orvane2 get system accessed_by", a),
             QByteArray("orvane2 set system accessed_by ip 127.0.2.199"));
    QCOMPARE(sim->control("access none"), QStringLiteral("ok"));
    // An init over UDP is answered but does not take the controller.
    QCOMPARE(udpAsk("127.0.2.2", "orvane2 init", a), QByteArray("orvane2 ok"));
    QCOMPARE(udpAsk("127.0.2.2", "orvane2 get system access", b),
             QByteArray("orvane2 set system access full"));
}

// Passwords are values: they keep their digits as written, and only the single-quoted
// form (or none) is taken, so a front-end that drops the quotes fails here.
void TestSimProtocol::passwordForms_data()
{
    QTest::addColumn<QByteArray>("write");  // sent first over TCP when not empty
    QTest::addColumn<QByteArray>("command");
    QTest::addColumn<QByteArray>("expected");

    const QByteArray is = "orvane2 get config is_frontend_password ";
    const QByteArray answer = "orvane2 set config is_frontend_password ";
    const QByteArray invalid = "orvane2 err 5 invalid value";
    QTest::newRow("digits kept") << QByteArray() << is + "'current1'" << answer + "'current1' yes";
    QTest::newRow("no padding match")
        << QByteArray() << is + "'current01'" << answer + "'current01' no";
    QTest::newRow("bare refused") << QByteArray() << is + "current1" << invalid;
    QTest::newRow("double quotes refused") << QByteArray() << is + "\"current1\"" << invalid;
    QTest::newRow("open quote refused") << QByteArray() << is + "'current1" << invalid;
    QTest::newRow("none asks for any") << QByteArray() << is + "none" << answer + "none no";
    QTest::newRow("bare write refused")
        << QByteArray() << QByteArray("orvane2 set config new_frontend_password box7") << invalid;
    QTest::newRow("quoted write verbatim")
        << QByteArray("orvane2 set config new_frontend_password 'box7'") << is + "'box7'"
        << answer + "'box7' yes";
}

void TestSimProtocol::passwordForms()
{
    QFETCH(QByteArray, write);
    QFETCH(QByteArray, command);
    QFETCH(QByteArray, expected);
    const QString addr = QStringLiteral("127.0.9.1");
    auto sim = startSim(addr, {QStringLiteral("password current1")});
    QVERIFY(sim);
    TcpClient c;
    QVERIFY(c.connectTo(addr));
    QCOMPARE(c.ask("orvane2 init"), QByteArray("orvane2 ok"));
    if (!write.isEmpty())
        QCOMPARE(c.ask(write), QByteArray("orvane2 ok"));
    QCOMPARE(c.ask(command), expected);
    if (command.startsWith("orvane2 get"))
        QCOMPARE(udpAsk(addr, command), expected);
}

void TestSimProtocol::passwordTable()
{
    auto sim = startSim(QStringLiteral("127.0.2.3"), {QStringLiteral("password s3cret.pw")});
    QVERIFY(sim);
    QStringList logged;
    QMutex mutex;
    connect(
        sim.get(), &SimController::outputLine, this,
        [&](const QString& l) {
            QMutexLocker lock(&mutex);
            logged << l;
        },
        Qt::DirectConnection);
    QCOMPARE(sim->control("log on"), QStringLiteral("ok"));
    const QString addr = QStringLiteral("127.0.2.3");
    auto ask = [&](const QByteArray& p) { return udpAsk(addr, "orvane2 get " + p); };
    QCOMPARE(ask("config is_frontend_password none"),
             QByteArray("orvane2 set config is_frontend_password none no"));
    QCOMPARE(ask("config is_frontend_password 's3cret.pw'"),
             QByteArray("orvane2 set config is_frontend_password 's3cret.pw' yes"));
    QCOMPARE(ask("config is_frontend_password 'wrong'"),
             QByteArray("orvane2 set config is_frontend_password 'wrong' no"));
    QCOMPARE(ask("config is_frontend_password 'with blank'"),
             QByteArray("orvane2 set config is_frontend_password 'with blank' no"));
    TcpClient c;
    QVERIFY(c.connectTo(addr));
    QCOMPARE(c.ask("orvane2 init"), QByteArray("orvane2 ok"));
    QCOMPARE(c.ask("orvane2 set config new_frontend_password 'n3w/pass+1'"),
             QByteArray("orvane2 ok"));
    QCOMPARE(ask("config is_frontend_password 's3cret.pw'"),
             QByteArray("orvane2 set config is_frontend_password 's3cret.pw' no"));
    QCOMPARE(ask("config is_frontend_password 'n3w/pass+1'"),
             QByteArray("orvane2 set config is_frontend_password 'n3w/pass+1' yes"));
    QCOMPARE(c.ask("orvane2 set config new_frontend_password 'bad!chars'"),
             QByteArray("orvane2 err 5 invalid value"));
    QCOMPARE(c.ask("orvane2 set config new_frontend_password none"), QByteArray("orvane2 ok"));
    QCOMPARE(ask("config is_frontend_password none"),
             QByteArray("orvane2 set config is_frontend_password none yes"));
    // Passwords never show up in the event messages or the command log.
    QStringList texts;
    for (QByteArray m = c.ask("orvane2 getmsg"); m.startsWith("orvane2 msg ");
         m = c.ask("orvane2 getmsg"))
        texts << QString::fromLatin1(m);
    QVERIFY(texts.contains(QStringLiteral("orvane2 msg info: front-end password changed")));
    QMutexLocker lock(&mutex);
    QVERIFY(logged.size() >= 8);
    for (const QString& l : qAsConst(logged)) {
        QVERIFY2(!l.contains(QLatin1String("s3cret")) && !l.contains(QLatin1String("n3w")),
                 qPrintable(l));
    }
    for (const QString& t : qAsConst(texts))
        QVERIFY2(!t.contains(QLatin1String("n3w")), qPrintable(t));
}

void TestSimProtocol::monitoringOutput()
{
    const QString client = QStringLiteral("127.0.2.110");
    QUdpSocket data;
    QVERIFY(data.bind(QHostAddress(client), 0));
    TcpClient c;
    QVERIFY(c.connectTo(m_addr, client));
    QCOMPARE(c.ask("orvane2 init"), QByteArray("orvane2 ok"));
    QCOMPARE(
        c.ask("orvane2 set output net chmon udp my_ip " + QByteArray::number(data.localPort())),
        QByteArray("orvane2 ok"));
    QCOMPARE(c.ask("orvane2 get output net chmon"),
             "orvane2 set output net chmon udp my_ip " + QByteArray::number(data.localPort()));
    for (const char* type : {"ts", "3d", "6d"})
        QCOMPARE(c.ask(QByteArray("orvane2 set output active chmon ") + type + " yes"),
                 QByteArray("orvane2 ok"));
    // Nothing is sent before the measurement runs.
    QVERIFY(!data.waitForReadyRead(300));
    QCOMPARE(c.ask("orvane2 tracking start"), QByteArray("orvane2 ok"));
    QVERIFY(data.waitForReadyRead(2000));
    const QNetworkDatagram d = data.receiveDatagram();
    const QByteArray sender = c.ask("orvane2 get output net_sender_port chmon");
    QCOMPARE(sender,
             "orvane2 set output net_sender_port chmon " + QByteArray::number(d.senderPort()));
    const QList<QByteArray> lines = d.data().split('\n');
    QVERIFY2(lines.value(0).startsWith("fr "), d.data().constData());
    QVERIFY(lines.value(1).startsWith("ts "));
    QVERIFY(lines.value(2).startsWith("6d "));
    QVERIFY(lines.value(3).startsWith("3d "));
    QVERIFY(!d.data().contains("2dmon"));

    // About one datagram per frame at the tracking frequency.
    int count = 0;
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 1000) {
        if (data.waitForReadyRead(100))
            while (data.hasPendingDatagrams()) {
                data.receiveDatagram();
                ++count;
            }
    }
    QVERIFY2(count >= 20 && count <= 100, qPrintable(QString::number(count)));

    // The data-path probe reaches the sender port.
    data.writeDatagram(QByteArray("dummy\0", 6), QHostAddress(m_addr), d.senderPort());
    QTRY_VERIFY(m_sim->control("stats").contains(QLatin1String("dummy=1")));

    QCOMPARE(c.ask("orvane2 tracking stop"), QByteArray("orvane2 ok"));
    while (data.waitForReadyRead(100))
        while (data.hasPendingDatagrams())
            data.receiveDatagram();
    QVERIFY(!data.waitForReadyRead(300));

    // A calibration feeds the monitor as well, and stops with it.
    QCOMPARE(c.ask("orvane2 cal room start"), QByteArray("orvane2 ok"));
    QVERIFY(data.waitForReadyRead(2000));
    QCOMPARE(c.ask("orvane2 cal stop"), QByteArray("orvane2 ok"));
    while (data.waitForReadyRead(100))
        while (data.hasPendingDatagrams())
            data.receiveDatagram();
    QVERIFY(!data.waitForReadyRead(300));
}

void TestSimProtocol::sleepAndMagicPacket()
{
    // An unprivileged port, so the packet check runs without root as well.
    SimOptions o;
    o.listenAddress = QStringLiteral("127.0.2.4");
    o.wakePorts = {50119};
    o.controlLines = QStringList{QStringLiteral("boot-time 100")};
    SimController sim(o);
    QVERIFY(sim.start());
    auto packet = [](const QByteArray& mac, const QByteArray& tail) {
        QByteArray p(6, '\xff');
        for (int i = 0; i < 16; ++i)
            p += mac;
        return p + tail;
    };
    auto send = [](const QByteArray& p) {
        QUdpSocket s;
        s.writeDatagram(p, QHostAddress(QStringLiteral("127.0.2.4")), 50119);
        s.waitForBytesWritten(1000);
    };
    {
        TcpClient c;
        QVERIFY(c.connectTo(o.listenAddress));
        QCOMPARE(c.ask("orvane2 system shutdown"), QByteArray("orvane2 ok"));
        QVERIFY(c.waitForClosed());
    }
    QTRY_VERIFY(sim.control("stats").contains(QLatin1String("power=asleep")));
    const QByteArray mac = QByteArray::fromHex("02005E100001");
    send(packet(QByteArray::fromHex("02005E100002"), QByteArray()));
    send(packet(mac, QByteArray()).left(101));
    send("orvane2 get system version");
    QTest::qWait(300);
    QVERIFY(sim.control("stats").contains(QLatin1String("power=asleep")));
    QVERIFY(udpAsk(o.listenAddress, "orvane2 get system version", QString(), 200).isNull());
    // A header in front and a SecureOn password behind are fine.
    send(QByteArray("hdr") + packet(mac, QByteArray(6, '\x11')));
    QTRY_COMPARE(udpAsk(o.listenAddress, "orvane2 get system model", QString(), 200),
                 QByteArray("orvane2 set system model 20"));
    QVERIFY(sim.control("stats").contains(QLatin1String("wol=1")));
}

QTEST_GUILESS_MAIN(TestSimProtocol)
#include "tst_simprotocol.moc"
