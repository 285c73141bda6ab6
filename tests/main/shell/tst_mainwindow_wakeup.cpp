// The main window started with the wake-up option inside a lab network: its own magic packet
// wakes a sleeping controller on the PC's subnet, and the window connects to it and
// initialises it without another answer from the user, except the password a protected
// controller asks for.

#include "ConnectLab.h"
#include "ConnectedShell.h"

#include "AppStatusBar.h"
#include "EndlessProgressDlg.h"

#include <QtTest>

namespace {

const QString kMac = QStringLiteral("02:00:5E:10:00:01");  // the demo profile's

QByteArray lastSleepy(const QString& ip)
{
    return "<ORVANE><LAST_TRACKBOX IP=\"" + ip.toUtf8() + "\" HOSTNAME=\"sleepy\" MAC=\"" +
           kMac.toUtf8() + "\" MODEL=\"20\"/></ORVANE>";
}

}  // namespace

class TestMainWindowWakeUp : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { CONNECTLAB_ENTER(m_lab, "wakeup"); }
    void cleanupTestCase() { m_lab.reset(); }
    void cleanup() { m_lab->stopSims(); }

    void wakesAndConnectsAtStart_data();
    void wakesAndConnectsAtStart();
    void wakeUpThatSendsNothingEndsTheStart_data();
    void wakeUpThatSendsNothingEndsTheStart();

private:
    std::unique_ptr<ConnectLab> m_lab;
};

void TestMainWindowWakeUp::wakesAndConnectsAtStart_data()
{
    QTest::addColumn<QString>("address");  // one per row: the lab's hosts outlive the rows
    QTest::addColumn<QString>("args");
    QTest::addColumn<QByteArray>("preferences");
    QTest::addColumn<QString>("password");  // the controller's; empty: none
    QTest::addColumn<bool>("asleep");
    QTest::addColumn<QString>("typed");  // at the password prompt; empty: Cancel
    QTest::addColumn<int>("prompts");
    QTest::addColumn<bool>("connected");
    QTest::addColumn<bool>("measuring");

    const QByteArray none("<ORVANE/>");
    const auto host = [](const QString& address, const QString& mac) {
        return "-host " + address + " -wakeup " + mac;
    };
    QTest::newRow("host, MAC with colons") << "192.0.2.20" << host("192.0.2.20", kMac) << none << ""
                                           << true << "" << 0 << true << false;
    QTest::newRow("host, MAC with hyphens")
        << "192.0.2.21" << host("192.0.2.21", "02-00-5e-10-00-01") << none << "" << true << "" << 0
        << true << false;
    QTest::newRow("host, MAC, then measurement")
        << "192.0.2.22" << host("192.0.2.22", kMac) + " -measure" << none << "" << true << "" << 0
        << true << true;
    QTest::newRow("last controller through the dialog")
        << "192.0.2.23"
        << "-directstart -wakeup" << lastSleepy("192.0.2.23") << "" << true << "" << 0 << true
        << false;
    QTest::newRow("through the dialog, password prompt cancelled")
        << "192.0.2.27"
        << "-directstart -wakeup" << lastSleepy("192.0.2.27") << "lab-2024" << true << "" << 1
        << false << false;
    QTest::newRow("woken, password typed")
        << "192.0.2.24" << host("192.0.2.24", kMac) << none << "lab-2024" << true << "lab-2024" << 1
        << true << false;
    QTest::newRow("woken, password prompt cancelled")
        << "192.0.2.25" << host("192.0.2.25", kMac) << none << "lab-2024" << true << "" << 1
        << false << false;
    QTest::newRow("awake already, password prompt cancelled")
        << "192.0.2.26" << host("192.0.2.26", kMac) << none << "lab-2024" << false << "" << 1
        << false << false;
}

void TestMainWindowWakeUp::wakesAndConnectsAtStart()
{
    QFETCH(QString, address);
    QFETCH(QString, args);
    QFETCH(QByteArray, preferences);
    QFETCH(QString, password);
    QFETCH(bool, asleep);
    QFETCH(QString, typed);
    QFETCH(int, prompts);
    QFETCH(bool, connected);
    QFETCH(bool, measuring);

    QStringList lines{"set system hostname = sleepy", "boot-time 300", "log on"};
    if (!password.isEmpty())
        lines << "password " + password;
    SimProcess* sim = m_lab->subnetSim(address, lines);
    QVERIFY(sim);
    if (asleep && sim->control(QStringLiteral("sleep")) != QLatin1String("ok wol"))
        QSKIP("the simulator cannot open the wake-on-LAN ports here");

    ConnectedShell shell;  // its home and process end; the controller is the lab's
    shell.home().writePreferences(preferences);
    int waits = 0;
    int promptsSeen = 0;
    ModalWatcher watcher([&](QWidget* w) {
        if (auto* waiting = qobject_cast<EndlessProgressDlg*>(w)) {
            ++waits;
            // The controller boots within a second; the first retry need not wait 15 s.
            waiting->setRetryInterval(100);
        } else if (answerPasswordPrompt(w, typed)) {
            ++promptsSeen;
        } else if (auto* d = qobject_cast<QDialog*>(w)) {
            d->reject();
        }
    });
    auto w = shell.start(args);

    QCOMPARE(waits, asleep ? 1 : 0);
    QCOMPARE(promptsSeen, prompts);
    QVERIFY(watcher.boxes().isEmpty());
    const QString stats = sim->control(QStringLiteral("stats"));
    QVERIFY2(stats.contains(" power=awake"), qPrintable(stats));
    QCOMPARE(!stats.contains(" wol=0 "), asleep);
    QCOMPARE(!w->isEndingProcess(), connected);
    const QStringList commands = takeSimTcpCommands(*sim);
    const int init = commands.indexOf(QStringLiteral("orvane2 init"));
    QCOMPARE(init >= 0, connected);
    if (!connected) {
        QCOMPARE(ConnectedShell::endedWith(), 0);
        return;
    }
    QVERIFY(commands.indexOf("orvane2 set output active chmon 2dmon yes", init) > init);
    QCOMPARE(w->app_status_bar->messageText(), QString("Initialization complete."));
    QCOMPARE(w->m_prefs.lastController.hostname, QString("sleepy"));
    QCOMPARE(w->m_prefs.lastController.ip, address);
    if (measuring)
        QTRY_VERIFY(sim->control(QStringLiteral("stats")).contains(" state=mea "));
}

// The controller's subnet has no route from the PC, so neither magic packet leaves: the user
// learns it at once instead of waiting for a controller nothing can have woken.
void TestMainWindowWakeUp::wakeUpThatSendsNothingEndsTheStart_data()
{
    QTest::addColumn<QString>("args");
    const QString unrouted = QStringLiteral("203.0.113.9");
    QTest::newRow("host and MAC") << "-host " + unrouted + " -wakeup " + kMac;
    QTest::newRow("last controller through the dialog") << "-directstart -wakeup";
}

void TestMainWindowWakeUp::wakeUpThatSendsNothingEndsTheStart()
{
    QFETCH(QString, args);
    ConnectedShell shell;
    shell.home().writePreferences(lastSleepy(QStringLiteral("203.0.113.9")));
    int waits = 0;
    ModalWatcher watcher(countAndCancelWakeWaits(waits));
    auto w = shell.start(args);

    QCOMPARE(waits, 0);
    QVERIFY(!watcher.boxes().isEmpty());
    QCOMPARE(watcher.boxes().first().title, QStringLiteral("Wake On LAN"));
    QCOMPARE(watcher.boxes().first().text, QStringLiteral("Cannot do wake on LAN for sleepy."));
    QVERIFY(w->isEndingProcess());
    QCOMPARE(ConnectedShell::endedWith(), 0);
}

QTEST_MAIN(TestMainWindowWakeUp)
#include "tst_mainwindow_wakeup.moc"
