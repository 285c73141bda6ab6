// The command path of the channel against the controller simulator over TCP:
// answers and their interpretation, every failure a controller can cause, the
// asynchronous mode and concurrent callers.

#include <QtTest>

#include <cstring>
#include <memory>
#include <thread>
#include <vector>

#include "IOManagerUdpTcp.h"
#include "IoTestHelpers.h"
#include "SimProcess.h"

namespace {

const char* const SimAddress = "127.0.3.1";

// The simulator's command counter, to prove that nothing was sent.
int simCommandCount(SimProcess& sim)
{
    const QString stats = sim.control("stats");
    const QRegularExpression re("commands=(\\d+)");
    const QRegularExpressionMatch m = re.match(stats);
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

}  // namespace

class TestIOManager : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();

    void readsValues();
    void acceptsNumberedNamesWithOtherLeadingZeros();
    void emptyValueIsNoFailure();
    void errorAnswerToReadShowsBox();
    void errorBoxesCanBeSuppressed();
    void valueCountAndParseFailures();
    void writeNeedsExactOk();
    void commandTextIsNeverAFormat();
    void overlongCommandIsNotSent();
    void slowAnswerGetsSecondChance();
    void lostAnswerFailsChannel();
    void closedConnectionFailsChannel();
    void sendOnResetConnectionFails();
    void oversizeAndGarbageAnswers();
    void asyncCommand();
    void asyncReadAndWrite();
    void asyncTimeout();
    void asyncErrorAnswerShowsBox();
    void waitWithoutAsyncCommand();
    void measurementStartRefused();
    void trackingStartOverridesConfiguration();
    void fourThreadsGetTheirOwnAnswers();
    void initTwiceIsRefused();

private:
    std::unique_ptr<IOManagerUdpTcp> connectChannel(MessageBoxProvider* boxes = nullptr);

    SimProcess sim;
    RecordingBoxes boxes;
};

void TestIOManager::initTestCase()
{
    QVERIFY2(sim.start(SimAddress, {"--profile", "demo"}), qPrintable(sim.errorOutput()));
}

void TestIOManager::cleanup()
{
    for (const char* line : {"delay 0", "drop 0", "silent off", "state none", "log off"})
        sim.control(line);
    boxes.take();
}

std::unique_ptr<IOManagerUdpTcp> TestIOManager::connectChannel(MessageBoxProvider* mbp)
{
    auto io = std::make_unique<IOManagerUdpTcp>(mbp);
    unsigned short dataPort = 0;
    if (io->init(SimAddress, 50105, &dataPort) != 0)
        return nullptr;
    if (dataPort == 0)
        return nullptr;
    return io;
}

void TestIOManager::readsValues()
{
    auto io = connectChannel(&boxes);
    QVERIFY(io);
    char value[200];
    QCOMPARE(io->get_par(value, "status active"), 0);
    QCOMPARE(value, "none");
    QCOMPARE(sim.control("state mea"), QString("ok"));
    QCOMPARE(io->get_par(value, "status active"), 0);
    QCOMPARE(value, "mea");

    int cameras = 0;
    QCOMPARE(io->get_par_i(&cameras, "camera number_of_cameras"), 0);
    QCOMPARE("ok " + QString::number(cameras), sim.control("get camera number_of_cameras"));

    sim.control("set test gains = 0.5 -1.25 3");
    double gains[3] = {};
    QCOMPARE(io->get_par_dd(gains, 3, "test gains"), 0);
    QCOMPARE(gains[0], 0.5);
    QCOMPARE(gains[1], -1.25);
    QCOMPARE(gains[2], 3.0);
    double first = 0;
    QCOMPARE(io->get_par_d(&first, "test gains"), -33);
    QCOMPARE(first, 0.5);

    sim.control("set test flag = yes");
    bool flag = false;
    QCOMPARE(io->get_par_yn(&flag, "test flag"), 0);
    QVERIFY(flag);

    char answer[201];
    QCOMPARE(io->execute_cmd(answer, "orvane2 get system %s", "version"), 0);
    QCOMPARE(answer, "orvane2 set system version v2.9.4");
    QCOMPARE(boxes.count(), 0);
}

void TestIOManager::acceptsNumberedNamesWithOtherLeadingZeros()
{
    auto io = connectChannel();
    QVERIFY(io);
    sim.control("raw status number_of_rays c01 | orvane2 set status number_of_rays c1 12");
    int rays = 0;
    QCOMPARE(io->get_par_i(&rays, "status number_of_rays c%02d", 1), 0);
    QCOMPARE(rays, 12);
    sim.control("clear status number_of_rays c01");
}

void TestIOManager::emptyValueIsNoFailure()
{
    auto io = connectChannel();
    QVERIFY(io);
    sim.control("raw test empty | orvane2 set test empty");
    char value[200] = "stale";
    QCOMPARE(io->get_par(value, "test empty"), 0);
    QCOMPARE(value, "");
    sim.control("clear test empty");
}

void TestIOManager::errorAnswerToReadShowsBox()
{
    auto io = connectChannel(&boxes);
    QVERIFY(io);
    sim.control("error status active");
    char value[200];
    QCOMPARE(io->get_par(value, "status active"), -32);
    const QList<RecordedBox> shown = boxes.take();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown[0].type, 2);
    QCOMPARE(shown[0].title, QString("Command Error"));
    QVERIFY2(shown[0].text.startsWith("orvane2 get status active\norvane2 err "),
             qPrintable(shown[0].text));

    // An error answer to a plain command is a result of 0: the caller decides.
    char answer[201];
    QCOMPARE(io->execute_cmd(answer, "orvane2 get status active"), 0);
    QVERIFY(std::strncmp(answer, "orvane2 err ", 12) == 0);
    QCOMPARE(boxes.take().size(), 1);
    sim.control("clear status active");
}

void TestIOManager::errorBoxesCanBeSuppressed()
{
    auto io = connectChannel(&boxes);
    QVERIFY(io);
    sim.control("error status err");
    sim.control("error camera update");
    sim.control("error status active");
    char value[200];
    // These two are polled all the time; their failures never open a box.
    QCOMPARE(io->get_par(value, "status err"), -32);
    QCOMPARE(io->set_par("camera update"), -34);
    QCOMPARE(io->configure_next_cmd(false, -1, true), 0);
    QCOMPARE(io->get_par(value, "status active"), -32);
    QCOMPARE(boxes.count(), 0);
    // The suppression was for that one command only.
    QCOMPARE(io->get_par(value, "status active"), -32);
    QCOMPARE(boxes.count(), 1);
    QVERIFY(!io->isCmdPending());
    for (const char* p : {"clear status err", "clear camera update", "clear status active"})
        sim.control(p);
}

void TestIOManager::valueCountAndParseFailures()
{
    auto io = connectChannel();
    QVERIFY(io);
    int values[3] = {-5, -5, -5};
    sim.control("set test list = 1 2");
    QCOMPARE(io->get_par_ii(values, 3, "test list"), -33);
    QCOMPARE(values[0], 1);
    QCOMPARE(values[1], 2);
    QCOMPARE(values[2], -5);

    sim.control("set test list = 1 x 3");
    values[2] = -5;
    QCOMPARE(io->get_par_ii(values, 3, "test list"), -34);
    QCOMPARE(values[0], 1);
    QCOMPARE(values[1], 0);
    QCOMPARE(values[2], -5);

    bool flag = true;
    sim.control("set test flag = maybe");
    QCOMPARE(io->get_par_yn(&flag, "test flag"), -34);
    // A count below one is the caller's mistake, found after the exchange.
    QCOMPARE(io->get_par_ii(values, 0, "test list"), -31);
    QCOMPARE(io->get_par_i(nullptr, "test list"), -31);
}

void TestIOManager::writeNeedsExactOk()
{
    auto io = connectChannel(&boxes);
    QVERIFY(io);
    QCOMPARE(io->set_par("system hostname %s", "lab-1"), 0);
    QCOMPARE(sim.control("get system hostname"), QString("ok lab-1"));
    // A read-only parameter is refused by the controller with an error answer.
    QCOMPARE(io->set_par("system version v9"), -34);
    QCOMPARE(boxes.take().size(), 1);
    QVERIFY(!io->isCmdPending());
}

void TestIOManager::commandTextIsNeverAFormat()
{
    auto io = connectChannel();
    QVERIFY(io);
    QCOMPARE(sim.control("log on"), QString("ok"));
    sim.takeOutputLines();
    // A text from a file or a controller that holds conversions is sent as it is.
    const char* fromFile = "orvane2 set system hostname %s%n%x%%";
    char answer[201];
    QCOMPARE(io->execute_cmd(answer, "%s", fromFile), 0);
    QString line;
    QVERIFY(sim.waitForOutputLine("cmd tcp", 5000, &line));
    QVERIFY2(line.endsWith(" orvane2 set system hostname %s%n%x%%"), qPrintable(line));
    QCOMPARE(sim.control("get system hostname"), QString("ok %s%n%x%%"));

    char value[200];
    QCOMPARE(io->get_par(value, "system hostname"), 0);
    QCOMPARE(value, "%s%n%x%%");
}

void TestIOManager::overlongCommandIsNotSent()
{
    auto io = connectChannel();
    QVERIFY(io);
    const int before = simCommandCount(sim);
    const QByteArray longText(201 - 8, 'x');
    char answer[201] = "untouched";
    QCOMPARE(io->execute_cmd(answer, "orvane2 %s", longText.constData()), -1);
    char value[200];
    QCOMPARE(io->get_par(value, "%s", QByteArray(189, 'p').constData()), -1);
    QCOMPARE(io->set_par("%s", QByteArray(189, 's').constData()), -1);
    QCOMPARE(simCommandCount(sim), before);
    QVERIFY(!io->isCmdPending());

    // Exactly 200 characters still go out.
    const QByteArray fits(200 - 8, 'y');
    QCOMPARE(io->execute_cmd(answer, "orvane2 %s", fits.constData()), 0);
    QCOMPARE(simCommandCount(sim), before + 1);
}

void TestIOManager::slowAnswerGetsSecondChance()
{
    auto io = connectChannel();
    QVERIFY(io);
    io->set_external_cmd_timeout(300000);
    sim.control("delay 450");
    char value[200];
    QCOMPARE(io->get_par(value, "status active"), 0);
    QCOMPARE(value, "none");
    sim.control("delay 0");
    QCOMPARE(io->get_par(value, "status active"), 0);
    QVERIFY(!io->connectionFailed());
}

void TestIOManager::lostAnswerFailsChannel()
{
    auto io = connectChannel();
    QVERIFY(io);
    RecordingReceiver standard;
    QCOMPARE(io->register_message_receiver("standard", &standard), 0);
    io->set_external_cmd_timeout(200000);
    sim.control("drop 1");

    char answer[201];
    QCOMPARE(io->execute_cmd(answer, "orvane2 get status active"), -111);
    QCOMPARE(answer, "orvane2 err command_exec");
    QCOMPARE(standard.all(),
             QStringList{"1|IOManagerUdpTcp|UDP timeout: last command sent: orvane2 get status "
                         "active"});
    QVERIFY(io->connectionFailed());

    const int before = simCommandCount(sim);
    char value[200];
    QCOMPARE(io->get_par(value, "status active"), -222);
    QCOMPARE(io->set_par("system hostname x"), -222);
    QCOMPARE(io->execute_cmd(answer, "orvane2 init"), -222);
    QCOMPARE(answer, "orvane2 err command_exec");
    QCOMPARE(simCommandCount(sim), before);
    QCOMPARE(standard.all().size(), 1);
    QCOMPARE(io->unregister_message_receiver("standard", &standard), 0);
}

void TestIOManager::closedConnectionFailsChannel()
{
    auto io = connectChannel();
    QVERIFY(io);
    char value[200];
    QCOMPARE(io->get_par(value, "status active"), 0);
    QVERIFY(sim.control("close").startsWith("ok"));
    QCOMPARE(io->get_par(value, "status active"), -22);
    QCOMPARE(io->get_par(value, "status active"), -222);

    // close-after: the answer still arrives, the next command finds the
    // connection gone.
    auto io2 = connectChannel();
    QVERIFY(io2);
    sim.control("close-after 1");
    QCOMPARE(io2->get_par(value, "status active"), 0);
    QCOMPARE(io2->get_par(value, "status active"), -22);
    QVERIFY(io2->connectionFailed());
}

void TestIOManager::sendOnResetConnectionFails()
{
    auto io = connectChannel();
    QVERIFY(io);
    char answer[201];
    QCOMPARE(io->execute_cmd(answer, "orvane2 get status active"), 0);
    QVERIFY(sim.control("close").startsWith("ok"));
    // The status read before a tracking command meets the closed connection
    // first; the command itself then cannot be sent any more.
    QCOMPARE(io->execute_cmd(answer, "orvane2 tracking stop"), -2);
    QCOMPARE(answer, "orvane2 err command_exec");
    QCOMPARE(io->execute_cmd(answer, "orvane2 tracking stop"), -222);
}

void TestIOManager::oversizeAndGarbageAnswers()
{
    auto io = connectChannel();
    QVERIFY(io);
    char answer[201];
    std::memset(answer, 'Z', sizeof answer);
    sim.control("oversize");
    QCOMPARE(io->execute_cmd(answer, "orvane2 get system version"), 0);
    QCOMPARE(int(std::strlen(answer)), 200);
    // The rest of the long answer must not be taken for the next answer.
    char value[200];
    QCOMPARE(io->get_par(value, "system version"), 0);
    QCOMPARE(value, "v2.9.4");

    sim.control("garbage");
    const int r = io->get_par(value, "system version");
    QVERIFY2(r == -32 || r == -34, qPrintable(QString::number(r)));
    QCOMPARE(io->get_par(value, "system version"), 0);
    QCOMPARE(value, "v2.9.4");
}

void TestIOManager::asyncCommand()
{
    auto io = connectChannel(&boxes);
    QVERIFY(io);
    sim.control("delay 100");
    char answer[201] = "";
    QCOMPARE(io->configure_next_cmd(true, 2000, false), 0);
    QVERIFY(io->isCmdPending());
    QCOMPARE(io->execute_cmd(answer, "orvane2 get system model"), 1);
    QVERIFY(io->isCmdPending());

    // The user interface keeps running while the answer is awaited.
    bool timerRan = false;
    QTimer::singleShot(20, [&] { timerRan = true; });
    QElapsedTimer clock;
    clock.start();
    QCOMPARE(io->wait_async_execute_cmd(), 0);
    QVERIFY(clock.elapsed() >= 80);
    QVERIFY(timerRan);
    QCOMPARE(answer, "orvane2 set system model 20");
    QVERIFY(!io->isCmdPending());

    // The next command is synchronous again.
    sim.control("delay 0");
    char value[200];
    QCOMPARE(io->get_par(value, "system model"), 0);
    QCOMPARE(value, "20");
}

void TestIOManager::asyncReadAndWrite()
{
    auto io = connectChannel();
    QVERIFY(io);
    int cameras = 0;
    QCOMPARE(io->configure_next_cmd(true, 1000, false), 0);
    QCOMPARE(io->get_par_i(&cameras, "camera number_of_cameras"), 1);
    QCOMPARE(io->wait_async_execute_cmd(), 0);
    QCOMPARE("ok " + QString::number(cameras), sim.control("get camera number_of_cameras"));

    sim.control("set test list = 7 8");
    int values[2] = {};
    QCOMPARE(io->configure_next_cmd(true, 1000, false), 0);
    QCOMPARE(io->get_par_ii(values, 2, "test list"), 1);
    QCOMPARE(io->wait_async_execute_cmd(), 0);
    QCOMPARE(values[1], 8);

    QCOMPARE(io->configure_next_cmd(true, 1000, false), 0);
    QCOMPARE(io->set_par("system hostname async-host"), 1);
    QCOMPARE(io->wait_async_execute_cmd(), 0);
    QCOMPARE(sim.control("get system hostname"), QString("ok async-host"));

    QCOMPARE(io->configure_next_cmd(true, 1000, false), 0);
    QCOMPARE(io->set_par("system version v9"), 1);
    QCOMPARE(io->wait_async_execute_cmd(), -34);
    QVERIFY(!io->isCmdPending());
}

void TestIOManager::asyncTimeout()
{
    auto io = connectChannel();
    QVERIFY(io);
    io->set_external_cmd_timeout(100000);
    sim.control("delay 400");
    char answer[201];
    QCOMPARE(io->configure_next_cmd(true, 50, false), 0);
    QCOMPARE(io->execute_cmd(answer, "orvane2 get system model"), 1);
    QElapsedTimer clock;
    clock.start();
    QCOMPARE(io->wait_async_execute_cmd(), -1);
    // The external time-out (100 ms) is the lower bound of the answer time-out.
    QVERIFY(clock.elapsed() >= 95);
    QVERIFY(clock.elapsed() < 390);
    QVERIFY(!io->isCmdPending());
    QVERIFY(!io->connectionFailed());
}

void TestIOManager::asyncErrorAnswerShowsBox()
{
    auto io = connectChannel(&boxes);
    QVERIFY(io);
    sim.control("error status active");
    char value[200];
    QCOMPARE(io->configure_next_cmd(true, 1000, false), 0);
    QCOMPARE(io->get_par(value, "status active"), 1);
    QCOMPARE(io->wait_async_execute_cmd(), -32);
    const QList<RecordedBox> shown = boxes.take();
    QCOMPARE(shown.size(), 1);
    QVERIFY(shown[0].text.startsWith("orvane2 get status active\norvane2 err"));

    QCOMPARE(io->configure_next_cmd(true, 1000, true), 0);
    QCOMPARE(io->get_par(value, "status active"), 1);
    QCOMPARE(io->wait_async_execute_cmd(), -32);
    QCOMPARE(boxes.count(), 0);
    sim.control("clear status active");
}

void TestIOManager::waitWithoutAsyncCommand()
{
    auto io = connectChannel();
    QVERIFY(io);
    QCOMPARE(io->wait_async_execute_cmd(), -1);
    QVERIFY(!io->isCmdPending());
    // A synchronous configuration is not an asynchronous command either, and
    // the wait leaves it in place.
    QCOMPARE(io->configure_next_cmd(false, 1000, false), 0);
    QCOMPARE(io->wait_async_execute_cmd(), -1);
    QVERIFY(io->isCmdPending());
    char value[200];
    QCOMPARE(io->get_par(value, "status active"), 0);
    QVERIFY(!io->isCmdPending());
}

void TestIOManager::measurementStartRefused()
{
    auto io = connectChannel(&boxes);
    QVERIFY(io);
    struct Case
    {
        const char* count;
        const char* text;
    };
    const Case cases[] = {
        {"0",
         "Measurement start failed:\nReference target cannot be tracked\n(see 'Event "
         "Display' for details)"},
        {"1",
         "Measurement start failed:\nThere are 2 bodies that are equal or too similar to be "
         "tracked\n(see 'Event Display' for details)"},
        {"3",
         "Measurement start failed:\nThere are 3 bodies that are equal or too similar to be "
         "tracked\n (see 'Event Display' for details)"},
    };
    for (const Case& c : cases) {
        sim.control(QString("refuse-tracking ") + c.count);
        char answer[201];
        QCOMPARE(io->execute_cmd(answer, "orvane2 tracking start"), 0);
        QCOMPARE(QString(answer), QString("orvane2 err -99 1 ") + c.count);
        const QList<RecordedBox> shown = boxes.take();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].title, QString("Command Failed"));
        QCOMPARE(shown[0].text, QString(c.text));
    }
}

void TestIOManager::trackingStartOverridesConfiguration()
{
    auto io = connectChannel(&boxes);
    QVERIFY(io);
    // Configured asynchronous with boxes off: the measurement start still runs
    // synchronously and shows its box.
    QCOMPARE(io->configure_next_cmd(true, 100, true), 0);
    sim.control("refuse-tracking 0");
    char answer[201];
    QCOMPARE(io->execute_cmd(answer, "orvane2 tracking start"), 0);
    QCOMPARE(boxes.take().size(), 1);
    QVERIFY(!io->isCmdPending());
}

void TestIOManager::fourThreadsGetTheirOwnAnswers()
{
    auto io = connectChannel();
    QVERIFY(io);
    for (int t = 0; t < 4; ++t)
        sim.control(QString("set test thread t%1 = %2").arg(t).arg(1000 + t));
    sim.control("delay 1");

    std::atomic<int> wrong{0};
    std::atomic<int> failed{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&, t] {
            for (int i = 0; i < 40; ++i) {
                int value = 0;
                const int r = io->get_par_i(&value, "test thread t%d", t);
                if (r != 0)
                    ++failed;
                else if (value != 1000 + t)
                    ++wrong;
            }
        });
    }
    for (std::thread& th : threads)
        th.join();
    QCOMPARE(failed.load(), 0);
    QCOMPARE(wrong.load(), 0);
    QVERIFY(!io->isCmdPending());
}

void TestIOManager::initTwiceIsRefused()
{
    auto io = connectChannel();
    QVERIFY(io);
    unsigned short port = 0;
    QCOMPARE(io->init(SimAddress, 50105, &port), -1);
    char ip[100];
    io->get_trackbox_ip(ip, sizeof ip);
    QCOMPARE(ip, SimAddress);
    char tiny[4];
    io->get_trackbox_ip(tiny, sizeof tiny);
    QCOMPARE(tiny, "127");

    // Nobody listens there: the connect fails and nothing is ever sent.
    IOManagerUdpTcp unreachable;
    QCOMPARE(unreachable.init("127.0.3.99", 50105, &port), -2);
    char answer[201];
    QCOMPARE(unreachable.execute_cmd(answer, "orvane2 get status active"), -222);
}

QTEST_GUILESS_MAIN(TestIOManager)
#include "tst_iomanager.moc"
