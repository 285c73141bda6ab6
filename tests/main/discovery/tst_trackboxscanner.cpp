// Discovery runs only inside network namespaces made here: the scan broadcasts on every
// interface of the host it runs on.
#include <QElapsedTimer>
#include <QMutex>
#include <QSemaphore>
#include <QThread>
#include <QTimer>
#include <QtTest>

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sched.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <memory>
#include <mutex>

#include "NetLab.h"
#include "SimProcess.h"
#include "TrackboxScanner.h"

namespace {

const QString kVersion = QStringLiteral("orvane2 get system version");
const QStringList kIdentity = {QStringLiteral("orvane2 get system hostname"),
                               QStringLiteral("orvane2 get system model"),
                               QStringLiteral("orvane2 get system controller_serial"),
                               QStringLiteral("orvane2 get system protocol_version"),
                               QStringLiteral("orvane2 get system access")};
const QString kSlave = QStringLiteral("orvane2 get system slave");
const QString kMac = QStringLiteral("orvane2 get system ethernet_mac");

// A peer of our own for behaviour the simulator does not offer: it answers only the commands
// it was given, records what it receives and can keep sending one datagram (every intervalMs)
// to whoever asked first.
class FakeController : public QThread
{
public:
    FakeController(const QString& netns, QMap<QByteArray, QByteArray> answers,
                   const QByteArray& flood = {}, int intervalMs = 0)
        : m_netns(netns), m_answers(std::move(answers)), m_flood(flood), m_intervalMs(intervalMs)
    {
    }
    ~FakeController() override
    {
        m_stop = true;
        wait();
    }
    bool startListening()
    {
        start();
        return m_ready.tryAcquire(1, 5000) && m_fd >= 0;
    }
    QStringList received() const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_received;
    }
    int floodSent() const { return m_floodSent; }

protected:
    void run() override
    {
        const int ns = ::open(qPrintable("/run/netns/" + m_netns), O_RDONLY | O_CLOEXEC);
        if (ns >= 0 && ::setns(ns, CLONE_NEWNET) == 0) {
            m_fd = ::socket(AF_INET, SOCK_DGRAM, 0);
            sockaddr_in any{};
            any.sin_family = AF_INET;
            any.sin_port = htons(50105);
            if (m_fd >= 0 && ::bind(m_fd, reinterpret_cast<sockaddr*>(&any), sizeof any) != 0) {
                ::close(m_fd);
                m_fd = -1;
            }
        }
        if (ns >= 0)
            ::close(ns);
        m_ready.release();
        if (m_fd >= 0)
            serve();
        ::close(m_fd);
    }

private:
    void serve()
    {
        sockaddr_in first{};
        QElapsedTimer sinceFlood;
        sinceFlood.start();
        while (!m_stop) {
            pollfd p{m_fd, POLLIN, 0};
            char buf[512];
            sockaddr_in from{};
            socklen_t len = sizeof from;
            const ssize_t n = ::poll(&p, 1, 1) > 0
                                  ? ::recvfrom(m_fd, buf, sizeof buf - 1, 0,
                                               reinterpret_cast<sockaddr*>(&from), &len)
                                  : 0;
            if (n > 0) {
                buf[n] = '\0';
                std::lock_guard<std::mutex> lock(m_mutex);
                m_received << QString::fromLatin1(buf);
                if (first.sin_port == 0)
                    first = from;
                const QByteArray answer = m_answers.value(buf);
                if (!answer.isEmpty())
                    ::sendto(m_fd, answer.constData(), answer.size() + 1, 0,
                             reinterpret_cast<sockaddr*>(&from), len);
            }
            if (first.sin_port != 0 && m_intervalMs > 0 && sinceFlood.elapsed() >= m_intervalMs) {
                ::sendto(m_fd, m_flood.constData(), m_flood.size() + 1, 0,
                         reinterpret_cast<sockaddr*>(&first), sizeof first);
                ++m_floodSent;
                sinceFlood.restart();
            }
        }
    }

    QString m_netns;
    QMap<QByteArray, QByteArray> m_answers;
    QByteArray m_flood;
    int m_intervalMs;
    std::atomic<int> m_fd{-1};
    std::atomic<bool> m_stop{false};
    std::atomic<int> m_floodSent{0};
    QSemaphore m_ready;
    mutable std::mutex m_mutex;
    QStringList m_received;
};

// A subnet 192.0.2.0/24 with the scanning PC "pc" at .10 and the controllers around it.
struct Lab
{
    explicit Lab(const QString& tag, bool pcOnSubnet = true) : net(tag)
    {
        ok = !net.addHost("pc").isEmpty() &&
             (!pcOnSubnet || !net.addInterface("pc", "192.0.2.10/24").isEmpty());
    }
    bool addHost(const QString& host, const QString& address)
    {
        return !net.addHost(host).isEmpty() && !net.addInterface(host, address + "/24").isEmpty();
    }
    // A simulator on a host of its own, logging the commands it receives.
    SimProcess* addSim(const QString& address, const QStringList& controlLines = {})
    {
        auto sim = std::make_unique<SimProcess>();
        const QString host = "tb" + address.section('.', 3);
        if (!addHost(host, address) || !sim->start("0.0.0.0", {}, net.ns(host)))
            return nullptr;
        for (const QString& line : QStringList{"log on"} + controlLines) {
            if (!sim->control(line).startsWith("ok"))
                return nullptr;
        }
        sims.push_back(std::move(sim));
        return sims.back().get();
    }
    QList<trackbox_info_type> scan(int subnet = 0, QStringList* errors = nullptr,
                                   int phaseLimitMs = TrackboxScanner::broadcastPhaseLimitMs)
    {
        if (!net.enter("pc"))
            return {};
        TrackboxScanner scanner(50105);
        scanner.setBroadcastPhaseLimit(phaseLimitMs);
        const QList<trackbox_info_type> list = scanner.get_all_trackboxes(subnet);
        net.leave();
        if (errors)
            *errors = scanner.get_errors();
        return list;
    }

    NetLab net;
    std::vector<std::unique_ptr<SimProcess>> sims;  // stopped before the namespaces go
    bool ok = false;
};

// The UDP commands a simulator received since it started or since the last call.
QStringList udpCommands(SimProcess* sim)
{
    // The answer to a control line comes after the log lines of every earlier command.
    sim->control("stats");
    QStringList out;
    for (const QString& line : sim->takeOutputLines()) {
        if (line.startsWith("cmd udp "))
            out << line.section(' ', 3, -1).remove(QChar(0)).trimmed();
    }
    return out;
}

QMap<QString, trackbox_info_type> byAddress(const QList<trackbox_info_type>& list)
{
    QMap<QString, trackbox_info_type> out;
    for (const trackbox_info_type& t : list) {
        if (out.contains(t.ip_str))
            qWarning("%s listed twice", t.ip_str);
        out.insert(QString::fromLatin1(t.ip_str), t);
    }
    return out;
}

QStringList addresses(const QList<trackbox_info_type>& list)
{
    QStringList out;
    for (const trackbox_info_type& t : list)
        out << QString::fromLatin1(t.ip_str);
    return out;
}

}  // namespace

class TrackboxScannerTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QString why;
        if (!NetLab::available(&why))
            QSKIP(qPrintable("discovery tests need network namespaces: " + why));
    }

    void findsEveryControllerOnTheSubnet();
    void twoInterfacesOnOneSubnetListTheControllerOnce();
    void controllerAnsweringOnlyTheBroadcastKeepsDefaults();
    void followUpQueriesDependOnProtocolAndAccess();
    void unicastAddressFindsJustThatController();
    void stopDuringBroadcastPhaseSkipsTheQueries();
    void loopbackOnlyHostFindsNothing();
    void garbageFloodCannotHoldTheScan();
    void floodDoesNotHideASlowController();
    void answersFromOtherControllersAreNotTakenForTheQueriedOne();
};

void TrackboxScannerTest::findsEveryControllerOnTheSubnet()
{
    Lab lab("scanall");
    QVERIFY(lab.ok);
    // Model "2" shows its serial as "S" and eight digits; a longer one is cut to the field.
    const QStringList models = {"2", "21", "2"};
    const QStringList serials = {"1234", "1234", "123456789012345678"};
    for (int i = 0; i < 3; ++i) {
        QVERIFY(lab.addSim(
            QStringLiteral("192.0.2.%1").arg(21 + i),
            {QStringLiteral("set system hostname = tracker-%1").arg(i),
             QStringLiteral("set system version = 3.%1.0 build 77").arg(i),
             "set system model = " + models[i], "set system controller_serial = " + serials[i],
             QStringLiteral("set system ethernet_mac = 02:00:00:00:00:%1").arg(i)}));
    }

    QStringList errors;
    const QMap<QString, trackbox_info_type> found = byAddress(lab.scan(0, &errors));
    QVERIFY2(errors.isEmpty(), qPrintable(errors.join('\n')));
    QCOMPARE(found.keys(), QStringList({"192.0.2.21", "192.0.2.22", "192.0.2.23"}));
    const QStringList expectedSerials = {"S00001234", "1234", "S12345678901234"};
    int i = 0;
    for (const trackbox_info_type& t : found) {
        QCOMPARE(t.ip, QHostAddress(t.ip_str).toIPv4Address());
        QCOMPARE(QString(t.hostname), QStringLiteral("tracker-%1").arg(i));
        QCOMPARE(QString(t.version), QStringLiteral("3.%1.0").arg(i));  // first word only
        QCOMPARE(QString(QByteArray(t.serial, int(qstrnlen(t.serial, sizeof t.serial)))),
                 expectedSerials[i]);
        QCOMPARE(QString(t.access), QStringLiteral("full"));
        QCOMPARE(QString(t.mac_str), QStringLiteral("02:00:00:00:00:%1").arg(i));
        QVERIFY(!t.isSlave);
        ++i;
    }
}

void TrackboxScannerTest::twoInterfacesOnOneSubnetListTheControllerOnce()
{
    Lab lab("scantwo");
    QVERIFY(lab.ok);
    QVERIFY(!lab.net.addInterface("pc", "192.0.2.11/24").isEmpty());
    SimProcess* sim = lab.addSim("192.0.2.30");
    QVERIFY(sim);

    QCOMPARE(addresses(lab.scan()), QStringList{"192.0.2.30"});
    // One request per interface address, then the follow-ups of the one controller.
    QCOMPARE(udpCommands(sim), QStringList({kVersion, kVersion}) + kIdentity + QStringList{kMac});
}

void TrackboxScannerTest::controllerAnsweringOnlyTheBroadcastKeepsDefaults()
{
    Lab lab("scanmute");
    QVERIFY(lab.ok && lab.addHost("tb", "192.0.2.40"));
    FakeController peer(lab.net.ns("tb"),
                        {{kVersion.toLatin1(), "orvane2 set system version 4.2.1 (quiet)"}});
    QVERIFY(peer.startListening());

    const QList<trackbox_info_type> found = lab.scan();
    QCOMPARE(addresses(found), QStringList{"192.0.2.40"});
    const trackbox_info_type& t = found.first();
    QCOMPARE(QString(t.version), QStringLiteral("4.2.1"));
    for (const char* field : {t.hostname, t.serial, t.access, t.mac_str})
        QCOMPARE(QString(field), QStringLiteral("unknown"));
    // Unanswered questions leave no value a reader could take for the controller's.
    for (const char* field : {t.model, t.protocol_version})
        QCOMPARE(QString(field), QString());
    QVERIFY(!t.isSlave);
    // Without a protocol version neither the slave nor the MAC question is asked.
    QCOMPARE(peer.received(), QStringList{kVersion} + kIdentity);
}

void TrackboxScannerTest::followUpQueriesDependOnProtocolAndAccess()
{
    Lab lab("scangate");
    QVERIFY(lab.ok);
    struct Case
    {
        QString address;
        QString protocol;
        bool othersHoldAccess;
        QStringList gated;  // asked after the broadcast and the identity reads
    };
    const QList<Case> cases = {
        {"192.0.2.51", "v1.9", true, {kSlave, kMac}},
        {"192.0.2.52", "v1.9", false, {kMac}},
        {"192.0.2.53", "v1.6", true, {}},
        {"192.0.2.54", "v1.12.4", true, {kSlave, kMac}},  // numeric, not textual, comparison
        {"192.0.2.55", "v1.7", true, {kSlave}},
    };
    QMap<QString, SimProcess*> sims;
    for (const Case& c : cases) {
        QStringList setup = {"set system protocol_version = " + c.protocol,
                             "set system slave = yes", "set system model = 21",
                             "set system ethernet_mac = 02:00:00:00:00:01"};
        if (c.othersHoldAccess)
            setup << "access 192.0.2.99";
        sims.insert(c.address, lab.addSim(c.address, setup));
        QVERIFY(sims.value(c.address));
    }

    const QMap<QString, trackbox_info_type> found = byAddress(lab.scan());
    QCOMPARE(found.size(), cases.size());
    for (const Case& c : cases) {
        const trackbox_info_type t = found.value(c.address);
        QCOMPARE(QString(t.access), c.othersHoldAccess ? QString("none") : QString("full"));
        QCOMPARE(QString(t.model), QStringLiteral("21"));
        QCOMPARE(QString(t.protocol_version), c.protocol);
        QCOMPARE(t.isSlave, c.gated.contains(kSlave));
        QCOMPARE(QString(t.mac_str), c.gated.contains(kMac) ? "02:00:00:00:00:01" : "unknown");
        QCOMPARE(udpCommands(sims.value(c.address)), QStringList{kVersion} + kIdentity + c.gated);
    }
}

void TrackboxScannerTest::unicastAddressFindsJustThatController()
{
    Lab lab("scanone");
    QVERIFY(lab.ok);
    SimProcess* a = lab.addSim("192.0.2.71");
    SimProcess* b = lab.addSim("192.0.2.72");
    QVERIFY(a && b);

    const int address = static_cast<int>(QHostAddress("192.0.2.72").toIPv4Address());
    QCOMPARE(addresses(lab.scan(address)), QStringList{"192.0.2.72"});
    QCOMPARE(udpCommands(a), QStringList());
    QCOMPARE(udpCommands(b), QStringList{kVersion} + kIdentity + QStringList{kMac});
}

void TrackboxScannerTest::stopDuringBroadcastPhaseSkipsTheQueries()
{
    Lab lab("scanstop");
    QVERIFY(lab.ok && lab.addHost("tb", "192.0.2.80"));
    // Repeats its answer to the broadcast, so the network never falls silent and the
    // broadcast phase can only end by stop(), however late the stop comes.
    const QByteArray answer = "orvane2 set system version 2.0";
    FakeController peer(lab.net.ns("tb"), {{kVersion.toLatin1(), answer}}, answer, 20);
    QVERIFY(peer.startListening() && lab.net.enter("pc"));

    TrackboxScanner scanner(50105);
    // The stop comes from a timer on the waiting thread, which shows that it keeps
    // handling events meanwhile.
    bool stopped = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (peer.floodSent() >= 3 && !stopped) {
            scanner.stop();
            stopped = true;
        }
    });
    poll.start(10);
    const QList<trackbox_info_type> found = scanner.get_all_trackboxes(0);
    lab.net.leave();
    QVERIFY(stopped);
    QVERIFY(!scanner.isRunning());
    QCOMPARE(addresses(found), QStringList{"192.0.2.80"});
    QCOMPARE(QString(found.first().hostname), QString());
    QCOMPARE(peer.received(), QStringList{kVersion});
}

void TrackboxScannerTest::loopbackOnlyHostFindsNothing()
{
    Lab lab("scanlo", false);
    QVERIFY(lab.ok);
    QElapsedTimer timer;
    timer.start();
    QStringList errors;
    QVERIFY(lab.scan(0, &errors).isEmpty());
    QVERIFY(errors.isEmpty());
    // Nothing was sent, yet the scan still waits out one answer time-out.
    QVERIFY2(timer.elapsed() >= 490, qPrintable(QString::number(timer.elapsed())));
}

void TrackboxScannerTest::garbageFloodCannotHoldTheScan()
{
    Lab lab("scanflood");
    QVERIFY(lab.ok && lab.addHost("tb", "192.0.2.90"));
    QVERIFY(lab.addSim("192.0.2.91"));
    // Answers the broadcast, then never stops sending datagrams without the answer prefix.
    FakeController noisy(lab.net.ns("tb"),
                         {{kVersion.toLatin1(), "orvane2 set system version 1.0"}},
                         "orvane2 err 12 not ready", 10);
    QVERIFY(noisy.startListening());

    QElapsedTimer timer;
    timer.start();
    QCOMPARE(byAddress(lab.scan(0, nullptr, 1500)).keys(),
             QStringList({"192.0.2.90", "192.0.2.91"}));
    // The flood never lets the network fall silent; the wall-clock bound ends the phase.
    QVERIFY2(timer.elapsed() >= 1500, qPrintable(QString::number(timer.elapsed())));
    QVERIFY(noisy.floodSent() >= 100);
}

void TrackboxScannerTest::floodDoesNotHideASlowController()
{
    Lab lab("scanslow");
    QVERIFY(lab.ok && lab.addHost("tb", "192.0.2.110"));
    // Hundreds of foreign datagrams reach the scanner before the slow controller answers.
    FakeController noisy(lab.net.ns("tb"), {{kVersion.toLatin1(), "orvane2 err 12 not ready"}},
                         "orvane2 err 12 not ready", 1);
    QVERIFY(noisy.startListening());
    QVERIFY(lab.addSim("192.0.2.111", {"set system hostname = slowpoke", "delay 300"}));

    const QList<trackbox_info_type> found = lab.scan(0, nullptr, 2000);
    QCOMPARE(addresses(found), QStringList{"192.0.2.111"});
    QCOMPARE(QString(found.first().hostname), QStringLiteral("slowpoke"));
}

void TrackboxScannerTest::answersFromOtherControllersAreNotTakenForTheQueriedOne()
{
    Lab lab("scanlate");
    QVERIFY(lab.ok && lab.addHost("tbx", "192.0.2.100"));
    // The genuine answers take 30 ms, so some of the other peer's datagrams always arrive
    // first; the phase bound ends the broadcast phase long after the genuine answer.
    QVERIFY(lab.addSim("192.0.2.101", {"set system hostname = genuine", "delay 30"}));
    FakeController chatty(lab.net.ns("tbx"), {}, "orvane2 set system hostname impostor", 10);
    QVERIFY(chatty.startListening());

    const QList<trackbox_info_type> found = lab.scan(0, nullptr, 1500);
    QCOMPARE(addresses(found), QStringList{"192.0.2.101"});
    QCOMPARE(QString(found.first().hostname), QStringLiteral("genuine"));
    QVERIFY(QString(found.first().serial) != "unknown");
}

QTEST_GUILESS_MAIN(TrackboxScannerTest)
#include "tst_trackboxscanner.moc"
