// Discovery runs only inside network namespaces made here: the scan broadcasts on every
// interface of the host it runs on.
#include <QElapsedTimer>
#include <QMutex>
#include <QMutexLocker>
#include <QRegularExpression>
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

#include "NetLab.h"
#include "SimProcess.h"
#include "TrackboxScanner.h"

namespace {

// A minimal controller of our own, for peers that behave in ways the simulator does not:
// it answers only the commands it was given, records every command it receives and can
// keep sending one datagram to whoever asked first.
class FakeController : public QThread
{
public:
    FakeController(const QString& netns, QMap<QByteArray, QByteArray> answers)
        : m_netns(netns), m_answers(std::move(answers))
    {
    }
    ~FakeController() override
    {
        m_stop = true;
        wait();
    }

    // After the first command, send text to its sender every intervalMs (0: off).
    void setFlood(const QByteArray& text, int intervalMs)
    {
        m_floodText = text;
        m_floodIntervalMs = intervalMs;
    }
    bool startListening()
    {
        start();
        return m_ready.tryAcquire(1, 5000) && m_listening;
    }
    QStringList received() const
    {
        QMutexLocker lock(&m_mutex);
        return m_received;
    }
    int floodSent() const { return m_floodSent; }

protected:
    void run() override
    {
        const int nsFd = ::open(QByteArray("/run/netns/" + m_netns.toLatin1()).constData(),
                                O_RDONLY | O_CLOEXEC);
        const bool inNamespace = nsFd >= 0 && ::setns(nsFd, CLONE_NEWNET) == 0;
        if (nsFd >= 0)
            ::close(nsFd);
        const int fd = inNamespace ? ::socket(AF_INET, SOCK_DGRAM, 0) : -1;
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_port = htons(50105);
        addr.sin_addr.s_addr = htonl(INADDR_ANY);
        m_listening = fd >= 0 && ::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0;
        m_ready.release();
        if (m_listening)
            serve(fd);
        if (fd >= 0)
            ::close(fd);
    }

private:
    void serve(int fd)
    {
        sockaddr_in first{};
        bool haveFirst = false;
        QElapsedTimer sinceFlood;
        sinceFlood.start();
        while (!m_stop) {
            pollfd p{fd, POLLIN, 0};
            if (::poll(&p, 1, m_floodIntervalMs > 0 ? 1 : 20) > 0) {
                char buf[512];
                sockaddr_in from{};
                socklen_t len = sizeof from;
                const ssize_t n = ::recvfrom(fd, buf, sizeof buf - 1, 0,
                                             reinterpret_cast<sockaddr*>(&from), &len);
                if (n <= 0)
                    continue;
                buf[n] = '\0';
                const QByteArray cmd(buf);
                {
                    QMutexLocker lock(&m_mutex);
                    m_received.append(QString::fromLatin1(cmd));
                }
                if (!haveFirst) {
                    first = from;
                    haveFirst = true;
                }
                const auto it = m_answers.constFind(cmd);
                if (it != m_answers.constEnd())
                    ::sendto(fd, it->constData(), it->size() + 1, 0,
                             reinterpret_cast<sockaddr*>(&from), len);
            }
            if (haveFirst && m_floodIntervalMs > 0 && sinceFlood.elapsed() >= m_floodIntervalMs) {
                ::sendto(fd, m_floodText.constData(), m_floodText.size() + 1, 0,
                         reinterpret_cast<sockaddr*>(&first), sizeof first);
                ++m_floodSent;
                sinceFlood.restart();
            }
        }
    }

    QString m_netns;
    QMap<QByteArray, QByteArray> m_answers;
    QByteArray m_floodText;
    int m_floodIntervalMs = 0;
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_listening{false};
    std::atomic<int> m_floodSent{0};
    QSemaphore m_ready;
    mutable QMutex m_mutex;
    QStringList m_received;
};

const QString kVersion = QStringLiteral("orvane2 get system version");
const QStringList kIdentity = {QStringLiteral("orvane2 get system hostname"),
                               QStringLiteral("orvane2 get system model"),
                               QStringLiteral("orvane2 get system controller_serial"),
                               QStringLiteral("orvane2 get system protocol_version"),
                               QStringLiteral("orvane2 get system access")};
const QString kSlave = QStringLiteral("orvane2 get system slave");
const QString kMac = QStringLiteral("orvane2 get system ethernet_mac");

uint32_t ipOf(const QString& dotted)
{
    return QHostAddress(dotted).toIPv4Address();
}

QStringList ipTexts(const QList<trackbox_info_type>& list)
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
    void initTestCase();

    void findsEveryControllerOnTheSubnet();
    void twoInterfacesOnOneSubnetListTheControllerOnce();
    void controllerAnsweringOnlyTheBroadcastKeepsDefaults();
    void followUpQueriesDependOnProtocolAndAccess();
    void serialFormatDependsOnModel();
    void unicastAddressFindsJustThatController();
    void stopDuringBroadcastPhaseSkipsTheQueries();
    void loopbackOnlyHostFindsNothing();
    void garbageFloodCannotHoldTheScan();
    void answersFromOtherControllersAreNotTakenForTheQueriedOne();

private:
    // Starts a simulator on its own host of the lab, reachable at address (a /24).
    SimProcess* addController(NetLab& lab, const QString& host, const QString& address,
                              const QStringList& args = {});
    QList<trackbox_info_type> scanFrom(NetLab& lab, const QString& host, int subnet,
                                       QStringList* errors = nullptr);
    // The UDP commands the simulator received since its start or the last call.
    static QStringList udpCommands(SimProcess& sim);
    static void setValue(SimProcess& sim, const QString& parameter, const QString& value);

    std::vector<std::unique_ptr<SimProcess>> m_sims;
};

void TrackboxScannerTest::initTestCase()
{
    QString why;
    if (!NetLab::available(&why))
        QSKIP(qPrintable(QStringLiteral("discovery tests need network namespaces: ") + why));
}

SimProcess* TrackboxScannerTest::addController(NetLab& lab, const QString& host,
                                               const QString& address, const QStringList& args)
{
    if (lab.addHost(host).isEmpty() || lab.addInterface(host, address + "/24").isEmpty())
        return nullptr;
    auto sim = std::make_unique<SimProcess>();
    if (!sim->start(QStringLiteral("0.0.0.0"), args, lab.ns(host)) ||
        !sim->control(QStringLiteral("log on")).startsWith(QLatin1String("ok")))
        return nullptr;
    m_sims.push_back(std::move(sim));
    return m_sims.back().get();
}

QList<trackbox_info_type> TrackboxScannerTest::scanFrom(NetLab& lab, const QString& host,
                                                        int subnet, QStringList* errors)
{
    if (!lab.enter(host))
        return {};
    TrackboxScanner scanner(50105);
    const QList<trackbox_info_type> list = scanner.get_all_trackboxes(subnet);
    lab.leave();
    if (errors)
        *errors = scanner.get_errors();
    return list;
}

QStringList TrackboxScannerTest::udpCommands(SimProcess& sim)
{
    // The answer to this line comes after every log line of the commands before it.
    sim.control(QStringLiteral("stats"));
    QStringList out;
    for (const QString& line : sim.takeOutputLines()) {
        if (line.startsWith(QLatin1String("cmd udp ")))
            out << line.section(QLatin1Char(' '), 3, -1).remove(QChar(0)).trimmed();
    }
    return out;
}

void TrackboxScannerTest::setValue(SimProcess& sim, const QString& parameter, const QString& value)
{
    const QString answer = sim.control(QStringLiteral("set %1 = %2").arg(parameter, value));
    QVERIFY2(answer.startsWith(QLatin1String("ok")), qPrintable(answer));
}

void TrackboxScannerTest::findsEveryControllerOnTheSubnet()
{
    NetLab lab(QStringLiteral("scanall"));
    QVERIFY(!lab.addHost("pc").isEmpty());
    QVERIFY(!lab.addInterface("pc", "192.0.2.10/24").isEmpty());
    QList<SimProcess*> sims;
    for (int i = 1; i <= 3; ++i) {
        SimProcess* sim = addController(lab, QStringLiteral("tb%1").arg(i),
                                        QStringLiteral("192.0.2.%1").arg(20 + i));
        QVERIFY(sim);
        setValue(*sim, "system hostname", QStringLiteral("tracker-%1").arg(i));
        setValue(*sim, "system version", QStringLiteral("3.%1.0 build 77").arg(i));
        sims << sim;
    }

    QStringList errors;
    const QList<trackbox_info_type> found = scanFrom(lab, "pc", 0, &errors);
    QVERIFY2(errors.isEmpty(), qPrintable(errors.join('\n')));
    QCOMPARE(found.size(), 3);
    QStringList ips = ipTexts(found);
    ips.sort();
    QCOMPARE(ips, QStringList({"192.0.2.21", "192.0.2.22", "192.0.2.23"}));
    for (const trackbox_info_type& t : found) {
        const int i = QString::fromLatin1(t.ip_str).section('.', 3).toInt() - 20;
        QCOMPARE(t.ip, ipOf(QString::fromLatin1(t.ip_str)));
        QCOMPARE(QString::fromLatin1(t.hostname), QStringLiteral("tracker-%1").arg(i));
        // Only the first word of the version answer is kept.
        QCOMPARE(QString::fromLatin1(t.version), QStringLiteral("3.%1.0").arg(i));
        QCOMPARE(QString::fromLatin1(t.access), QStringLiteral("full"));
        const QString mac = sims[i - 1]->control("get system ethernet_mac").mid(3);
        QCOMPARE(QString::fromLatin1(t.mac_str), mac);
        QVERIFY(!t.isSlave);
    }
}

void TrackboxScannerTest::twoInterfacesOnOneSubnetListTheControllerOnce()
{
    NetLab lab(QStringLiteral("scantwo"));
    QVERIFY(!lab.addHost("pc").isEmpty());
    QVERIFY(!lab.addInterface("pc", "192.0.2.10/24").isEmpty());
    QVERIFY(!lab.addInterface("pc", "192.0.2.11/24").isEmpty());
    SimProcess* sim = addController(lab, "tb", "192.0.2.30");
    QVERIFY(sim);

    const QList<trackbox_info_type> found = scanFrom(lab, "pc", 0);
    QCOMPARE(ipTexts(found), QStringList{"192.0.2.30"});
    // One request per interface address, then the follow-ups of one controller only.
    QCOMPARE(udpCommands(*sim), QStringList({kVersion, kVersion}) + kIdentity + QStringList{kMac});
}

void TrackboxScannerTest::controllerAnsweringOnlyTheBroadcastKeepsDefaults()
{
    NetLab lab(QStringLiteral("scanmute"));
    QVERIFY(!lab.addHost("pc").isEmpty());
    QVERIFY(!lab.addInterface("pc", "192.0.2.10/24").isEmpty());
    QVERIFY(!lab.addHost("tb").isEmpty());
    QVERIFY(!lab.addInterface("tb", "192.0.2.40/24").isEmpty());
    FakeController peer(
        lab.ns("tb"), {{"orvane2 get system version", "orvane2 set system version 4.2.1 (quiet)"}});
    QVERIFY(peer.startListening());

    const QList<trackbox_info_type> found = scanFrom(lab, "pc", 0);
    QCOMPARE(found.size(), 1);
    const trackbox_info_type& t = found.first();
    QCOMPARE(QByteArray(t.ip_str), QByteArray("192.0.2.40"));
    QCOMPARE(QByteArray(t.version), QByteArray("4.2.1"));
    QCOMPARE(QByteArray(t.hostname), QByteArray("unknown"));
    QCOMPARE(QByteArray(t.serial), QByteArray("unknown"));
    QCOMPARE(QByteArray(t.access), QByteArray("unknown"));
    QCOMPARE(QByteArray(t.mac_str), QByteArray("unknown"));
    QVERIFY(!t.isSlave);
    // Without a protocol version neither the slave nor the MAC question is asked.
    QCOMPARE(peer.received(),
             QStringList({"orvane2 get system version", "orvane2 get system hostname",
                          "orvane2 get system model", "orvane2 get system controller_serial",
                          "orvane2 get system protocol_version", "orvane2 get system access"}));
}

void TrackboxScannerTest::followUpQueriesDependOnProtocolAndAccess()
{
    NetLab lab(QStringLiteral("scangate"));
    QVERIFY(!lab.addHost("pc").isEmpty());
    QVERIFY(!lab.addInterface("pc", "192.0.2.10/24").isEmpty());
    struct Case
    {
        const char* address;
        const char* protocol;
        bool othersHoldAccess;
        QStringList gated;  // asked after the broadcast and the identity reads
    };
    const Case cases[] = {
        {"192.0.2.51", "v1.9", true, {kSlave, kMac}},
        {"192.0.2.52", "v1.9", false, {kMac}},
        {"192.0.2.53", "v1.6", true, {}},
        {"192.0.2.54", "v1.12.4", true, {kSlave, kMac}},  // numeric, not textual, comparison
        {"192.0.2.55", "v1.7", true, {kSlave}},
    };
    QMap<QString, SimProcess*> sims;
    int n = 0;
    for (const Case& c : cases) {
        SimProcess* sim = addController(lab, QStringLiteral("tb%1").arg(++n), c.address);
        QVERIFY(sim);
        setValue(*sim, "system protocol_version", c.protocol);
        setValue(*sim, "system slave", "yes");
        setValue(*sim, "system ethernet_mac",
                 QStringLiteral("02:00:00:00:00:%1").arg(n, 2, 10, QChar('0')));
        if (c.othersHoldAccess)
            QVERIFY(sim->control("access 192.0.2.99").startsWith("ok"));
        sims.insert(c.address, sim);
    }

    const QList<trackbox_info_type> found = scanFrom(lab, "pc", 0);
    QCOMPARE(found.size(), int(std::size(cases)));
    n = 0;
    for (const Case& c : cases) {
        ++n;
        const auto it = std::find_if(found.begin(), found.end(), [&](const trackbox_info_type& t) {
            return QByteArray(t.ip_str) == c.address;
        });
        QVERIFY2(it != found.end(), c.address);
        QCOMPARE(QByteArray(it->access), QByteArray(c.othersHoldAccess ? "none" : "full"));
        QCOMPARE(it->isSlave, c.gated.contains(kSlave));
        QCOMPARE(QString::fromLatin1(it->mac_str),
                 c.gated.contains(kMac)
                     ? QStringLiteral("02:00:00:00:00:%1").arg(n, 2, 10, QChar('0'))
                     : QStringLiteral("unknown"));
        QCOMPARE(udpCommands(*sims.value(c.address)), QStringList{kVersion} + kIdentity + c.gated);
    }
}

void TrackboxScannerTest::serialFormatDependsOnModel()
{
    NetLab lab(QStringLiteral("scanser"));
    QVERIFY(!lab.addHost("pc").isEmpty());
    QVERIFY(!lab.addInterface("pc", "192.0.2.10/24").isEmpty());
    SimProcess* two = addController(lab, "tb2", "192.0.2.61");
    SimProcess* twentyOne = addController(lab, "tb21", "192.0.2.62");
    SimProcess* longSerial = addController(lab, "tblong", "192.0.2.63");
    QVERIFY(two && twentyOne && longSerial);
    setValue(*two, "system model", "2");
    setValue(*two, "system controller_serial", "1234");
    setValue(*twentyOne, "system model", "21");
    setValue(*twentyOne, "system controller_serial", "1234");
    // Longer than the field: cut to 15 characters, never beyond.
    setValue(*longSerial, "system model", "2");
    setValue(*longSerial, "system controller_serial", "123456789012345678");

    QMap<QByteArray, QByteArray> serials;
    for (const trackbox_info_type& t : scanFrom(lab, "pc", 0))
        serials.insert(t.ip_str, QByteArray(t.serial, int(qstrnlen(t.serial, sizeof t.serial))));
    QCOMPARE(serials.value("192.0.2.61"), QByteArray("S00001234"));
    QCOMPARE(serials.value("192.0.2.62"), QByteArray("1234"));
    QCOMPARE(serials.value("192.0.2.63"), QByteArray("S12345678901234"));
}

void TrackboxScannerTest::unicastAddressFindsJustThatController()
{
    NetLab lab(QStringLiteral("scanone"));
    QVERIFY(!lab.addHost("pc").isEmpty());
    QVERIFY(!lab.addInterface("pc", "192.0.2.10/24").isEmpty());
    SimProcess* a = addController(lab, "tba", "192.0.2.71");
    SimProcess* b = addController(lab, "tbb", "192.0.2.72");
    QVERIFY(a && b);

    const QList<trackbox_info_type> found =
        scanFrom(lab, "pc", static_cast<int>(ipOf("192.0.2.72")));
    QCOMPARE(ipTexts(found), QStringList{"192.0.2.72"});
    QCOMPARE(udpCommands(*a), QStringList());
    QCOMPARE(udpCommands(*b), QStringList{kVersion} + kIdentity + QStringList{kMac});
}

void TrackboxScannerTest::stopDuringBroadcastPhaseSkipsTheQueries()
{
    NetLab lab(QStringLiteral("scanstop"));
    QVERIFY(!lab.addHost("pc").isEmpty());
    QVERIFY(!lab.addInterface("pc", "192.0.2.10/24").isEmpty());
    SimProcess* sim = addController(lab, "tb", "192.0.2.80");
    QVERIFY(sim);

    QVERIFY(lab.enter("pc"));
    TrackboxScanner scanner(50105);
    // The broadcast phase lasts at least one silent answer time-out after the only answer,
    // so a stop after 100 ms always falls into it.
    bool stopped = false;
    QTimer::singleShot(100, [&] {
        scanner.stop();
        stopped = true;
    });
    const QList<trackbox_info_type> found = scanner.get_all_trackboxes(0);
    lab.leave();
    QVERIFY(stopped);
    QVERIFY(!scanner.isRunning());
    QCOMPARE(ipTexts(found), QStringList{"192.0.2.80"});
    QCOMPARE(QByteArray(found.first().hostname), QByteArray());
    QCOMPARE(udpCommands(*sim), QStringList{kVersion});
}

void TrackboxScannerTest::loopbackOnlyHostFindsNothing()
{
    NetLab lab(QStringLiteral("scanlo"));
    QVERIFY(!lab.addHost("pc").isEmpty());
    QElapsedTimer timer;
    timer.start();
    QStringList errors;
    const QList<trackbox_info_type> found = scanFrom(lab, "pc", 0, &errors);
    QVERIFY(found.isEmpty());
    QVERIFY(errors.isEmpty());
    // Nothing was sent, yet the scan still waits out one answer time-out.
    QVERIFY2(timer.elapsed() >= 490, qPrintable(QString::number(timer.elapsed())));
}

void TrackboxScannerTest::garbageFloodCannotHoldTheScan()
{
    NetLab lab(QStringLiteral("scanflood"));
    QVERIFY(!lab.addHost("pc").isEmpty());
    QVERIFY(!lab.addInterface("pc", "192.0.2.10/24").isEmpty());
    QVERIFY(!lab.addHost("tb").isEmpty());
    QVERIFY(!lab.addInterface("tb", "192.0.2.90/24").isEmpty());
    SimProcess* sim = addController(lab, "tbgood", "192.0.2.91");
    QVERIFY(sim);
    // Answers the broadcast, then never stops sending datagrams without the answer prefix.
    FakeController noisy(lab.ns("tb"),
                         {{"orvane2 get system version", "orvane2 set system version 1.0"}});
    noisy.setFlood("orvane2 err 12 not ready", 5);
    QVERIFY(noisy.startListening());

    const QList<trackbox_info_type> found = scanFrom(lab, "pc", 0);
    QStringList ips = ipTexts(found);
    ips.sort();
    QCOMPARE(ips, QStringList({"192.0.2.90", "192.0.2.91"}));
    QVERIFY(noisy.floodSent() >= TrackboxScanner::maxConsecutiveReceiveFailures);
}

void TrackboxScannerTest::answersFromOtherControllersAreNotTakenForTheQueriedOne()
{
    NetLab lab(QStringLiteral("scanlate"));
    QVERIFY(!lab.addHost("pc").isEmpty());
    QVERIFY(!lab.addInterface("pc", "192.0.2.10/24").isEmpty());
    QVERIFY(!lab.addHost("tbx").isEmpty());
    QVERIFY(!lab.addInterface("tbx", "192.0.2.100/24").isEmpty());
    SimProcess* sim = addController(lab, "tb", "192.0.2.101");
    QVERIFY(sim);
    setValue(*sim, "system hostname", "genuine");
    setValue(*sim, "system model", "21");
    // The genuine answers take 20 ms, so the peer's datagrams always arrive first.
    QVERIFY(sim->control("delay 20").startsWith("ok"));
    // A peer that keeps repeating a host name answer long after anyone asked.
    FakeController chatty(lab.ns("tbx"), {});
    chatty.setFlood("orvane2 set system hostname impostor", 3);
    QVERIFY(chatty.startListening());

    // Only the simulator answers the broadcast; the peer's datagrams arrive throughout.
    const QList<trackbox_info_type> found = scanFrom(lab, "pc", 0);
    QCOMPARE(ipTexts(found), QStringList{"192.0.2.101"});
    QCOMPARE(QByteArray(found.first().hostname), QByteArray("genuine"));
    QCOMPARE(QByteArray(found.first().serial).isEmpty(), false);
    QVERIFY(QByteArray(found.first().serial) != "unknown");
}

QTEST_MAIN(TrackboxScannerTest)
#include "tst_trackboxscanner.moc"
