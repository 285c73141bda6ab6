// The command path of the channel against the controller simulator over TCP:
// answers and their interpretation, every failure a controller can cause, the
// asynchronous mode and concurrent callers.

#include <QtTest>

#include <cstring>
#include <memory>
#include <thread>
#include <vector>

#include "IOManagerUdp.h"
#include "IOManagerUdpTcp.h"
#include "IoTestHelpers.h"
#include "SimProcess.h"

namespace {

const char* const SimAddress = "127.0.3.1";

// The simulator's command counter, to prove that nothing was sent.
int simCommandCount(SimProcess& sim)
{
    const QRegularExpressionMatch m =
        QRegularExpression("commands=(\\d+)").match(sim.control("stats"));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

// The entry points a caller can hand a text with a line break to.
enum class Entry
{
    Execute,
    ExecuteZeroByte,
    GetPar,
    GetParI,
    GetParD,
    GetParYn,
    GetParIi,
    GetParDd,
    GetParZeroByte,
    SetPar,
    AsyncGetPar,
    AsyncExecute
};

int callEntry(IOManager& io, Entry entry, const char* text)
{
    char answer[IOManager::MaxTextLength + 1] = {};
    int i[2] = {};
    double d[2] = {};
    bool yn = false;
    switch (entry) {
        case Entry::Execute:
            return io.execute_cmd(answer, "orvane2 get config desc_of_config %s", text);
        case Entry::ExecuteZeroByte:
            return io.execute_cmd(answer, "orvane2 get system hostname%c%s", 0, text);
        case Entry::GetPar:
            return io.get_par(answer, "config desc_of_config %s", text);
        case Entry::GetParI:
            return io.get_par_i(i, "status number_of_rays %s", text);
        case Entry::GetParD:
            return io.get_par_d(d, "camera focal_length %s", text);
        case Entry::GetParYn:
            return io.get_par_yn(&yn, "config config_has_password %s", text);
        case Entry::GetParIi:
            return io.get_par_ii(i, 2, "status number_of_rays %s", text);
        case Entry::GetParDd:
            return io.get_par_dd(d, 2, "camera focal_length %s", text);
        case Entry::GetParZeroByte:
            return io.get_par(answer, "system hostname%c%s", 0, text);
        case Entry::SetPar:
            return io.set_par("config desc %s", text);
        case Entry::AsyncGetPar:
            io.configure_next_cmd(true, 1000, true);
            return io.get_par(answer, "config desc_of_config %s", text);
        case Entry::AsyncExecute:
            io.configure_next_cmd(true, 1000, true);
            return io.execute_cmd(answer, "orvane2 get config desc_of_config %s", text);
    }
    return 0;
}

}  // namespace

class TestIOManager : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();

    void readsValues();
    void errorBoxes();
    void valueAndWriteFailures();
    void commandTextIsNeverAFormat();
    void overlongCommandIsNotSent();
    void commandIsOneLine_data();
    void commandIsOneLine();
    void slowAnswerGetsSecondChance();
    void lostAnswerFailsChannel();
    void closedConnectionFailsChannel();
    void oversizeAndGarbageAnswers();
    void asyncCommands();
    void asyncTimeoutAndMisuse();
    void measurementStartRefused();
    void fourThreadsGetTheirOwnAnswers();
    void connectFailures();

private:
    std::unique_ptr<IOManagerUdpTcp> connectChannel(MessageBoxProvider* mbp = nullptr);

    SimProcess sim;
    RecordingBoxes boxes;
};

void TestIOManager::initTestCase()
{
    QVERIFY2(sim.start(SimAddress, {"--profile", "demo"}), qPrintable(sim.errorOutput()));
    // The values the checks below expect, whatever the profile says.
    QCOMPARE(sim.control("set system model = 20"), QString("ok"));
    QCOMPARE(sim.control("set system version = v2.9.4"), QString("ok"));
}

void TestIOManager::cleanup()
{
    for (const char* line : {"delay 0", "drop 0", "silent off", "state none", "log off",
                             "clear status active", "clear status err", "clear camera update"})
        sim.control(line);
    boxes.take();
}

std::unique_ptr<IOManagerUdpTcp> TestIOManager::connectChannel(MessageBoxProvider* mbp)
{
    auto io = std::make_unique<IOManagerUdpTcp>(mbp);
    unsigned short dataPort = 0;
    if (io->init(SimAddress, 50105, &dataPort) != 0 || dataPort == 0)
        return nullptr;
    return io;
}

void TestIOManager::readsValues()
{
    auto io = connectChannel(&boxes);
    QVERIFY(io);
    char value[200];
    QCOMPARE(sim.control("state mea"), QString("ok"));
    QCOMPARE(io->get_par(value, "status active"), 0);
    QCOMPARE(value, "mea");

    int cameras = 0;
    QCOMPARE(io->get_par_i(&cameras, "camera number_of_cameras"), 0);
    QCOMPARE("ok " + QString::number(cameras), sim.control("get camera number_of_cameras"));
    sim.control("set test gains = 0.5 -1.25 3");
    double gains[3] = {};
    QCOMPARE(io->get_par_dd(gains, 3, "test gains"), 0);
    QCOMPARE(gains[1], -1.25);
    sim.control("set test flag = yes");
    bool flag = false;
    QCOMPARE(io->get_par_yn(&flag, "test flag"), 0);
    QVERIFY(flag);

    // The controller may write numbered names with other leading zeros.
    sim.control("raw status number_of_rays c01 | orvane2 set status number_of_rays c1 12");
    int rays = 0;
    QCOMPARE(io->get_par_i(&rays, "status number_of_rays c%02d", 1), 0);
    QCOMPARE(rays, 12);
    // An answer that is just the prefix is an empty value, not a failure.
    sim.control("raw test empty | orvane2 set test empty");
    QCOMPARE(io->get_par(value, "test empty"), 0);
    QCOMPARE(value, "");

    char answer[201];
    QCOMPARE(io->execute_cmd(answer, "orvane2 get system %s", "version"), 0);
    QCOMPARE(answer, "orvane2 set system version v2.9.4");
    QCOMPARE(boxes.count(), 0);
    sim.control("clear status number_of_rays c01");
    sim.control("clear test empty");
}

void TestIOManager::errorBoxes()
{
    auto io = connectChannel(&boxes);
    QVERIFY(io);
    for (const char* p : {"error status active", "error status err", "error camera update"})
        sim.control(p);
    char value[200];
    QCOMPARE(io->get_par(value, "status active"), -32);
    QList<RecordedBox> shown = boxes.take();
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown[0].kind, 2);
    QCOMPARE(shown[0].title, QString("Command Error"));
    QVERIFY2(shown[0].text.startsWith("orvane2 get status active\norvane2 err "),
             qPrintable(shown[0].text));

    // An error answer to a plain command is a result of 0: the caller decides.
    char answer[201];
    QCOMPARE(io->execute_cmd(answer, "orvane2 get status active"), 0);
    QVERIFY(std::strncmp(answer, "orvane2 err ", 12) == 0);
    QCOMPARE(boxes.take().size(), 1);

    // These two are polled all the time; their failures never open a box.
    QCOMPARE(io->get_par(value, "status err"), -32);
    QCOMPARE(io->set_par("camera update c01"), -34);
    // Suppression applies to the configured command only.
    QCOMPARE(io->configure_next_cmd(false, -1, true), 0);
    QCOMPARE(io->get_par(value, "status active"), -32);
    QCOMPARE(boxes.count(), 0);
    QCOMPARE(io->get_par(value, "status active"), -32);
    QCOMPARE(boxes.take().size(), 1);
    QVERIFY(!io->isCmdPending());
}

void TestIOManager::valueAndWriteFailures()
{
    auto io = connectChannel(&boxes);
    QVERIFY(io);
    int values[3] = {-5, -5, -5};
    sim.control("set test list = 1 2");
    QCOMPARE(io->get_par_ii(values, 3, "test list"), -33);
    QCOMPARE(values[1], 2);
    QCOMPARE(values[2], -5);
    sim.control("set test list = 1 x 3");
    QCOMPARE(io->get_par_ii(values, 3, "test list"), -34);
    QCOMPARE(values[0], 1);
    QCOMPARE(values[1], 0);
    QCOMPARE(values[2], -5);
    // A count below one is the caller's mistake, found after the exchange.
    QCOMPARE(io->get_par_ii(values, 0, "test list"), -31);

    QCOMPARE(io->set_par("system hostname %s", "lab-1"), 0);
    QCOMPARE(sim.control("get system hostname"), QString("ok lab-1"));
    // A read-only parameter: the controller refuses with an error answer.
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
    char answer[201];
    QCOMPARE(io->execute_cmd(answer, "%s", "orvane2 set system hostname %s%n%x%%"), 0);
    QString line;
    QVERIFY(sim.waitForOutputLine("cmd tcp", 5000, &line));
    QVERIFY2(line.endsWith(" orvane2 set system hostname %s%n%x%%"), qPrintable(line));
    char value[200];
    QCOMPARE(io->get_par(value, "system hostname"), 0);
    QCOMPARE(value, "%s%n%x%%");
}

void TestIOManager::overlongCommandIsNotSent()
{
    auto io = connectChannel();
    QVERIFY(io);
    const int before = simCommandCount(sim);
    char answer[201];
    QCOMPARE(io->execute_cmd(answer, "orvane2 %s", QByteArray(192, 'x').constData()), -1);
    QCOMPARE(io->get_par(answer, "%s", QByteArray(188, 'p').constData()), -1);
    QCOMPARE(io->set_par("%s", QByteArray(188, 's').constData()), -1);
    QCOMPARE(simCommandCount(sim), before);
    QVERIFY(!io->isCmdPending());
    // 199 characters still go out.
    QCOMPARE(io->execute_cmd(answer, "orvane2 %s", QByteArray(191, 'y').constData()), 0);
    QCOMPARE(simCommandCount(sim), before + 1);
}

void TestIOManager::commandIsOneLine_data()
{
    QTest::addColumn<bool>("udp");
    QTest::addColumn<int>("entry");
    QTest::addColumn<QByteArray>("text");
    // What a controller value reused as a key could carry: a second command
    // after the line break, here one that would change the controller.
    const QByteArray lf = "c01\norvane2 set system hostname injected";
    const QByteArray cr = "c01\rorvane2 set system hostname injected";
    const QByteArray crlf = "c01\r\norvane2 set system hostname injected";
    const QByteArray trailing = "c01\n";
    const struct
    {
        const char* name;
        Entry entry;
        QByteArray text;
    } rows[] = {
        {"execute_cmd LF", Entry::Execute, lf},
        {"execute_cmd zero byte", Entry::ExecuteZeroByte, " injected"},
        {"get_par CR", Entry::GetPar, cr},
        {"get_par_i CRLF", Entry::GetParI, crlf},
        {"get_par_d trailing LF", Entry::GetParD, trailing},
        {"get_par_yn LF", Entry::GetParYn, lf},
        {"get_par_ii CR", Entry::GetParIi, cr},
        {"get_par_dd LF", Entry::GetParDd, lf},
        {"get_par zero byte", Entry::GetParZeroByte, " injected"},
        {"set_par LF", Entry::SetPar, lf},
        {"asynchronous get_par LF", Entry::AsyncGetPar, lf},
        {"asynchronous execute_cmd CR", Entry::AsyncExecute, cr},
    };
    for (bool udp : {false, true})
        for (const auto& r : rows)
            QTest::addRow("%s %s", udp ? "udp" : "tcp", r.name) << udp << int(r.entry) << r.text;
}

void TestIOManager::commandIsOneLine()
{
    QFETCH(bool, udp);
    QFETCH(int, entry);
    QFETCH(QByteArray, text);
    std::unique_ptr<IOManager> io;
    if (udp) {
        auto u = std::make_unique<IOManagerUdp>();
        QCOMPARE(u->set_destination(QString(SimAddress), 50105), 0);
        io = std::move(u);
    } else {
        io = connectChannel(&boxes);
    }
    QVERIFY(io);
    const QString hostname = sim.control("get system hostname");
    const int before = simCommandCount(sim);

    QCOMPARE(callEntry(*io, Entry(entry), text.constData()), IOManager::CommandNotOneLine);
    QCOMPARE(simCommandCount(sim), before);
    QVERIFY(!io->isCmdPending());
    QCOMPARE(io->wait_async_execute_cmd(), -1);

    // The next command gets its own answer, not one left over.
    char value[IOManager::MaxTextLength + 1] = {};
    QCOMPARE(io->get_par(value, "system hostname"), 0);
    QCOMPARE("ok " + QString::fromUtf8(value), hostname);
    QCOMPARE(io->get_par(value, "status active"), 0);
    QCOMPARE(value, "none");
    QCOMPARE(sim.control("get system hostname"), hostname);
    QCOMPARE(boxes.count(), 0);
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
    QCOMPARE(standard.all(), QStringList{"1|IOManagerUdpTcp|UDP timeout: last command sent: "
                                         "orvane2 get status active"});
    // From now on nothing is sent any more.
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
    // connection closed, or reset when it reached the controller just before
    // the close.
    io = connectChannel();
    QVERIFY(io);
    sim.control("close-after 1");
    QCOMPARE(io->get_par(value, "status active"), 0);
    const int r = io->get_par(value, "status active");
    QVERIFY2(r == -22 || r == -12, qPrintable(QString::number(r)));
    QVERIFY(io->connectionFailed());
    QCOMPARE(io->get_par(value, "status active"), -222);

    // The status read before a tracking command meets the closed connection
    // first; the command itself then cannot be sent any more.
    io = connectChannel();
    QVERIFY(io);
    QCOMPARE(io->get_par(value, "status active"), 0);
    QVERIFY(sim.control("close").startsWith("ok"));
    char answer[201];
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

void TestIOManager::asyncCommands()
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
    QCOMPARE(io->wait_async_execute_cmd(), 0);
    QVERIFY(timerRan);
    QCOMPARE(answer, "orvane2 set system model 20");
    QVERIFY(!io->isCmdPending());
    sim.control("delay 0");

    // Reads and writes are interpreted when their answer arrives.
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
    QCOMPARE(boxes.take().size(), 1);

    sim.control("error status active");
    QCOMPARE(io->configure_next_cmd(true, 1000, true), 0);
    QCOMPARE(io->get_par(answer, "status active"), 1);
    QCOMPARE(io->wait_async_execute_cmd(), -32);
    QCOMPARE(boxes.count(), 0);
    QVERIFY(!io->isCmdPending());
    sim.control("clear status active");
}

void TestIOManager::asyncTimeoutAndMisuse()
{
    auto io = connectChannel();
    QVERIFY(io);
    QCOMPARE(io->wait_async_execute_cmd(), -1);
    QVERIFY(!io->isCmdPending());
    // A synchronous configuration is no asynchronous command; it stays in place.
    QCOMPARE(io->configure_next_cmd(false, 1000, false), 0);
    QCOMPARE(io->wait_async_execute_cmd(), -1);
    QVERIFY(io->isCmdPending());
    char answer[201];
    QCOMPARE(io->get_par(answer, "status active"), 0);
    QVERIFY(!io->isCmdPending());

    io->set_external_cmd_timeout(100000);
    sim.control("delay 400");
    QCOMPARE(io->configure_next_cmd(true, 50, false), 0);
    QCOMPARE(io->execute_cmd(answer, "orvane2 get system model"), 1);
    QElapsedTimer clock;
    clock.start();
    QCOMPARE(io->wait_async_execute_cmd(), -1);
    // The external time-out (100 ms) is the lower bound of the answer time-out;
    // the -1 shows that the wait did not last until the delayed answer.
    QVERIFY(clock.elapsed() >= 95);
    QVERIFY(!io->isCmdPending());
    QVERIFY(!io->connectionFailed());
    // The late answer still comes; it must not become the next command's answer.
    sim.control("delay 0");
    io->set_external_cmd_timeout(2000000);
    QCOMPARE(io->execute_cmd(answer, "orvane2 get system version"), 0);
    QCOMPARE(answer, "orvane2 set system version v2.9.4");
}

void TestIOManager::measurementStartRefused()
{
    auto io = connectChannel(&boxes);
    QVERIFY(io);
    const QString tail = " bodies that are equal or too similar to be tracked\n";
    const QStringList texts = {
        "Reference target cannot be tracked\n(see 'Event Display' for details)",
        "There are 2" + tail + "(see 'Event Display' for details)",
        "There are 3" + tail + " (see 'Event Display' for details)",
    };
    // Configured asynchronous with boxes off: the measurement start still runs
    // synchronously and shows its box.
    QCOMPARE(io->configure_next_cmd(true, 100, true), 0);
    const int counts[] = {0, 1, 3};
    for (int i = 0; i < 3; ++i) {
        sim.control(QString("refuse-tracking %1").arg(counts[i]));
        char answer[201];
        QCOMPARE(io->execute_cmd(answer, "orvane2 tracking start"), 0);
        QVERIFY(QString(answer).startsWith("orvane2 err -99 1 "));
        const QList<RecordedBox> shown = boxes.take();
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].title, QString("Command Failed"));
        QCOMPARE(shown[0].text, "Measurement start failed:\n" + texts[i]);
        QVERIFY(!io->isCmdPending());
    }
}

void TestIOManager::fourThreadsGetTheirOwnAnswers()
{
    auto io = connectChannel();
    QVERIFY(io);
    for (int t = 0; t < 4; ++t)
        sim.control(QString("set test thread t%1 = %2").arg(t).arg(1000 + t));
    sim.control("delay 1");
    std::atomic<int> wrong{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&, t] {
            for (int i = 0; i < 40; ++i) {
                int value = 0;
                if (io->get_par_i(&value, "test thread t%d", t) != 0 || value != 1000 + t)
                    ++wrong;
            }
        });
    }
    for (std::thread& th : threads)
        th.join();
    QCOMPARE(wrong.load(), 0);
    QVERIFY(!io->isCmdPending());
}

void TestIOManager::connectFailures()
{
    auto io = connectChannel();
    QVERIFY(io);
    unsigned short port = 0;
    QCOMPARE(io->init(SimAddress, 50105, &port), -1);
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
