// The services around the command path of the TCP channel: measurement
// start/stop notices, the data dispatch thread, the data-path datagram, the
// command log and the message bus.

#include <QUdpSocket>
#include <QtTest>

#include <QDeadlineTimer>

#include <cstring>
#include <memory>
#include <thread>
#include <vector>

#include "IOManagerUdpTcp.h"
#include "IoTestHelpers.h"
#include "SimProcess.h"

namespace {

const char* const SimAddress = "127.0.3.2";
const char* const SenderAddress = "127.0.3.3";

int simCounter(SimProcess& sim, const QString& name)
{
    const QRegularExpression re(name + "=(\\d+)");
    const QRegularExpressionMatch m = re.match(sim.control("stats"));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

// Counts what it is told, and what it is told after its unregistration returned.
class ChurnPeer : public Requester, public MessageReceiver
{
public:
    std::atomic<bool> gone{false};
    std::atomic<int> received{0};
    std::atomic<int> late{0};

    int set_ascii_data(const char*, const char*) override { return count(); }
    void set_mea_started() override {}
    void set_mea_stopped() override {}
    int transmit_message(int, const char*, const char*) override { return count(); }

private:
    int count()
    {
        ++received;
        if (gone)
            ++late;
        return 0;
    }
};

struct ChurnResult
{
    int received = 0;
    int late = 0;
    int refused = 0;  // registrations or unregistrations that failed
    bool stalled = false;
};

// Waits until progress() has moved on twice; false when it has not by the time
// a guard expires, which only catches a stalled peer and measures nothing.
bool awaitProgress(const std::function<int()>& progress)
{
    const int start = progress();
    const QDeadlineTimer guard(10000);
    while (progress() < start + 2 && !guard.hasExpired())
        std::this_thread::yield();
    return progress() >= start + 2;
}

// Threads that each join and leave rounds times; a round lasts until progress()
// has moved on twice, so that traffic passes while the peer is registered.
// join and leave return the channel's result code. Every peer outlives the
// churn until the traffic has moved on once more, so that a delivery arriving
// after its unregistration is counted as late instead of going unseen.
ChurnResult churn(int threads, int rounds, const std::function<int()>& progress,
                  const std::function<int(ChurnPeer*)>& join,
                  const std::function<int(ChurnPeer*)>& leave)
{
    std::atomic<int> refused{0};
    std::atomic<bool> stalled{false};
    std::vector<std::vector<std::unique_ptr<ChurnPeer>>> peers(threads);
    std::vector<std::thread> workers;
    for (int t = 0; t < threads; ++t) {
        workers.emplace_back([&, mine = &peers[t]] {
            for (int round = 0; round < rounds && !stalled; ++round) {
                mine->push_back(std::make_unique<ChurnPeer>());
                ChurnPeer* peer = mine->back().get();
                if (join(peer) != 0)
                    ++refused;
                if (!awaitProgress(progress))
                    stalled = true;
                if (leave(peer) != 0)
                    ++refused;
                peer->gone = true;
            }
        });
    }
    for (std::thread& w : workers)
        w.join();
    if (!awaitProgress(progress))
        stalled = true;

    ChurnResult result;
    for (const auto& mine : peers) {
        for (const auto& peer : mine) {
            result.received += peer->received;
            result.late += peer->late;
        }
    }
    result.refused = refused;
    result.stalled = stalled;
    return result;
}

const QRegularExpression CommandLine("^\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d,\\d{3} > (.*)$");
const QRegularExpression AnswerLine(
    "^\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d,\\d{3} < (.*) wyb_io-error: (-?\\d+)$");

}  // namespace

class TestIOManagerUdpTcp : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void measurementNoticesFollowTheControllerState();
    void slowControllerKeepsAnswersInStep();
    void requesterMaySendCommandsFromItsNotice();
    void dataLinesReachTheirRequesters();
    void datagramsAreSplitIntoLines();
    void requesterMayUnregisterDuringDelivery();
    void floodWhileRequestersComeAndGo_data();
    void floodWhileRequestersComeAndGo();
    void dataPathDatagramOnlyForNewControllers();
    void commandLogFormat();
    void commandLogSizeLimit();
    void commandLogFailuresAreReported();
    void messageBus();
    void workerThreadsTransmitWhileReceiversComeAndGo_data();
    void workerThreadsTransmitWhileReceiversComeAndGo();

private:
    std::unique_ptr<IOManagerUdpTcp> connectChannel(unsigned short* dataPort = nullptr);
    void startMeasuring(IOManagerUdpTcp& io);
    bool sendData(unsigned short port, const QByteArray& datagram);

    SimProcess sim;
    std::unique_ptr<QTemporaryDir> home;
    QUdpSocket sender;
};

void TestIOManagerUdpTcp::initTestCase()
{
    QVERIFY2(sim.start(SimAddress, {"--profile", "demo"}), qPrintable(sim.errorOutput()));
    // The values the checks below expect, whatever the profile says.
    QCOMPARE(sim.control("set system model = 20"), QString("ok"));
    QCOMPARE(sim.control("set system version = v2.9.4"), QString("ok"));
    QVERIFY(sender.bind(QHostAddress(SenderAddress), 0));
}

void TestIOManagerUdpTcp::init()
{
    home = std::make_unique<QTemporaryDir>();
    QVERIFY(home->isValid());
    qputenv("HOME", home->path().toLocal8Bit());
}

void TestIOManagerUdpTcp::cleanup()
{
    home->setAutoRemove(!QTest::currentTestFailed());
    for (const char* line : {"delay 0", "state none", "clear system version", "data start"})
        sim.control(line);
}

std::unique_ptr<IOManagerUdpTcp> TestIOManagerUdpTcp::connectChannel(unsigned short* dataPort)
{
    auto io = std::make_unique<IOManagerUdpTcp>();
    unsigned short port = 0;
    if (io->init(SimAddress, 50105, &port) != 0 || port == 0)
        return nullptr;
    if (dataPort)
        *dataPort = port;
    return io;
}

// The controller measures and the channel has seen it.
void TestIOManagerUdpTcp::startMeasuring(IOManagerUdpTcp& io)
{
    sim.control("state mea");
    char value[200];
    io.get_par(value, "status active");
}

bool TestIOManagerUdpTcp::sendData(unsigned short port, const QByteArray& datagram)
{
    return sender.writeDatagram(datagram, QHostAddress::LocalHost, port) == datagram.size();
}

void TestIOManagerUdpTcp::measurementNoticesFollowTheControllerState()
{
    auto io = connectChannel();
    QVERIFY(io);
    RecordingRequester r;
    QCOMPARE(io->register_request_mea(&r), 0);
    char answer[201];
    // {command or control line, notices started, stopped afterwards}
    const struct
    {
        const char* step;
        int started, stopped;
    } steps[] = {
        {"orvane2 tracking start", 1, 0},
        {"orvane2 get status active", 1, 0},  // already known to measure
        {"orvane2 tracking stop", 1, 1},
        // State changes the channel only sees through the status read.
        {"state mea", 2, 1},
        {"state err", 2, 1},  // an error state read on its own changes nothing
        {"state none", 2, 2},
        {"refuse-tracking 2", 2, 2},
    };
    for (const auto& s : steps) {
        if (QByteArray(s.step).startsWith("orvane2")) {
            QCOMPARE(io->execute_cmd(answer, "%s", s.step), 0);
        } else {
            sim.control(s.step);
            QCOMPARE(io->execute_cmd(answer, s.step[0] == 'r' ? "orvane2 tracking start"
                                                              : "orvane2 get status active"),
                     0);
        }
        QVERIFY2(r.started == s.started && r.stopped == s.stopped, s.step);
    }
    QCOMPARE(io->unregister_request_mea(&r), 0);
    QCOMPARE(io->execute_cmd(answer, "orvane2 tracking start"), 0);
    QCOMPARE(r.started.load(), 2);
    QCOMPARE(io->execute_cmd(answer, "orvane2 tracking stop"), 0);
}

void TestIOManagerUdpTcp::slowControllerKeepsAnswersInStep()
{
    auto io = connectChannel();
    QVERIFY(io);
    RecordingRequester r;
    io->register_request_mea(&r);
    // Every answer comes after the first wait: the state reads around the
    // command must not take each other's answers.
    io->set_external_cmd_timeout(300000);
    sim.control("delay 450");
    char answer[201];
    QCOMPARE(io->execute_cmd(answer, "orvane2 tracking start"), 0);
    QCOMPARE(answer, "orvane2 ok");
    QCOMPARE(r.started.load(), 1);
    sim.control("delay 0");
    QCOMPARE(io->get_par(answer, "status active"), 0);
    QCOMPARE(answer, "mea");
    QCOMPARE(io->execute_cmd(answer, "orvane2 tracking stop"), 0);
    QCOMPARE(r.stopped.load(), 1);
    io->unregister_request_mea(&r);
}

void TestIOManagerUdpTcp::requesterMaySendCommandsFromItsNotice()
{
    auto io = connectChannel();
    QVERIFY(io);
    RecordingRequester r;
    std::atomic<int> innerFailures{0};
    r.onStarted = [&] {
        char model[200];
        if (io->get_par(model, "system model") != 0 || std::strcmp(model, "20") != 0)
            ++innerFailures;
    };
    io->register_request_mea(&r);
    // Another thread keeps reading while measurements start and stop.
    std::atomic<bool> done{false};
    std::atomic<int> readerFailures{0};
    std::thread reader([&] {
        char value[200];
        while (!done)
            readerFailures += io->get_par(value, "system version") != 0;
    });
    char answer[201];
    for (int i = 0; i < 5; ++i) {
        QCOMPARE(io->execute_cmd(answer, "orvane2 tracking start"), 0);
        QCOMPARE(io->execute_cmd(answer, "orvane2 tracking stop"), 0);
    }
    done = true;
    reader.join();
    QCOMPARE(r.started.load(), 5);
    QCOMPARE(r.stopped.load(), 5);
    QCOMPARE(innerFailures.load(), 0);
    QCOMPARE(readerFailures.load(), 0);
    QVERIFY(!io->isCmdPending());
    io->unregister_request_mea(&r);
}

void TestIOManagerUdpTcp::dataLinesReachTheirRequesters()
{
    unsigned short port = 0;
    auto io = connectChannel(&port);
    QVERIFY(io);
    QCOMPARE(io->set_par("output net chmon udp my_ip %hu", port), 0);
    QCOMPARE(io->set_par("output active chmon 6d yes"), 0);
    RecordingRequester frames;
    RecordingRequester bodies;
    QCOMPARE(io->register_request("fr", &frames), 0);
    QCOMPARE(io->register_request("6d", &bodies), 0);
    QVERIFY(!io->isDataThreadRunning());

    char answer[201];
    QCOMPARE(io->execute_cmd(answer, "orvane2 tracking start"), 0);
    QVERIFY(io->isDataThreadRunning());
    QTRY_VERIFY_WITH_TIMEOUT(frames.lineCount >= 3 && bodies.lineCount >= 3, 5000);
    for (const QString& line : frames.takeLines())
        QVERIFY2(line.startsWith("fr|fr "), qPrintable(line));
    for (const QString& line : bodies.takeLines())
        QVERIFY2(line.startsWith("6d|6d "), qPrintable(line));

    // The thread ends soon after the last requester left.
    QCOMPARE(io->unregister_request("fr", &frames), 0);
    QVERIFY(io->isDataThreadRunning());
    QCOMPARE(io->unregister_request("6d", &bodies), 0);
    QTRY_VERIFY_WITH_TIMEOUT(!io->isDataThreadRunning(), 1000);

    // ... and comes back with the next registration while measuring.
    QCOMPARE(io->register_request("fr", &frames), 0);
    QVERIFY(io->isDataThreadRunning());
    QCOMPARE(io->execute_cmd(answer, "orvane2 tracking stop"), 0);
    QTRY_VERIFY_WITH_TIMEOUT(!io->isDataThreadRunning(), 1000);
    io->unregister_request("fr", &frames);
    QCOMPARE(io->set_par("output net chmon none"), 0);
}

void TestIOManagerUdpTcp::datagramsAreSplitIntoLines()
{
    unsigned short port = 0;
    auto io = connectChannel(&port);
    QVERIFY(io);
    const QByteArray longId(300, 'q');
    RecordingRequester r;
    for (const QByteArray& id :
         {QByteArray("fr"), QByteArray("6d"), QByteArray("lonely"), QByteArray(""), longId})
        QCOMPARE(io->register_request(id.constData(), &r), 0);
    QCOMPARE(io->register_request("fr", &r), -1);
    QCOMPARE(io->unregister_request("3d", &r), -1);
    QCOMPARE(io->register_request(nullptr, &r), -1);
    // Registered, but the controller does not measure yet.
    QVERIFY(!io->isDataThreadRunning());
    startMeasuring(*io);
    QVERIFY(io->isDataThreadRunning());

    QVERIFY(sendData(port, "fr 12\r\n6d 1 [0 1.000][1 2 3]\n\n"));
    QTRY_COMPARE(r.lineCount.load(), 2);
    QCOMPARE(r.takeLines(), (QStringList{"fr|fr 12", "6d|6d 1 [0 1.000][1 2 3]"}));

    // Lines without a blank, with a leading blank or a long first word, and a
    // line cut short by a zero byte.
    QByteArray odd = "lonely\runknown 5\n leading blank\n" + longId + " v\nfr 1";
    odd += '\0';
    odd += "hidden\nfr 2";
    QVERIFY(sendData(port, odd));
    QTRY_COMPARE(r.lineCount.load(), 7);
    QCOMPARE(r.takeLines(),
             (QStringList{"lonely|lonely", "| leading blank", QString(longId) + "|" + longId + " v",
                          "fr|fr 1", "fr|fr 2"}));

    // A datagram of more than 200 lines delivers its first 200.
    QByteArray many;
    for (int i = 0; i < 250; ++i)
        many += "fr " + QByteArray::number(i) + "\n\n";
    QVERIFY(sendData(port, many));
    QTRY_COMPARE(r.lineCount.load(), 207);
    QVERIFY(sendData(port, "fr end\n"));
    QTRY_COMPARE(r.lineCount.load(), 208);
    const QStringList lines = r.takeLines();
    QCOMPARE(lines.at(199), QString("fr|fr 199"));
    QCOMPARE(lines.at(200), QString("fr|fr end"));
    for (const QByteArray& id :
         {QByteArray("fr"), QByteArray("6d"), QByteArray("lonely"), QByteArray(""), longId})
        QCOMPARE(io->unregister_request(id.constData(), &r), 0);
}

void TestIOManagerUdpTcp::requesterMayUnregisterDuringDelivery()
{
    unsigned short port = 0;
    auto io = connectChannel(&port);
    QVERIFY(io);
    RecordingRequester first;
    RecordingRequester second;
    RecordingRequester keeper;
    // Whichever of the two sees the line first takes both off the list.
    auto dropBoth = [&](const char*, const char*) {
        io->unregister_request("fr", &first);
        io->unregister_request("fr", &second);
    };
    first.onLine = dropBoth;
    second.onLine = dropBoth;
    io->register_request("fr", &first);
    io->register_request("fr", &second);
    io->register_request("ts", &keeper);
    startMeasuring(*io);

    QVERIFY(sendData(port, "fr 1\nts 0.5\nfr 2\n"));
    QTRY_COMPARE(keeper.lineCount.load(), 1);
    QCOMPARE(first.lineCount + second.lineCount, 1);

    // Shutting the channel down ends the running data thread promptly.
    QVERIFY(io->isDataThreadRunning());
    QElapsedTimer clock;
    clock.start();
    io.reset();
    QVERIFY(clock.elapsed() < 1000);
}

void TestIOManagerUdpTcp::floodWhileRequestersComeAndGo_data()
{
    QTest::addColumn<int>("threads");
    QTest::addColumn<QByteArray>("identifier");
    QTest::newRow("one thread, a line of its own") << 1 << QByteArray("6d");
    QTest::newRow("three threads, a line of its own") << 3 << QByteArray("6d");
    QTest::newRow("three threads, sharing the keeper's line") << 3 << QByteArray("fr");
}

// No requester is told a line once its unregistration has returned, and the
// one that stays sees the flood throughout.
void TestIOManagerUdpTcp::floodWhileRequestersComeAndGo()
{
    QFETCH(int, threads);
    QFETCH(QByteArray, identifier);
    unsigned short port = 0;
    auto io = connectChannel(&port);
    QVERIFY(io);
    QCOMPARE(io->set_par("output net chmon udp my_ip %hu", port), 0);
    QCOMPARE(io->set_par("output active chmon 6d yes"), 0);
    QCOMPARE(sim.control("data flood 2000"), QString("ok"));
    RecordingRequester keeper;
    keeper.onLine = [&keeper](const char*, const char*) { keeper.takeLines(); };
    QCOMPARE(io->register_request("fr", &keeper), 0);
    char answer[201];
    QCOMPARE(io->execute_cmd(answer, "orvane2 tracking start"), 0);
    QTRY_VERIFY(keeper.lineCount > 0);

    const ChurnResult result = churn(
        threads, 40, [&keeper] { return keeper.lineCount.load(); },
        [&](ChurnPeer* p) { return io->register_request(identifier.constData(), p); },
        [&](ChurnPeer* p) { return io->unregister_request(identifier.constData(), p); });
    QCOMPARE(sim.control("data start"), QString("ok"));
    QVERIFY(!result.stalled);
    QCOMPARE(result.refused, 0);
    QVERIFY(result.received > 0);
    QCOMPARE(result.late, 0);
    QVERIFY(io->isDataThreadRunning());

    QCOMPARE(io->execute_cmd(answer, "orvane2 tracking stop"), 0);
    io->unregister_request("fr", &keeper);
    QTRY_VERIFY(!io->isDataThreadRunning());
    QCOMPARE(io->set_par("output net chmon none"), 0);
}

void TestIOManagerUdpTcp::dataPathDatagramOnlyForNewControllers()
{
    auto io = connectChannel();
    QVERIFY(io);
    char answer[201];
    const int before = simCounter(sim, "dummy");
    QVERIFY(before >= 0);
    QCOMPARE(io->execute_cmd(answer, "orvane2 tracking start"), 0);
    QTRY_COMPARE(simCounter(sim, "dummy"), before + 1);
    QCOMPARE(io->execute_cmd(answer, "orvane2 tracking stop"), 0);
    QCOMPARE(io->sendDummyDatagramm(), 0);
    QTRY_COMPARE(simCounter(sim, "dummy"), before + 2);

    struct Case
    {
        const char* control;
        int result;
    };
    const Case cases[] = {
        {"raw system version | orvane2 set system version v0.2.7", -1},
        {"raw system version | orvane2 set system version V0.2.8b3", 0},
        {"raw system version | orvane2 set system version v0.2.10", 0},
        {"error system version", -1},  // taken as v0.0.0
    };
    int expected = before + 2;
    for (const Case& c : cases) {
        sim.control(c.control);
        QCOMPARE(io->sendDummyDatagramm(), c.result);
        if (c.result == 0)
            ++expected;
        sim.control("clear system version");
    }
    // The controller's data port cannot be read.
    sim.control("error output net_sender_port chmon");
    QCOMPARE(io->sendDummyDatagramm(), -2);
    sim.control("clear output net_sender_port chmon");
    QTRY_COMPARE(simCounter(sim, "dummy"), expected);
}

void TestIOManagerUdpTcp::commandLogFormat()
{
    auto io = connectChannel();
    QVERIFY(io);
    QString name = "  ";
    QString prefix = "  RESP ";
    io->setLogFileParameters(true, name, prefix);
    QCOMPARE(name, QString(""));
    const QString path = home->path() + "/.QOR/ORVANE3/commands_log.txt";
    QCOMPARE(io->logFilePath(), path);

    char value[200];
    QCOMPARE(io->get_par(value, "system model"), 0);
    QCOMPARE(io->configure_next_cmd(true, 1000, false), 0);
    QCOMPARE(io->get_par(value, "system version"), 1);
    QCOMPARE(io->wait_async_execute_cmd(), 0);
    io->set_external_cmd_timeout(100000);
    sim.control("drop 1");
    QCOMPARE(io->get_par(value, "system model"), -111);

    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
    const QStringList lines = QString::fromUtf8(file.readAll()).split('\n');
    // Command, answer, empty line; the asynchronous answer carries its byte count.
    const QStringList expected = {
        "> orvane2 get system model",
        "< RESPorvane2 set system model 20|0",
        "",
        "> orvane2 get system version",
        "< RESPorvane2 set system version v2.9.4|34",
        "",
        "> orvane2 get system model",
        "< RESP|-111",
        "",
        "",
    };
    QCOMPARE(lines.size(), expected.size());
    for (int i = 0; i < lines.size(); ++i) {
        const QString& want = expected.at(i);
        if (want.startsWith('>')) {
            const QRegularExpressionMatch m = CommandLine.match(lines.at(i));
            QVERIFY2(m.hasMatch(), qPrintable(lines.at(i)));
            QCOMPARE("> " + m.captured(1), want);
        } else if (want.startsWith('<')) {
            const QRegularExpressionMatch m = AnswerLine.match(lines.at(i));
            QVERIFY2(m.hasMatch(), qPrintable(lines.at(i)));
            QCOMPARE("< " + m.captured(1) + "|" + m.captured(2), want);
        } else {
            QCOMPARE(lines.at(i), want);
        }
    }

    // A named log goes next to the default one; off means nothing is written.
    auto io2 = connectChannel();
    QVERIFY(io2);
    QString other = " other.log ";
    io2->setLogFileParameters(true, other, prefix);
    QCOMPARE(other, QString("other.log"));
    QCOMPARE(io2->get_par(value, "system model"), 0);
    QVERIFY(QFile::exists(home->path() + "/.QOR/ORVANE3/other.log"));
    QString none = "off.log";
    io2->setLogFileParameters(false, none, prefix);
    QCOMPARE(io2->get_par(value, "system model"), 0);
    QVERIFY(!QFile::exists(home->path() + "/.QOR/ORVANE3/off.log"));
}

void TestIOManagerUdpTcp::commandLogSizeLimit()
{
    auto io = connectChannel();
    QVERIFY(io);
    QString name = "big.log";
    QString prefix;
    io->setLogFileParameters(true, name, prefix);
    QVERIFY(QDir().mkpath(home->path() + "/.QOR/ORVANE3"));
    QFile file(io->logFilePath());
    QVERIFY(file.open(QIODevice::WriteOnly));
    QVERIFY(file.resize(12 << 20));
    file.close();

    // Only every 3000th check of the program looks at the file.
    const int pending = 3000 - IOManagerUdpTcp::logSizeCheckCalls() % 3000;
    for (int i = 1; i < pending; ++i)
        io->checkLogFileSize(10);
    QCOMPARE(QFileInfo(io->logFilePath()).size(), qint64(12 << 20));
    io->checkLogFileSize(10);
    QCOMPARE(QFileInfo(io->logFilePath()).size(), qint64(0));

    // Below the limit nothing happens, even at the 3000th check.
    QVERIFY(file.open(QIODevice::WriteOnly));
    QVERIFY(file.resize(9 << 20));
    file.close();
    for (int i = 0; i < 3000; ++i)
        io->checkLogFileSize(10);
    QCOMPARE(QFileInfo(io->logFilePath()).size(), qint64(9 << 20));
}

void TestIOManagerUdpTcp::commandLogFailuresAreReported()
{
    // The log directory cannot be made: its parent is a file.
    QFile blocker(home->path() + "/.QOR");
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    auto io = connectChannel();
    QVERIFY(io);
    RecordingReceiver standard;
    io->register_message_receiver("standard", &standard);
    QString name;
    QString prefix;
    io->setLogFileParameters(true, name, prefix);
    char value[200];
    QCOMPARE(io->get_par(value, "system model"), 0);
    QCOMPARE(value, "20");
    const QString expected = "1|IOManagerUdpTcp|Directory " + home->path() +
                             "/.QOR/ORVANE3 doesn't exist and cannot be created.";
    QVERIFY(!standard.all().isEmpty());
    QCOMPARE(standard.all().first(), expected);
    io->unregister_message_receiver("standard", &standard);

    // The log file itself cannot be opened: it is a directory.
    QVERIFY(QFile::remove(home->path() + "/.QOR"));
    QVERIFY(QDir().mkpath(home->path() + "/.QOR/ORVANE3/dir.log"));
    auto io2 = connectChannel();
    QVERIFY(io2);
    RecordingReceiver standard2;
    io2->register_message_receiver("standard", &standard2);
    name = "dir.log";
    io2->setLogFileParameters(true, name, prefix);
    QCOMPARE(io2->get_par(value, "system model"), 0);
    QVERIFY(!standard2.all().isEmpty());
    QCOMPARE(standard2.all().first(), "1|IOManagerUdpTcp|Log file " + home->path() +
                                          "/.QOR/ORVANE3/dir.log cannot be opened for writing.");
    io2->unregister_message_receiver("standard", &standard2);
}

void TestIOManagerUdpTcp::messageBus()
{
    IOManagerUdpTcp io;
    RecordingReceiver a;
    RecordingReceiver b;
    QCOMPARE(io.transmit_message("standard", "ORVANE3", 1, "nobody listens"), -1);
    QCOMPARE(io.register_message_receiver("standard", &a), 0);
    QCOMPARE(io.register_message_receiver("standard", &a), -1);
    QCOMPARE(io.register_message_receiver("standard", &b), 0);
    QCOMPARE(io.register_message_receiver("GlobalEvent", &b), 0);
    QCOMPARE(io.transmit_message("standard", "ORVANE3", 1, "measurement started"), 0);
    QCOMPARE(io.transmit_message("GlobalEvent", "Main_Window", 7, "%s %n"), 0);
    QCOMPARE(a.all(), QStringList{"1|ORVANE3|measurement started"});
    QCOMPARE(b.all(), (QStringList{"1|ORVANE3|measurement started", "7|Main_Window|%s %n"}));

    QCOMPARE(io.unregister_message_receiver("standard", &a), 0);
    QCOMPARE(io.unregister_message_receiver("standard", &a), -1);
    QCOMPARE(io.unregister_message_receiver("Main_Window", &a), -1);
    QCOMPARE(io.unregister_message_receiver("standard", &b), 0);
    // The emptied class is gone.
    QCOMPARE(io.transmit_message("standard", "ORVANE3", 1, "again"), -1);
    QCOMPARE(io.unregister_message_receiver("GlobalEvent", &b), 0);

    // A receiver that leaves while handling a message.
    struct Leaving : MessageReceiver
    {
        IOManager* io = nullptr;
        int calls = 0;
        int transmit_message(int, const char*, const char*) override
        {
            ++calls;
            io->unregister_message_receiver("standard", this);
            return 0;
        }
    };
    Leaving x;
    Leaving y;
    x.io = y.io = &io;
    io.register_message_receiver("standard", &x);
    io.register_message_receiver("standard", &y);
    QCOMPARE(io.transmit_message("standard", "ORVANE3", 1, "bye"), 0);
    QCOMPARE(x.calls + y.calls, 2);
    QCOMPARE(io.transmit_message("standard", "ORVANE3", 1, "bye"), -1);
}

void TestIOManagerUdpTcp::workerThreadsTransmitWhileReceiversComeAndGo_data()
{
    QTest::addColumn<int>("senders");
    QTest::addColumn<int>("receivers");
    QTest::newRow("one sender, one receiver at a time") << 1 << 1;
    QTest::newRow("three senders, three receivers") << 3 << 3;
}

// Messages sent from worker threads reach the receivers registered meanwhile,
// and none once its unregistration has returned.
void TestIOManagerUdpTcp::workerThreadsTransmitWhileReceiversComeAndGo()
{
    QFETCH(int, senders);
    QFETCH(int, receivers);
    IOManagerUdpTcp io;
    ChurnPeer anchor;  // keeps the class alive between churn rounds
    QCOMPARE(io.register_message_receiver("standard", &anchor), 0);
    std::atomic<int> sent{0};
    std::atomic<bool> done{false};
    std::vector<std::thread> threads;
    for (int t = 0; t < senders; ++t) {
        threads.emplace_back([&] {
            while (!done) {
                io.transmit_message("standard", "worker", 1, "tick");
                ++sent;
                std::this_thread::yield();
            }
        });
    }
    const ChurnResult result = churn(
        receivers, 40, [&sent] { return sent.load(); },
        [&](ChurnPeer* p) { return io.register_message_receiver("standard", p); },
        [&](ChurnPeer* p) { return io.unregister_message_receiver("standard", p); });
    done = true;
    for (std::thread& t : threads)
        t.join();
    QVERIFY(!result.stalled);
    QCOMPARE(result.refused, 0);
    QVERIFY(result.received > 0);
    QCOMPARE(result.late, 0);
    QCOMPARE(io.unregister_message_receiver("standard", &anchor), 0);
}

QTEST_GUILESS_MAIN(TestIOManagerUdpTcp)
#include "tst_iomanagerudptcp.moc"
