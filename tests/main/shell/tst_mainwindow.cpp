// The main window's start-up against a simulated controller, as a user starts
// the program, and the message boxes it opens on behalf of other threads.

#include "ConnectedShell.h"

#include "AppStatusBar.h"
#include "BackendVersions.h"
#include "ControllerSetup.h"
#include "EventDisplay.h"
#include "FrontendInfo.h"
#include "IOManagerUdpTcp.h"
#include "TextBrowser.h"

#include <QPushButton>
#include <QRegularExpression>
#include <QTextEdit>
#include <QTimer>
#include <QtTest>

#include <QThread>

#include <atomic>
#include <thread>
#include <vector>

namespace {

const QString kAddress = "127.0.10.1";
const QString kNobodyThere = "127.0.10.250";

QByteArray lastTrackbox(const QString& ip, const QString& hostname)
{
    return lastTrackboxPreferences(ip, hostname);
}

QStringList withoutPolls(const QStringList& commands)
{
    QStringList kept;
    for (const QString& c : commands) {
        if (c != "orvane2 getmsg")
            kept << c;
    }
    return kept;
}

QString eventText(MainWindowProbe& w)
{
    return w.eventWidget->browser()->toPlainText();
}

}  // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_shell = std::make_unique<ConnectedShell>(); }
    void cleanup() { m_shell.reset(); }

    void startsWithEmptyCentralArea();
    void opensMessageBoxesFromOtherThreads_data();
    void opensMessageBoxesFromOtherThreads();
    void initialisesControllerInOrder();
    void readsVersionRecordGatedByVersions_data();
    void readsVersionRecordGatedByVersions();
    void startsDirectlyOrThroughDialog_data();
    void startsDirectlyOrThroughDialog();
    void checksPasswordOnDirectStart_data();
    void checksPasswordOnDirectStart();
    void failedStartEndsProcess_data();
    void failedStartEndsProcess();
    void detectsNewerController_data();
    void detectsNewerController();
    void warnsOnceWhenControllerIsNewer();
    void reportsUnreadableMacAddress();
    void takesMessagesFromWorkerThreads();

private:
    std::unique_ptr<ConnectedShell> m_shell;
};

void TestMainWindow::startsWithEmptyCentralArea()
{
    QVERIFY(m_shell->startSim(kAddress, {"--profile", "old"}));
    ModalWatcher watcher;
    auto w = m_shell->startDirect();
    QCOMPARE(watcher.boxes().size(), 0);
    QVERIFY(!w->isEndingProcess());
    QCOMPARE(w->objectName(), QString("MainWindow"));
    QCOMPARE(w->windowTitle(), QString("ORVANE3 basic"));
    QVERIFY(!w->windowIcon().isNull());
    auto* center = qobject_cast<QTextEdit*>(w->centralWidget());
    QVERIFY(center);
    QCOMPARE(center->size(), QSize(1, 1));
    QVERIFY(center->isHidden());
}

void TestMainWindow::opensMessageBoxesFromOtherThreads_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("icon");
    QTest::newRow("warning") << 1 << int(QMessageBox::Warning);
    QTest::newRow("critical") << 2 << int(QMessageBox::Critical);
    QTest::newRow("information") << 0 << int(QMessageBox::Information);
    QTest::newRow("other kind") << 7 << int(QMessageBox::Information);
}

void TestMainWindow::opensMessageBoxesFromOtherThreads()
{
    QFETCH(int, kind);
    QFETCH(int, icon);
    QVERIFY(m_shell->startSim(kAddress));
    auto w = m_shell->startDirect();
    QVERIFY(!w->isEndingProcess());
    ModalWatcher watcher;
    std::thread worker([&w, kind] { w->openMessageBox(kind, "Channel", "Answer lost"); });
    worker.join();
    // Nothing opens on the calling thread; the box comes with the event loop.
    QCOMPARE(watcher.boxes().size(), 0);
    QTRY_COMPARE(watcher.boxes().size(), 1);
    QCOMPARE(watcher.boxes().first().title, QString("Channel"));
    QCOMPARE(watcher.boxes().first().text, QString("Answer lost"));
    QCOMPARE(int(watcher.boxes().first().icon), icon);
}

void TestMainWindow::initialisesControllerInOrder()
{
    QVERIFY(m_shell->startSim(kAddress));
    QCOMPARE(m_shell->sim().control("log on"), QString("ok"));
    auto w = m_shell->startDirect();
    QVERIFY(!w->isEndingProcess());
    QCOMPARE(w->app_status_bar->messageText(), QString("Initialization complete."));

    QStringList commands = withoutPolls(m_shell->takeTcpCommands());
    const int last = commands.indexOf("orvane2 set output active chmon 2dmon yes");
    QVERIFY(last > 0);
    commands = commands.mid(0, last + 1);
    QVERIFY(QRegularExpression("\\Aorvane2 set output net chmon udp my_ip [1-9][0-9]*\\z")
                .match(commands.value(4))
                .hasMatch());
    commands[4] = "orvane2 set output net chmon udp my_ip PORT";
    QCOMPARE(commands,
             (QStringList{
                 "orvane2 get system access", "orvane2 init", "orvane2 get system hostname",
                 "orvane2 get config desc", "orvane2 set output net chmon udp my_ip PORT",
                 "orvane2 get output net chmon", "orvane2 set output active chmon ts yes",
                 "orvane2 set output active chmon 3d yes", "orvane2 set output active chmon 6d yes",
                 "orvane2 set output active chmon 2dmon yes"}));
}

void TestMainWindow::readsVersionRecordGatedByVersions_data()
{
    QTest::addColumn<QStringList>("simArgs");
    QTest::addColumn<QStringList>("queries");
    QTest::addColumn<QString>("protocol");
    QTest::addColumn<QString>("model");
    const QString v = "orvane2 get system version";
    const QString p = "orvane2 get system protocol_version";
    const QString c = "orvane2 get system controller_version";
    const QString m = "orvane2 get system model";
    QTest::newRow("all four") << QStringList{"--profile", "demo"} << QStringList{v, p, c, m}
                              << "1.27"
                              << "KESTRELBOX";
    QTest::newRow("model code 2") << QStringList{"--profile", "model2"} << QStringList{v, p, c, m}
                                  << "1.27"
                                  << "ZEC_M";
    QTest::newRow("protocol below 1.9: no model")
        << QStringList{"--profile", "demo", "--set", "system protocol_version = v1.8.4"}
        << QStringList{v, p, c} << "1.8.4"
        << "";
    QTest::newRow("protocol below 0.12: no controller version")
        << QStringList{"--profile", "old"} << QStringList{v, p} << "0.2"
        << "";
    QTest::newRow("system below 0.1.4: nothing else")
        << QStringList{"--profile", "demo", "--set", "system version = v0.1.3"} << QStringList{v}
        << ""
        << "";
}

void TestMainWindow::readsVersionRecordGatedByVersions()
{
    QFETCH(QStringList, simArgs);
    QFETCH(QStringList, queries);
    QVERIFY(m_shell->startSim(kAddress, simArgs));
    QCOMPARE(m_shell->sim().control("log on"), QString("ok"));
    ModalWatcher watcher;
    auto w = m_shell->startDirect();
    QVERIFY(!w->isEndingProcess());
    QStringList commands = m_shell->takeTcpCommands();
    const int from = commands.indexOf("orvane2 set output active chmon 2dmon yes") + 1;
    const int to = commands.indexOf("orvane2 get camera number_of_cameras", from);
    QVERIFY(from > 0 && to > from);
    QCOMPARE(withoutPolls(commands.mid(from, to - from)), queries);
    QTEST(w->backendVersions()->protocol().toString(), "protocol");
    QTEST(w->backendVersions()->zecModel(), "model");
}

void TestMainWindow::startsDirectlyOrThroughDialog_data()
{
    QTest::addColumn<QString>("args");
    QTest::addColumn<QByteArray>("preferences");
    QTest::addColumn<bool>("dialogShown");
    QTest::addColumn<bool>("preferencesWritten");
    QTest::newRow("host by address")
        << "-host " + kAddress << QByteArray("<ORVANE/>") << false << false;
    QTest::newRow("last controller by stored name")
        << "-directstart" << lastTrackbox(kAddress, kAddress) << false << false;
    QTest::newRow("interactive") << "" << lastTrackbox(kAddress, "trackbox-demo") << true << true;
}

void TestMainWindow::startsDirectlyOrThroughDialog()
{
    QFETCH(QString, args);
    QFETCH(QByteArray, preferences);
    QFETCH(bool, dialogShown);
    QFETCH(bool, preferencesWritten);
    QVERIFY(m_shell->startSim(kAddress));
    m_shell->home().writePreferences(preferences);
    ModalWatcher watcher;
    ConnectionDialogDriver driver("pushButton_connect");
    auto w = m_shell->start(args);
    QVERIFY(!w->isEndingProcess());
    QCOMPARE(driver.clicks(), dialogShown ? 1 : 0);
    QCOMPARE(watcher.dialogsSeen(), 0);
    QCOMPARE(watcher.boxes().size(), 0);
    QCOMPARE(w->windowTitle(), QString("ORVANE3 demo installation"));
    QCOMPARE(w->m_prefs.lastController.hostname, QString("trackbox-demo"));
    QCOMPARE(w->m_prefs.lastController.ip, kAddress);
    // Only the dialog path records the controller in the file at once.
    const QByteArray stored = m_shell->home().readPreferences();
    QCOMPARE(stored.contains("HOSTNAME=\"trackbox-demo\""), preferencesWritten);
}

void TestMainWindow::checksPasswordOnDirectStart_data()
{
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<bool>("connected");
    QTest::addColumn<int>("prompts");
    QTest::newRow("stored password accepted") << QByteArray("lab-2024") << true << 0;
    QTest::newRow("stored password wrong, prompt left") << QByteArray("old-one") << false << 1;
    QTest::newRow("nothing stored, prompt left") << QByteArray() << false << 1;
}

void TestMainWindow::checksPasswordOnDirectStart()
{
    QFETCH(QByteArray, stored);
    QFETCH(bool, connected);
    QFETCH(int, prompts);
    QVERIFY(m_shell->startSim(kAddress, {"--profile", "demo", "--password", "lab-2024"}));
    m_shell->home().writePreferences(stored.isEmpty()
                                         ? QByteArray("<ORVANE/>")
                                         : "<ORVANE><MISC><FRONTEND_PASSWORD>" + stored +
                                               "</FRONTEND_PASSWORD></MISC></ORVANE>");
    ModalWatcher watcher;  // the prompt is left with Cancel
    auto w = m_shell->startDirect();
    QCOMPARE(!w->isEndingProcess(), connected);
    QCOMPARE(watcher.dialogsSeen(), prompts);
    QCOMPARE(watcher.boxes().size(), 0);
    if (!connected)
        QCOMPARE(ConnectedShell::endedWith(), 0);
}

void TestMainWindow::failedStartEndsProcess_data()
{
    QTest::addColumn<QString>("args");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("text");
    QTest::newRow("nobody answers") << "-host " + kNobodyThere << ""
                                    << "Error"
                                    << "No connection to Controller " + kNobodyThere;
    QTest::newRow("held by another front-end")
        << "-host " + kAddress << "access 127.0.10.99"
        << "Error"
        << "Unable to connect Controller trackbox-demo\nController is accessed by ip 127.0.10.99";
    QTest::newRow("dialog left with Exit") << ""
                                           << ""
                                           << ""
                                           << "";
}

void TestMainWindow::failedStartEndsProcess()
{
    QFETCH(QString, args);
    QFETCH(QString, control);
    QFETCH(QString, title);
    QFETCH(QString, text);
    QVERIFY(m_shell->startSim(kAddress));
    m_shell->home().writePreferences(lastTrackbox(kAddress, "trackbox-demo"));
    if (!control.isEmpty())
        QVERIFY(m_shell->sim().control(control).startsWith("ok"));
    ModalWatcher watcher;
    ConnectionDialogDriver driver("pushButton_exit");
    auto w = m_shell->start(args);
    QVERIFY(w->isEndingProcess());
    QCOMPARE(ConnectedShell::endedWith(), 0);
    QCOMPARE(w->channel(), nullptr);
    if (title.isEmpty()) {
        QCOMPARE(watcher.boxes().size(), 0);
        return;
    }
    QCOMPARE(watcher.boxes().size(), 1);
    QCOMPARE(watcher.boxes().first().title, title);
    QCOMPARE(watcher.boxes().first().text, text);
}

void TestMainWindow::detectsNewerController_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<bool>("newer");
    QTest::newRow("3.3.2 with text") << "3.3.2 build 7" << true;
    QTest::newRow("v3.3.2 with text") << "v3.3.2 build 7" << true;
    QTest::newRow("hyphen suffix on the patch") << "v3.3.2-rc1" << false;
    QTest::newRow("same version") << "v" + FrontendInfo::versionNumber() << false;
    QTest::newRow("older") << "v3.2.9" << false;
    QTest::newRow("newer minor") << "v3.4.0" << true;
    QTest::newRow("newer major") << "V4.0.0" << true;
    QTest::newRow("two parts") << "v3.4" << false;
    QTest::newRow("empty") << "" << false;
}

void TestMainWindow::detectsNewerController()
{
    QFETCH(QString, answer);
    QFETCH(bool, newer);
    const QString notice = ControllerSetup::olderFrontendNotice(answer);
    QCOMPARE(!notice.isEmpty(), newer);
    if (newer) {
        QCOMPARE(notice, "The version of ORVANE3 (v" + FrontendInfo::versionNumber() +
                             ") is older than the Controller version (" +
                             answer.section(' ', 0, 0) + ")!");
    }
}

void TestMainWindow::warnsOnceWhenControllerIsNewer()
{
    QVERIFY(m_shell->startSim(kAddress,
                              {"--profile", "demo", "--set", "system version = v3.3.2 build %1"}));
    ModalWatcher watcher;
    auto w = m_shell->startDirect();
    QVERIFY(!w->isEndingProcess());
    const QString notice = "The version of ORVANE3 (v" + FrontendInfo::versionNumber() +
                           ") is older than the Controller version (v3.3.2)!";
    QCOMPARE(watcher.boxes().size(), 1);
    QCOMPARE(watcher.boxes().first().title, QString("ORVANE3"));
    QCOMPARE(watcher.boxes().first().text, notice + "\nPlease update ORVANE3.");
    QVERIFY(eventText(*w).contains("(ORVANE3) " + notice + " Please update ORVANE3."));
}

void TestMainWindow::reportsUnreadableMacAddress()
{
    QVERIFY(m_shell->startSim(kAddress, {"--profile", "demo", "--error", "system ethernet_mac"}));
    ModalWatcher watcher;
    auto w = m_shell->startDirect();
    QVERIFY(!w->isEndingProcess());
    QVERIFY(w->m_prefs.lastController.mac.isEmpty());
    QTRY_VERIFY(eventText(*w).contains("(ORVANE3) Error: Unable to get MAC address of controller"));
}

// Modules send from threads of their own while the window polls and updates.
void TestMainWindow::takesMessagesFromWorkerThreads()
{
    QVERIFY(m_shell->startSim(kAddress));
    auto w = m_shell->startDirect();
    QVERIFY(!w->isEndingProcess());
    w->show();
    QCOMPARE(m_shell->sim().control("state mea"), QString("ok"));
    std::atomic<bool> done{false};
    std::vector<std::thread> workers;
    for (int t = 0; t < 3; ++t) {
        workers.emplace_back([&w, t] {
            for (int i = 0; i < 200; ++i) {
                const QByteArray text = QString("worker %1 note %2").arg(t).arg(i).toUtf8();
                w->channel()->transmit_message("standard", "Worker", 1, text.constData());
                w->channel()->transmit_message("CamStatusBar", "Monitor2dModule", 1, "1;2;3;4;5;6");
                if (i % 20 == 0)
                    QThread::msleep(5);
            }
        });
    }
    QTimer::singleShot(1500, [&done] { done = true; });
    QTRY_VERIFY(done);
    for (std::thread& t : workers)
        t.join();
    QTRY_VERIFY(eventText(*w).contains("(Worker) worker 2 note 199"));
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
