// Short questions to one controller, the simulator.  Late and foreign answers are driven
// by the connection dialog's and the scanner's lab tests.

#include <QtTest>

#include "ControllerProbe.h"
#include "IOManager.h"
#include "SimProcess.h"

namespace {

const char* const SimAddress = "127.0.3.5";
const uint32_t SimIp = (127u << 24) | (3u << 8) | 5u;
const uint32_t NobodyIp = (127u << 24) | (3u << 8) | 98u;

}  // namespace

class TestControllerProbe : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();

    void readsFromTheAskedController();
    void refusals_data();
    void refusals();
    void addressTexts();

private:
    SimProcess sim;
};

void TestControllerProbe::initTestCase()
{
    QVERIFY2(sim.start(SimAddress, {"--profile", "demo"}), qPrintable(sim.errorOutput()));
    QCOMPARE(sim.control("set system model = 20"), QString("ok"));
    QCOMPARE(sim.control("set system version = v2.9.4"), QString("ok"));
}

void TestControllerProbe::cleanup()
{
    sim.control("silent off");
}

void TestControllerProbe::readsFromTheAskedController()
{
    ControllerProbe probe;
    QVERIFY(probe.isOpen());
    probe.setController(SimIp);
    char value[IOManager::MaxTextLength + 1];
    QCOMPARE(probe.readParameter("system version", value), 0);
    QCOMPARE(value, "v2.9.4");

    ControllerProbe quick(ControllerProbe::kStartupTiming, AP_SOCK_ANYPORT);
    quick.setController(SimIp);
    QString rest;
    QVERIFY(quick.askFor("orvane2 get system model", "orvane2 set system model ", &rest));
    QCOMPARE(rest, QString("20"));
    QVERIFY(!quick.askFor("orvane2 get system model", "orvane2 set system version ", &rest));
}

void TestControllerProbe::refusals_data()
{
    QTest::addColumn<uint>("ip");
    QTest::addColumn<QByteArray>("parameter");
    QTest::addColumn<int>("result");

    QTest::newRow("nobody there") << NobodyIp << QByteArray("system version") << -1;
    QTest::newRow("address 0 is this host") << 0u << QByteArray("system version") << -2;
    QTest::newRow("error answer") << SimIp << QByteArray("no such parameter")
                                  << int(ControllerProbe::WrongAnswer);
    QTest::newRow("line break") << SimIp << QByteArray("system version\r\nsystem reboot")
                                << IOManager::CommandNotOneLine;
    QTest::newRow("too long") << SimIp << QByteArray(188, 'x') << -1;
}

void TestControllerProbe::refusals()
{
    QFETCH(uint, ip);
    QFETCH(QByteArray, parameter);
    QFETCH(int, result);
    const QString before = sim.control("stats");
    ControllerProbe probe;
    probe.setController(ip);
    char value[IOManager::MaxTextLength + 1] = "x";
    QCOMPARE(probe.readParameter(parameter.constData(), value), result);
    QCOMPARE(value, "");
    QCOMPARE(probe.lastSendError(), 0);
    if (result != int(ControllerProbe::WrongAnswer) && ip == SimIp)
        QCOMPARE(sim.control("stats").section("udp=", 1).section(' ', 0, 0),
                 before.section("udp=", 1).section(' ', 0, 0));
}

void TestControllerProbe::addressTexts()
{
    QCOMPARE(ControllerAddress::dotted(SimIp), QString("127.0.3.5"));
    QCOMPARE(ControllerAddress::dotted(0xC0A800FFu), QString("192.168.0.255"));
    QCOMPARE(ControllerAddress::resolve(QString(SimAddress)), SimIp);
    QCOMPARE(ControllerAddress::resolve(QString()), 0u);
}

QTEST_GUILESS_MAIN(TestControllerProbe)
#include "tst_controllerprobe.moc"
