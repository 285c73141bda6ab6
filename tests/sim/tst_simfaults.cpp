// Every fault switch of the simulator, seen from a client on the wire.

#include "ChaosMix.h"
#include "SimController.h"
#include "SimTestClient.h"

#include <QElapsedTimer>
#include <QtTest>

#include <climits>
#include <memory>

using namespace simtest;

template <int N>
static QByteArray z(const char (&s)[N])
{
    return QByteArray(s, N - 1);
}
using orvane::sim::SimController;
using orvane::sim::SimOptions;

class TestSimFaults : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();

    void delayEveryAnswer();
    void dropNextAnswers();
    void silentAnswersNothing();
    void closeNow();
    void closeAfterAnswers();
    void errorForOneParameter();
    void rawAnswerForOneParameter();
    void oversizeAnswer();
    void garbageAnswer();
    void dataOutputStopAndFlood();
    void faultsFromTheCommandLine();
    void chaosMixDraws_data();
    void chaosMixDraws();
    void chaosAnswersOnTheWire();

private:
    bool measureInto(QUdpSocket* data, TcpClient* c);
    int countDatagrams(QUdpSocket* data, int ms, int enough = INT_MAX);

    std::unique_ptr<SimController> m_sim;
    const QString m_addr = QStringLiteral("127.0.2.20");
};

void TestSimFaults::initTestCase()
{
    SimOptions o;
    o.listenAddress = m_addr;
    m_sim = std::make_unique<SimController>(o);
    QString error;
    QVERIFY2(m_sim->start(&error), qPrintable(error));
}

void TestSimFaults::cleanup()
{
    QCOMPARE(m_sim->control(QStringLiteral("reset")), QStringLiteral("ok"));
    m_sim->control(QStringLiteral("state none"));
}

void TestSimFaults::delayEveryAnswer()
{
    TcpClient c;
    QVERIFY(c.connectTo(m_addr));
    QCOMPARE(m_sim->control(QStringLiteral("delay 300")), QStringLiteral("ok"));
    QElapsedTimer clock;
    clock.start();
    QVERIFY(c.answer(0).isNull());
    QCOMPARE(c.ask("orvane2 get system model"), QByteArray("orvane2 set system model 20"));
    QVERIFY(clock.elapsed() >= 280);
    clock.restart();
    QCOMPARE(udpAsk(m_addr, "orvane2 get system model"), QByteArray("orvane2 set system model 20"));
    QVERIFY(clock.elapsed() >= 280);
    // Pipelined commands keep their order under delay.
    QVERIFY(c.sendRaw(z("orvane2 get system model\0orvane2 get system hostname\0")));
    QCOMPARE(c.answer(), QByteArray("orvane2 set system model 20"));
    QCOMPARE(c.answer(), QByteArray("orvane2 set system hostname trackbox-demo"));
    // A late answer is overtaken by the answer to a command sent after the delay was lifted.
    // The delay may only be lifted once the simulator holds the first command.
    const auto tcpCount = [this] {
        const QString s = m_sim->control(QStringLiteral("stats"));
        return s.section(QLatin1String("tcp="), 1).section(QLatin1Char(' '), 0, 0).toInt();
    };
    const int received = tcpCount();
    QVERIFY(c.sendRaw(z("orvane2 get system model\0")));
    QTRY_COMPARE(tcpCount(), received + 1);
    QCOMPARE(m_sim->control(QStringLiteral("delay 0")), QStringLiteral("ok"));
    clock.restart();
    QCOMPARE(c.ask("orvane2 get system hostname"),
             QByteArray("orvane2 set system hostname trackbox-demo"));
    QVERIFY(clock.elapsed() < 280);
    QCOMPARE(c.answer(), QByteArray("orvane2 set system model 20"));
}

void TestSimFaults::dropNextAnswers()
{
    TcpClient c;
    QVERIFY(c.connectTo(m_addr));
    QCOMPARE(m_sim->control(QStringLiteral("drop 2")), QStringLiteral("ok"));
    QVERIFY(
        c.sendRaw(z("orvane2 get system model\0orvane2 get system serial_x\0"
                    "orvane2 get system hostname\0")));
    QCOMPARE(c.answer(), QByteArray("orvane2 set system hostname trackbox-demo"));
    QVERIFY(c.answer(200).isNull());
    // A dropped command still takes effect; only its answer is lost.
    QCOMPARE(m_sim->control(QStringLiteral("drop 1")), QStringLiteral("ok"));
    QVERIFY(udpAsk(m_addr, "orvane2 set tracking pulse 50", QString(), 300).isNull());
    QCOMPARE(c.ask("orvane2 get tracking pulse"), QByteArray("orvane2 set tracking pulse 50"));
    QCOMPARE(c.ask("orvane2 set tracking pulse 60"), QByteArray("orvane2 ok"));
}

void TestSimFaults::silentAnswersNothing()
{
    TcpClient c;
    QVERIFY(c.connectTo(m_addr));
    const auto udpCount = [this] {
        const QString s = m_sim->control(QStringLiteral("stats"));
        return s.section(QLatin1String("udp="), 1).section(QLatin1Char(' '), 0, 0).toInt();
    };
    const int before = udpCount();
    QCOMPARE(m_sim->control(QStringLiteral("silent on")), QStringLiteral("ok"));
    QVERIFY(c.ask("orvane2 set tracking pulse 50", 300).isNull());
    QVERIFY(udpAsk(m_addr, "orvane2 get system model", QString(), 300).isNull());
    QCOMPARE(m_sim->control(QStringLiteral("silent off")), QStringLiteral("ok"));
    // Silent means hung: the write above never happened.
    QCOMPARE(c.ask("orvane2 get tracking pulse"), QByteArray("orvane2 set tracking pulse 60"));
    // Commands still arrive and are counted; they are just not served.
    QCOMPARE(udpCount(), before + 1);
}

void TestSimFaults::closeNow()
{
    TcpClient c;
    QVERIFY(c.connectTo(m_addr));
    QCOMPARE(c.ask("orvane2 get system model"), QByteArray("orvane2 set system model 20"));
    QCOMPARE(m_sim->control(QStringLiteral("close")), QStringLiteral("ok 1"));
    QVERIFY(c.waitForClosed());
    TcpClient again;
    QVERIFY(again.connectTo(m_addr));
    QCOMPARE(again.ask("orvane2 get system model"), QByteArray("orvane2 set system model 20"));
}

void TestSimFaults::closeAfterAnswers()
{
    TcpClient c;
    QVERIFY(c.connectTo(m_addr));
    QCOMPARE(m_sim->control(QStringLiteral("close-after 2")), QStringLiteral("ok"));
    QCOMPARE(c.ask("orvane2 get system model"), QByteArray("orvane2 set system model 20"));
    QCOMPARE(c.ask("orvane2 get system hostname"),
             QByteArray("orvane2 set system hostname trackbox-demo"));
    QVERIFY(c.waitForClosed());
    // The switch fires once.
    TcpClient again;
    QVERIFY(again.connectTo(m_addr));
    for (int i = 0; i < 4; ++i)
        QCOMPARE(again.ask("orvane2 get system model"), QByteArray("orvane2 set system model 20"));
}

void TestSimFaults::errorForOneParameter()
{
    TcpClient c;
    QVERIFY(c.connectTo(m_addr));
    QCOMPARE(m_sim->control(QStringLiteral("error camera focal_length c1")), QStringLiteral("ok"));
    QCOMPARE(c.ask("orvane2 get camera focal_length c01"),
             QByteArray("orvane2 err 9 parameter error"));
    QCOMPARE(c.ask("orvane2 set camera focal_length c001 6.0"),
             QByteArray("orvane2 err 9 parameter error"));
    QCOMPARE(udpAsk(m_addr, "orvane2 get camera focal_length c1"),
             QByteArray("orvane2 err 9 parameter error"));
    QCOMPARE(c.ask("orvane2 get camera focal_length c02"),
             QByteArray("orvane2 set camera focal_length c02 8.0"));
    // Live parameters can fail too.
    QCOMPARE(m_sim->control(QStringLiteral("error status active")), QStringLiteral("ok"));
    QCOMPARE(c.ask("orvane2 get status active"), QByteArray("orvane2 err 9 parameter error"));
    QCOMPARE(m_sim->control(QStringLiteral("clear camera focal_length c01")), QStringLiteral("ok"));
    QCOMPARE(c.ask("orvane2 get camera focal_length c1"),
             QByteArray("orvane2 set camera focal_length c01 8.0"));
    QVERIFY(m_sim->control(QStringLiteral("clear camera focal_length c01"))
                .startsWith(QLatin1String("err")));
}

void TestSimFaults::rawAnswerForOneParameter()
{
    TcpClient c;
    QVERIFY(c.connectTo(m_addr));
    QCOMPARE(m_sim->control(QStringLiteral("raw system version | orvane2 set system version")),
             QStringLiteral("ok"));
    QCOMPARE(c.ask("orvane2 get system version"), QByteArray("orvane2 set system version"));
    QCOMPARE(m_sim->control(QStringLiteral(
                 "raw status number_of_rays c02 | orvane2 set status number_of_rays c2 17")),
             QStringLiteral("ok"));
    QCOMPARE(c.ask("orvane2 get status number_of_rays c02"),
             QByteArray("orvane2 set status number_of_rays c2 17"));
    QCOMPARE(m_sim->control(QStringLiteral("raw config desc | something else | entirely")),
             QStringLiteral("ok"));
    QCOMPARE(udpAsk(m_addr, "orvane2 get config desc"), QByteArray("something else | entirely"));
    // Writes of that parameter behave normally.
    QCOMPARE(c.ask("orvane2 set config desc \"x\""), QByteArray("orvane2 ok"));
    QCOMPARE(m_sim->control(QStringLiteral("clear config desc")), QStringLiteral("ok"));
    QCOMPARE(c.ask("orvane2 get config desc"), QByteArray("orvane2 set config desc \"x\""));
    QCOMPARE(c.ask("orvane2 set config desc \"Demo configuration\""), QByteArray("orvane2 ok"));
    // Writes and other commands can be given their own answer.
    QCOMPARE(m_sim->control(QStringLiteral("raw-set tracking pulse | orvane2 ok ")),
             QStringLiteral("ok"));
    QCOMPARE(c.ask("orvane2 set tracking pulse 50"), QByteArray("orvane2 ok "));
    QCOMPARE(c.ask("orvane2 get tracking pulse"), QByteArray("orvane2 set tracking pulse 60"));
    QCOMPARE(m_sim->control(QStringLiteral("raw-cmd getmsg | orvane2 err 1 broken")),
             QStringLiteral("ok"));
    QCOMPARE(c.ask("orvane2 getmsg"), QByteArray("orvane2 err 1 broken"));
    QCOMPARE(c.ask("orvane2 getmsg"), QByteArray("orvane2 err 1 broken"));
    QCOMPARE(m_sim->control(QStringLiteral("clear getmsg")), QStringLiteral("ok"));
    QCOMPARE(m_sim->control(QStringLiteral("clear tracking pulse")), QStringLiteral("ok"));
    QVERIFY(!c.ask("orvane2 getmsg").startsWith("orvane2 err"));
    QCOMPARE(c.ask("orvane2 set tracking pulse 60"), QByteArray("orvane2 ok"));
    QCOMPARE(m_sim->control(QStringLiteral("clear system version")), QStringLiteral("ok"));
    QCOMPARE(m_sim->control(QStringLiteral("clear status number_of_rays c2")),
             QStringLiteral("ok"));
}

void TestSimFaults::oversizeAnswer()
{
    TcpClient c;
    QVERIFY(c.connectTo(m_addr));
    QCOMPARE(m_sim->control(QStringLiteral("oversize")), QStringLiteral("ok"));
    const QByteArray big = c.ask("orvane2 get system model");
    QVERIFY2(big.size() > 200, qPrintable(QString::number(big.size())));
    QVERIFY(big.startsWith("orvane2 set system model 20 "));
    QCOMPARE(c.ask("orvane2 get system model"), QByteArray("orvane2 set system model 20"));
    QCOMPARE(m_sim->control(QStringLiteral("oversize")), QStringLiteral("ok"));
    QVERIFY(udpAsk(m_addr, "orvane2 get system model").size() > 200);
}

void TestSimFaults::garbageAnswer()
{
    TcpClient c;
    QVERIFY(c.connectTo(m_addr));
    QCOMPARE(m_sim->control(QStringLiteral("garbage")), QStringLiteral("ok"));
    const QByteArray junk = c.ask("orvane2 get system model");
    QVERIFY(!junk.isEmpty());
    QVERIFY(!junk.startsWith("orvane2"));
    QVERIFY(!junk.contains('\0'));
    // The stream stays in step: exactly one answer was replaced.
    QCOMPARE(c.ask("orvane2 get system model"), QByteArray("orvane2 set system model 20"));
}

bool TestSimFaults::measureInto(QUdpSocket* data, TcpClient* c)
{
    if (!data->bind(QHostAddress(QStringLiteral("127.0.2.120")), 0) ||
        !c->connectTo(m_addr, QStringLiteral("127.0.2.120")))
        return false;
    return c->ask("orvane2 set output net chmon udp my_ip " +
                  QByteArray::number(data->localPort())) == "orvane2 ok" &&
           c->ask("orvane2 set output active chmon 6d yes") == "orvane2 ok" &&
           c->ask("orvane2 tracking start") == "orvane2 ok";
}

int TestSimFaults::countDatagrams(QUdpSocket* data, int ms, int enough)
{
    int n = 0;
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms && n < enough) {
        if (data->waitForReadyRead(50))
            while (data->hasPendingDatagrams()) {
                data->receiveDatagram();
                ++n;
            }
    }
    return n;
}

void TestSimFaults::dataOutputStopAndFlood()
{
    QUdpSocket data;
    TcpClient c;
    QVERIFY(measureInto(&data, &c));
    QVERIFY(data.waitForReadyRead(2000));
    QCOMPARE(m_sim->control(QStringLiteral("data stop")), QStringLiteral("ok"));
    countDatagrams(&data, 100);  // what was already on its way
    QCOMPARE(countDatagrams(&data, 300), 0);
    // Measurement goes on; only the data path is dead.
    QCOMPARE(c.ask("orvane2 get status active"), QByteArray("orvane2 set status active mea"));
    QCOMPARE(m_sim->control(QStringLiteral("data start")), QStringLiteral("ok"));
    QVERIFY(data.waitForReadyRead(2000));
    QCOMPARE(m_sim->control(QStringLiteral("data flood 5000")), QStringLiteral("ok"));
    // 200 datagrams within 3 s: more than the normal 60 Hz output could ever send,
    // yet reachable by a flood on a slow (sanitizer) build.
    const int flooded = countDatagrams(&data, 3000, 200);
    QVERIFY2(flooded >= 200, qPrintable(QString::number(flooded)));
    QVERIFY(m_sim->control(QStringLiteral("data flood 0")).startsWith(QLatin1String("err")));
    QCOMPARE(c.ask("orvane2 tracking stop"), QByteArray("orvane2 ok"));
    QCOMPARE(c.ask("orvane2 set output active chmon 6d no"), QByteArray("orvane2 ok"));
}

void TestSimFaults::faultsFromTheCommandLine()
{
    SimOptions o;
    o.listenAddress = QStringLiteral("127.0.2.21");
    o.controlLines =
        QStringList{QStringLiteral("close-after 1"), QStringLiteral("error system hostname")};
    SimController sim(o);
    QString error;
    QVERIFY2(sim.start(&error), qPrintable(error));
    TcpClient c;
    QVERIFY(c.connectTo(o.listenAddress));
    QCOMPARE(c.ask("orvane2 get system hostname"), QByteArray("orvane2 err 9 parameter error"));
    QVERIFY(c.waitForClosed());
    sim.stop();
    // A switch that makes no sense stops the start with the reason.
    o.controlLines = QStringList{QStringLiteral("delay soon")};
    SimController bad(o);
    QVERIFY(!bad.start(&error));
    QVERIFY2(error.contains(QLatin1String("delay soon")), qPrintable(error));
}

using orvane::sim::ChaosMix;

void TestSimFaults::chaosMixDraws_data()
{
    QTest::addColumn<int>("rate");
    QTest::addColumn<int>("validAtLeast");
    QTest::addColumn<int>("validAtMost");
    QTest::newRow("never") << 0 << 1000 << 1000;
    QTest::newRow("default share") << ChaosMix::DefaultRatePercent << 650 << 850;
    QTest::newRow("always") << 100 << 0 << 0;
}

// The same seed draws the same answers; each kind of fault comes, and a
// delayed answer stays within the front-end's time-out while a late one passes it.
void TestSimFaults::chaosMixDraws()
{
    QFETCH(int, rate);
    QFETCH(int, validAtLeast);
    QFETCH(int, validAtMost);
    ChaosMix a, b;
    for (ChaosMix* m : {&a, &b}) {
        m->setRate(rate);
        m->start(4711);
    }
    QMap<ChaosMix::Answer, int> seen;
    for (int i = 0; i < 1000; ++i) {
        const ChaosMix::Draw d = a.draw();
        const ChaosMix::Draw again = b.draw();
        QCOMPARE(int(again.answer), int(d.answer));
        QCOMPARE(again.delayMs, d.delayMs);
        ++seen[d.answer];
        if (d.answer == ChaosMix::Answer::Delayed)
            QVERIFY(d.delayMs > 0 && d.delayMs < ChaosMix::AnswerTimeoutMs);
        else if (d.answer == ChaosMix::Answer::Late)
            QVERIFY(d.delayMs > ChaosMix::AnswerTimeoutMs);
        else
            QCOMPARE(d.delayMs, 0);
    }
    const int valid = seen.value(ChaosMix::Answer::Valid);
    QVERIFY2(valid >= validAtLeast && valid <= validAtMost, qPrintable(QString::number(valid)));
    if (rate == 100)
        QCOMPARE(seen.size(), int(ChaosMix::Answer::Count) - 1);
}

// Every answer of a client in chaos is a kind the mix names, the control line counts
// them, and "chaos off" gives the real answers back.
void TestSimFaults::chaosAnswersOnTheWire()
{
    TcpClient c;
    QVERIFY(c.connectTo(m_addr));
    QVERIFY(m_sim->control(QStringLiteral("chaos 9 100")).startsWith("ok seed=9 rate=100 valid=0"));
    // Drops and late answers leave the stream out of step, so one connection per question.
    int answered = 0;
    for (int i = 0; i < 12; ++i) {
        TcpClient q;
        QVERIFY(q.connectTo(m_addr));
        const QByteArray a = q.ask("orvane2 get system model", 300);
        QVERIFY2(a != "orvane2 set system model 20", a.constData());
        answered += a.isNull() ? 0 : 1;
    }
    const QString counts = m_sim->control(QStringLiteral("chaos"));
    QVERIFY2(counts.contains(" valid=0 "), qPrintable(counts));
    QVERIFY(answered > 0);
    QVERIFY(m_sim->control(QStringLiteral("chaos off")).startsWith(QLatin1String("ok")));
    QCOMPARE(c.ask("orvane2 get system model"), QByteArray("orvane2 set system model 20"));
    QVERIFY(m_sim->control(QStringLiteral("chaos 1 101")).startsWith(QLatin1String("err usage")));
    QVERIFY(m_sim->control(QStringLiteral("chaos soon")).startsWith(QLatin1String("err usage")));
}

QTEST_GUILESS_MAIN(TestSimFaults)
#include "tst_simfaults.moc"
