// The wake-on-LAN waiting dialog inside a lab network: the magic packets as they arrive at a
// neighbour, the broadcast address they go to, and how the wait ends.
#include <QLabel>
#include <QPushButton>
#include <QtTest>

#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sched.h>
#include <sys/socket.h>
#include <unistd.h>

#include <thread>

#include "ConnectLab.h"
#include "EndlessProgressDlg.h"
#include "ModalWatcher.h"

namespace {

// A UDP socket bound to port in the namespace ns; the socket stays there whatever thread
// reads it later.
int udpSocketIn(const QString& ns, uint16_t port)
{
    int fd = -1;
    std::thread maker([&] {
        const int nsFd = ::open(qPrintable("/run/netns/" + ns), O_RDONLY | O_CLOEXEC);
        if (nsFd < 0)
            return;
        if (::setns(nsFd, CLONE_NEWNET) == 0) {
            fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
            sockaddr_in any{};
            any.sin_family = AF_INET;
            any.sin_port = htons(port);
            if (fd >= 0 && ::bind(fd, reinterpret_cast<sockaddr*>(&any), sizeof any) != 0) {
                ::close(fd);
                fd = -1;
            }
        }
        ::close(nsFd);
    });
    maker.join();
    return fd;
}

// Every datagram that arrives within timeoutMs after the first one (or none at all).
QList<QByteArray> receiveAll(int fd, int timeoutMs)
{
    QList<QByteArray> out;
    for (;;) {
        pollfd p{fd, POLLIN, 0};
        if (::poll(&p, 1, out.isEmpty() ? timeoutMs : 100) <= 0)
            return out;
        char buf[2048];
        const ssize_t n = ::recv(fd, buf, sizeof buf, 0);
        if (n >= 0)
            out << QByteArray(buf, int(n));
    }
}

QByteArray standardPacket(const QByteArray& mac)
{
    QByteArray p(6, char(0xFF));
    for (int i = 0; i < 16; ++i)
        p += mac;
    return p;
}

uint32_t ipv4(const QString& text)
{
    return QHostAddress(text).toIPv4Address();
}

}  // namespace

class EndlessProgressDlgTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase() { m_lab.reset(); }

    void magicPacketReachesTheSubnet_data();
    void magicPacketReachesTheSubnet();
    void destinationFollowsTheControllersSubnet_data();
    void destinationFollowsTheControllersSubnet();
    void waitEnds_data();
    void waitEnds();
    void nothingSentNoWait_data();
    void nothingSentNoWait();

private:
    std::unique_ptr<ConnectLab> m_lab;
};

void EndlessProgressDlgTest::initTestCase()
{
    CONNECTLAB_ENTER(m_lab, "wol");
    QVERIFY(!m_lab->net.addInterface("pc", "198.51.100.10/24").isEmpty());
    QVERIFY(!m_lab->net.addHost("cap").isEmpty());
    QVERIFY(!m_lab->net.addInterface("cap", "192.0.2.30/24").isEmpty());
}

void EndlessProgressDlgTest::magicPacketReachesTheSubnet_data()
{
    QTest::addColumn<QString>("mac");
    QTest::addColumn<QByteArray>("macBytes");  // empty: no packet, a warning instead

    QTest::newRow("upper case") << "00:11:22:33:44:55" << QByteArray::fromHex("001122334455");
    QTest::newRow("lower case") << "02:00:5e:10:0a:ff" << QByteArray::fromHex("02005e100aff");
    QTest::newRow("single digits") << "0:1:2:3:4:f" << QByteArray::fromHex("00010203040f");
    QTest::newRow("five parts") << "00:11:22:33:44" << QByteArray();
    QTest::newRow("seven parts") << "00:11:22:33:44:55:66" << QByteArray();
    QTest::newRow("empty part") << "00::22:33:44:55" << QByteArray();
    QTest::newRow("not hexadecimal") << "G1:11:22:33:44:55" << QByteArray();
    QTest::newRow("more than a byte") << "100:11:22:33:44:55" << QByteArray();
    QTest::newRow("unknown") << "unknown" << QByteArray();
    QTest::newRow("empty") << "" << QByteArray();
}

void EndlessProgressDlgTest::magicPacketReachesTheSubnet()
{
    QFETCH(QString, mac);
    QFETCH(QByteArray, macBytes);
    const QString cap = m_lab->net.ns("cap");
    const int port7 = udpSocketIn(cap, 7);
    const int port9 = udpSocketIn(cap, 9);
    QVERIFY(port7 >= 0 && port9 >= 0);

    EndlessProgressDlg dialog("box-w", "192.0.2.40", ipv4("192.0.2.40"), mac, nullptr, false);
    ModalWatcher watcher([](QWidget* w) {
        if (auto* waiting = qobject_cast<EndlessProgressDlg*>(w))
            waiting->findChild<QPushButton*>("pushButton_cancel")->click();
    });
    QCOMPARE(dialog.update_and_exec(), 0);
    QCOMPARE(dialog.get_wake_result(), !macBytes.isEmpty());
    QCOMPARE(watcher.dialogsSeen(), macBytes.isEmpty() ? 0 : 1);

    const QList<QByteArray> on7 = receiveAll(port7, macBytes.isEmpty() ? 200 : 2000);
    const QList<QByteArray> on9 = receiveAll(port9, 200);
    ::close(port7);
    ::close(port9);
    if (macBytes.isEmpty()) {
        QCOMPARE(watcher.boxes().size(), 1);
        QCOMPARE(watcher.boxes().first().title, QStringLiteral("Wake On LAN"));
        QCOMPARE(watcher.boxes().first().text, QStringLiteral("Cannot do wake on LAN for box-w."));
        QVERIFY(on7.isEmpty() && on9.isEmpty());
        return;
    }
    QVERIFY(watcher.boxes().isEmpty());
    const QByteArray expected = standardPacket(macBytes);
    QCOMPARE(expected.size(), 102);
    QCOMPARE(on7, QList<QByteArray>{expected});
    QCOMPARE(on9, QList<QByteArray>{expected});
}

void EndlessProgressDlgTest::destinationFollowsTheControllersSubnet_data()
{
    QTest::addColumn<QString>("controller");
    QTest::addColumn<QString>("destination");
    QTest::newRow("first subnet") << "192.0.2.20"
                                  << "192.0.2.255";
    QTest::newRow("second subnet") << "198.51.100.7"
                                   << "198.51.100.255";
    QTest::newRow("no local subnet") << "203.0.113.5"
                                     << "255.255.255.255";
    QTest::newRow("no address") << "0.0.0.0"
                                << "255.255.255.255";
}

void EndlessProgressDlgTest::destinationFollowsTheControllersSubnet()
{
    QFETCH(QString, controller);
    QFETCH(QString, destination);
    EndlessProgressDlg dialog("box", controller, ipv4(controller), "00:11:22:33:44:55", nullptr,
                              false);
    QCOMPARE(QHostAddress(dialog.getBroadcastIp()).toString(), destination);
}

void EndlessProgressDlgTest::waitEnds_data()
{
    QTest::addColumn<QString>("hostname");
    QTest::addColumn<bool>("cascade");
    QTest::addColumn<int>("answerOnTrial");  // 0: never; negative: the user cancels then
    QTest::addColumn<int>("result");
    QTest::addColumn<int>("trials");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("duration");

    const QString oneToTwo = QStringLiteral("waking up can take 1-2 minutes");
    QTest::newRow("answers on the third trial")
        << "box-w" << false << 3 << 1 << 3 << "wake on LAN: box-w" << oneToTwo;
    QTest::newRow("never answers")
        << "box-w" << false << 0 << 1 << 9 << "wake on LAN: box-w" << oneToTwo;
    QTest::newRow("cancelled") << "box-w" << false << -2 << 0 << 2 << "wake on LAN: box-w"
                               << oneToTwo;
    QTest::newRow("cascade boots longer, waits as long")
        << "box-w" << true << 0 << 1 << 9 << "wake on LAN: box-w"
        << "waking up can take 2-5 minutes";
    QTest::newRow("long name shortened")
        << QString(120, QLatin1Char('x')) << false << 1 << 1 << 1 << "..." << oneToTwo;
}

void EndlessProgressDlgTest::waitEnds()
{
    QFETCH(QString, hostname);
    QFETCH(bool, cascade);
    QFETCH(int, answerOnTrial);
    QFETCH(int, result);
    QFETCH(int, trials);
    QFETCH(QString, label);
    QFETCH(QString, duration);

    EndlessProgressDlg dialog(hostname, "192.0.2.40", ipv4("192.0.2.40"), "00:11:22:33:44:55",
                              nullptr, cascade);
    dialog.setRetryInterval(20);
    int emitted = 0;
    connect(&dialog, &EndlessProgressDlg::try_to_connect, [&] {
        ++emitted;
        if (emitted == answerOnTrial)
            dialog.set_wake_successful();
        else if (emitted == -answerOnTrial)
            dialog.findChild<QPushButton*>("pushButton_cancel")->click();
    });
    QCOMPARE(dialog.update_and_exec(), result);
    QCOMPARE(emitted, trials);

    auto* desc = dialog.findChild<QLabel*>("label_desc");
    if (label == QLatin1String("...")) {
        QVERIFY(desc->text().endsWith(label));
        QVERIFY(desc->text().startsWith("wake on LAN: xxx"));
        QVERIFY(desc->fontMetrics().horizontalAdvance(desc->text()) <= desc->width());
    } else {
        QCOMPARE(desc->text(), label);
    }
    QCOMPARE(dialog.findChild<QLabel*>("label_canTakeTowMinutes")->text(), duration);
}

// Both packets refused by the network: the user gets the failure at once instead of a wait
// for a controller that nothing can have woken.
void EndlessProgressDlgTest::nothingSentNoWait_data()
{
    QTest::addColumn<QString>("controller");
    QTest::addColumn<QString>("downSubnet");  // an interface of the PC there, switched off
    // The lab has no default route, as a PC whose only link is unplugged.
    QTest::newRow("no route to all-hosts broadcast") << "203.0.113.5" << QString();
    QTest::newRow("interface down") << "198.18.0.20"
                                    << "198.18.0.10/24";
}

void EndlessProgressDlgTest::nothingSentNoWait()
{
    QFETCH(QString, controller);
    QFETCH(QString, downSubnet);
    if (!downSubnet.isEmpty()) {
        const QString eth = m_lab->net.addInterface("pc", downSubnet);
        QVERIFY(!eth.isEmpty());
        QVERIFY(m_lab->net.run("pc", {"ip", "link", "set", "dev", eth, "down"}));
    }
    EndlessProgressDlg dialog("box-w", controller, ipv4(controller), "00:11:22:33:44:55", nullptr,
                              false);
    ModalWatcher watcher([](QWidget* w) {
        if (auto* waiting = qobject_cast<EndlessProgressDlg*>(w))
            waiting->findChild<QPushButton*>("pushButton_cancel")->click();
    });
    QCOMPARE(dialog.update_and_exec(), 0);
    QCOMPARE(dialog.get_wake_result(), false);
    QCOMPARE(watcher.dialogsSeen(), 0);
    QCOMPARE(watcher.boxes().size(), 1);
    QCOMPARE(watcher.boxes().first().title, QStringLiteral("Wake On LAN"));
    QCOMPARE(watcher.boxes().first().text, QStringLiteral("Cannot do wake on LAN for box-w."));
}

QTEST_MAIN(EndlessProgressDlgTest)
#include "tst_endlessprogressdlg.moc"
