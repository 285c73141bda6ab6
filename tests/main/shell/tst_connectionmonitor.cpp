// The running window's life with its controller: the heartbeat following the
// controller state, the lost connection with its reconnect countdown and the
// restart that reconnects, the shutdown, reboot and close paths, and many
// connections lost and made again.

#include "ConnectedShell.h"

#include "IOManagerUdpTcp.h"

#include "ConnectionMonitor.h"
#include "EventDisplay.h"
#include "MainMenus.h"
#include "ProgramEntry.h"
#include "TextBrowser.h"

#include <QAction>
#include <QDeadlineTimer>
#include <QDir>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <functional>

namespace {

const QString kAddress = "127.0.10.2";
// A dotted host name: a reconnect by name then needs no name look-up.
const QStringList kSimArgs = {"--profile", "demo", "--set", "system hostname = " + kAddress};

// Runs the program's restart loop; onWindow runs once for every window shown.
int runProgram(const QString& args, std::function<void(MainWindow*)> onWindow,
               int* windows = nullptr)
{
    int shown = 0;
    QTimer driver;
    QObject::connect(&driver, &QTimer::timeout, [&] {
        for (QWidget* top : QApplication::topLevelWidgets()) {
            auto* w = qobject_cast<MainWindow*>(top);
            if (!w || !w->isVisible() || w->property("seen").toBool())
                continue;
            w->setProperty("seen", true);
            ++shown;
            QTimer::singleShot(0, w, [w, &onWindow] { onWindow(w); });
        }
    });
    driver.start(10);
    const int result = runMainWindows(args);
    if (windows)
        *windows = shown;
    return result;
}

QAction* menuEntry(MainWindow* w, const QString& text)
{
    for (QAction* a : w->menus()->orvane3Menu()->actions()) {
        if (a->text() == text)
            return a;
    }
    return nullptr;
}

// Waits, keeping the events going, for the button to become usable.
bool waitEnabled(QPushButton* button, int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    while (button && !button->isEnabled() && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QTest::qSleep(5);
    }
    return button && button->isEnabled();
}

int openDescriptors()
{
    return QDir("/proc/self/fd").entryList(QDir::Files | QDir::System).size();
}

}  // namespace

class TestConnectionMonitor : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_shell = std::make_unique<ConnectedShell>(); }
    void cleanup() { m_shell.reset(); }

    void followsControllerState_data();
    void followsControllerState();
    void timersWaitForAsynchronousCommand();
    void lostConnectionEndsOrReconnects_data();
    void lostConnectionEndsOrReconnects();
    void lostDuringStartupNoticeTakesEffect_data();
    void lostDuringStartupNoticeTakesEffect();
    void reconnectCountdown_data();
    void reconnectCountdown();
    void shutdownRebootAndClose_data();
    void shutdownRebootAndClose();
    void lostConnectionKeepsStoredCascadeFlag_data();
    void lostConnectionKeepsStoredCascadeFlag();
    void unansweredShutdownEndsCleanly_data();
    void unansweredShutdownEndsCleanly();
    void survivesManyLostConnections();

private:
    std::unique_ptr<ConnectedShell> m_shell;
};

void TestConnectionMonitor::followsControllerState_data()
{
    QTest::addColumn<QStringList>("states");
    QTest::addColumn<QString>("action");
    QTest::addColumn<int>("announcements");
    QTest::addColumn<bool>("inactiveEnabled");
    QTest::newRow("waiting is announced once")
        << QStringList{"wait", "wait", "wait"} << "Stop" << 1 << false;
    QTest::newRow("again after another state")
        << QStringList{"wait", "mea", "wait"} << "Stop" << 2 << false;
    QTest::newRow("measuring") << QStringList{"mea"} << "Stop" << 0 << false;
    QTest::newRow("measuring, then idle") << QStringList{"mea", "none"} << "Start" << 0 << true;
    QTest::newRow("measuring, then error") << QStringList{"mea", "err"} << "Start" << 0 << true;
    QTest::newRow("calibrating changes nothing") << QStringList{"cal"} << "&Start" << 0 << true;
}

void TestConnectionMonitor::followsControllerState()
{
    QFETCH(QStringList, states);
    QFETCH(int, announcements);
    QVERIFY(m_shell->startSim(kAddress, kSimArgs));
    auto w = m_shell->startDirect();
    QVERIFY(!w->isEndingProcess());
    QAction* password = menuEntry(w.get(), "&Password");
    QVERIFY(password);
    for (const QString& state : states) {
        QCOMPARE(m_shell->sim().control("state " + state), QString("ok"));
        w->update_status();
    }
    QTEST(w->toggle_mea_action->text(), "action");
    QTEST(password->isEnabled(), "inactiveEnabled");
    const QString text = w->eventWidget->browser()->toPlainText();
    QCOMPARE(text.count("(ORVANE3) measurement interrupted. Waiting for external synchronisation "
                        "signal..."),
             announcements);
}

// A module's asynchronous command keeps the events going while it waits for
// its answer. The window's timers must not send meanwhile (they would wait for
// the reservation this very thread holds), and a measurement toggle asked for
// meanwhile runs once the channel is free.
void TestConnectionMonitor::timersWaitForAsynchronousCommand()
{
    QVERIFY(m_shell->startSim(kAddress, kSimArgs));
    auto w = m_shell->startDirect();
    QVERIFY(!w->isEndingProcess());
    w->show();
    QTest::qWait(300);
    QCOMPARE(m_shell->sim().control("delay 1500"), QString("ok"));
    char hostname[201] = {};
    IOManager* iom = w->channel();
    QCOMPARE(iom->configure_next_cmd(true, 5000, false), 0);
    QCOMPARE(iom->get_par(hostname, "system hostname"), 1);
    QTimer::singleShot(200, w->toggle_mea_action, &QAction::trigger);
    QCOMPARE(iom->wait_async_execute_cmd(), 0);
    QCOMPARE(QString(hostname), kAddress);
    QCOMPARE(m_shell->sim().control("delay 0"), QString("ok"));
    QTRY_COMPARE(w->toggle_mea_action->text(), QString("Stop"));
    QCOMPARE(m_shell->sim().control("stats").contains("state=mea"), true);
}

void TestConnectionMonitor::lostConnectionEndsOrReconnects_data()
{
    QTest::addColumn<QString>("profile");
    QTest::addColumn<bool>("reconnect");
    QTest::newRow("reconnect offered") << "demo" << true;
    QTest::newRow("protocol below 1.12: OK only") << "old" << false;
}

// The controller falls silent; two failed heartbeats show the box. With a
// controller that can take a new connection the user reconnects once it
// answers again, and a new window connects directly.
void TestConnectionMonitor::lostConnectionEndsOrReconnects()
{
    QFETCH(QString, profile);
    QFETCH(bool, reconnect);
    QVERIFY(m_shell->startSim(kAddress,
                              {"--profile", profile, "--set", "system hostname = " + kAddress}));
    QStringList buttonTexts;
    ModalWatcher watcher;
    watcher.answerBoxesWith([&](QMessageBox* box) -> QAbstractButton* {
        for (QAbstractButton* b : box->buttons())
            buttonTexts << b->text() + (b->isEnabled() ? "" : " (disabled)");
        m_shell->sim().control("silent off");
        if (!reconnect)
            return nullptr;
        auto* button = qobject_cast<QPushButton*>(box->buttons().value(1));
        return waitEnabled(button, 10000) ? button : nullptr;
    });
    int windows = 0;
    int seen = 0;
    const int result = runProgram(
        "-host " + kAddress,
        [&](MainWindow* w) {
            if (++seen > 1)
                w->close();
            else if (m_shell->sim().control("silent on") != "ok")
                qWarning("simulator did not fall silent");
        },
        &windows);
    // The second window, if any, was closed by the user; the loop then ends.
    Q_UNUSED(result);
    QCOMPARE(watcher.boxes().size(), 1);
    QCOMPARE(watcher.boxes().first().title, QString("Command Error"));
    QCOMPARE(watcher.boxes().first().text,
             QString("Connection to Controller lost.\nORVANE3 will be closed."));
    QCOMPARE(buttonTexts.first(), QString("OK"));
    if (reconnect) {
        QCOMPARE(buttonTexts.value(1), QString("Reconnect (30) (disabled)"));
        QCOMPARE(windows, 2);
    } else {
        QCOMPARE(buttonTexts.size(), 1);
        QCOMPARE(windows, 1);
        QCOMPARE(result, 0);
    }
}

void TestConnectionMonitor::lostDuringStartupNoticeTakesEffect_data()
{
    QTest::addColumn<bool>("reconnect");
    QTest::addColumn<int>("exitCode");
    QTest::newRow("OK ends the program") << false << 0;
    QTest::newRow("Reconnect starts a new window") << true << kRestartExitCode;
}

// The heartbeat runs while the start-up's last box, the notice of a newer
// controller, waits for the user. The controller drops out behind it, and the
// lost-connection box's choice must still end the program or start a new
// window, rather than leave a window without heartbeat.
void TestConnectionMonitor::lostDuringStartupNoticeTakesEffect()
{
    QFETCH(bool, reconnect);
    QFETCH(int, exitCode);
    QVERIFY(
        m_shell->startSim(kAddress, {"--profile", "demo", "--set", "system hostname = " + kAddress,
                                     "--set", "system version = v3.3.2"}));
    int notices = 0;
    int lostBoxes = 0;
    QStringList others;
    QPointer<QMessageBox> seen;
    QTimer user;
    connect(&user, &QTimer::timeout, this, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        const bool first = box != seen;
        seen = box;
        if (box->text().contains("is older than the Controller version")) {
            // The first window's notice stays open while the controller is gone.
            if (first && ++notices == 1)
                m_shell->sim().control("silent on");
            else if (notices > 1)
                box->button(QMessageBox::Ok)->click();
            return;
        }
        if (!box->text().startsWith("Connection to Controller lost.")) {
            others << box->text();
            box->reject();
            return;
        }
        if (first) {
            ++lostBoxes;
            m_shell->sim().control("silent off");
        }
        QAbstractButton* choice =
            reconnect ? box->buttons().value(1) : box->button(QMessageBox::Ok);
        if (choice && choice->isEnabled())
            choice->click();
    });
    user.start(5);
    int windows = 0;
    const int result = runProgram(
        "-host " + kAddress, [](MainWindow* w) { w->close(); }, &windows);
    QCOMPARE(lostBoxes, 1);
    QCOMPARE(others, QStringList());
    // A window shown is one that a restart made; the first one never is.
    const int restarts = exitCode == kRestartExitCode ? 1 : 0;
    QCOMPARE(windows, restarts);
    QCOMPARE(notices, 1 + restarts);
    QCOMPARE(result, 0);
}

void TestConnectionMonitor::reconnectCountdown_data()
{
    QTest::addColumn<bool>("silent");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("controller answers full") << false << true;
    QTest::newRow("no answer within the window") << true << false;
}

void TestConnectionMonitor::reconnectCountdown()
{
    QFETCH(bool, silent);
    QFETCH(bool, enabled);
    QVERIFY(m_shell->startSim(kAddress, kSimArgs));
    if (silent)
        QCOMPARE(m_shell->sim().control("silent on"), QString("ok"));
    QWidget parent;
    ConnectionMonitor monitor(nullptr, &parent);
    monitor.setReconnectWindow(2);
    QStringList texts;
    QTimer sampler;
    QObject::connect(&sampler, &QTimer::timeout, [&] {
        if (QPushButton* b = monitor.reconnectButtonWidget()) {
            if (texts.isEmpty() || texts.last() != b->text())
                texts << b->text();
            // The countdown is over once the button reads "&Reconnect" alone.
            if (b->text() == "&Reconnect")
                monitor.lostConnectionBox()->button(QMessageBox::Ok)->click();
        }
    });
    sampler.start(5);
    QCOMPARE(monitor.runLostConnectionBox(true, kAddress), 0);
    QCOMPARE(texts.first(), QString("Reconnect (2)"));
    QCOMPARE(texts.last(), QString("&Reconnect"));
    if (silent) {
        QVERIFY2(texts.contains("&Reconnect (2)") && texts.contains("&Reconnect (1)"),
                 qPrintable(texts.join(", ")));
    } else {
        QCOMPARE(texts.size(), 2);
    }
    Q_UNUSED(enabled);
}

void TestConnectionMonitor::shutdownRebootAndClose_data()
{
    QTest::addColumn<QString>("profile");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<bool>("measuring");
    QTest::addColumn<bool>("moduleNotice");  // a module announced the shutdown first
    QTest::addColumn<bool>("yes");
    QTest::addColumn<QString>("question");
    QTest::addColumn<QString>("lastCommand");
    // clang-format off
    QTest::newRow("standby") << "demo" << "C&ontroller standby" << false << false << true
                             << "Shut down the Controller?" << "orvane2 system shutdown";
    QTest::newRow("reboot") << "model2" << "Controller &reboot" << false << false << true
                            << "Reboot the Controller?\nORVANE3 will be closed and reopen is "
                               "required.\n"
                            << "orvane2 system reboot";
    const QString question = "Measurement is active. Stop measurement? ";
    QTest::newRow("quit while measuring, stop")
        << "demo" << "&Quit" << true << false << true << question << "orvane2 tracking stop";
    QTest::newRow("quit while measuring, keep")
        << "demo" << "&Quit" << true << false << false << question << "";
    QTest::newRow("quit when idle") << "demo" << "&Quit" << false << false << true << "" << "";
    QTest::newRow("module shut down, quit while measuring, stop")
        << "demo" << "&Quit" << true << true << true << question << "orvane2 tracking stop";
    QTest::newRow("module shut down, quit while measuring, keep")
        << "demo" << "&Quit" << true << true << false << question << "";
    // clang-format on
}

void TestConnectionMonitor::shutdownRebootAndClose()
{
    QFETCH(QString, profile);
    QFETCH(QString, entry);
    QFETCH(bool, measuring);
    QFETCH(bool, moduleNotice);
    QFETCH(bool, yes);
    QFETCH(QString, question);
    QFETCH(QString, lastCommand);
    QVERIFY(m_shell->startSim(kAddress,
                              {"--profile", profile, "--set", "system hostname = " + kAddress}));
    ModalWatcher watcher;
    watcher.answerBoxesWith(
        [yes](QMessageBox* box) { return box->button(yes ? QMessageBox::Yes : QMessageBox::No); });
    int windows = 0;
    const int result = runProgram(
        "-host " + kAddress,
        [&](MainWindow* w) {
            if (measuring)
                m_shell->sim().control("state mea");
            m_shell->sim().control("log on");
            if (moduleNotice)
                w->channel()->transmit_message("Main_Window", "ZecUpateModule", 0,
                                               "AppReadyToShutdown");
            menuEntry(w, entry)->trigger();
        },
        &windows);
    QCOMPARE(result, 0);
    QCOMPARE(windows, 1);
    QCOMPARE(watcher.boxes().size(), question.isEmpty() ? 0 : 1);
    if (!question.isEmpty())
        QCOMPARE(watcher.boxes().first().text, question);
    const QStringList finals = {"orvane2 system shutdown", "orvane2 system reboot",
                                "orvane2 tracking stop"};
    const QStringList commands = m_shell->takeTcpCommands();
    for (const QString& last : finals)
        QCOMPARE(commands.contains(last), last == lastCommand);
}

void TestConnectionMonitor::lostConnectionKeepsStoredCascadeFlag_data()
{
    QTest::addColumn<bool>("lost");
    QTest::addColumn<QString>("slaves");
    QTest::addColumn<QByteArray>("stored");
    QTest::newRow("controller gone: kept") << true << "0" << QByteArray("true");
    QTest::newRow("controller answers: no slaves") << false << "0" << QByteArray("false");
    QTest::newRow("controller answers: two slaves") << false << "2" << QByteArray("true");
}

void TestConnectionMonitor::lostConnectionKeepsStoredCascadeFlag()
{
    QFETCH(bool, lost);
    QFETCH(QString, slaves);
    QFETCH(QByteArray, stored);
    QVERIFY(m_shell->startSim(kAddress, kSimArgs));
    QVERIFY(m_shell->sim()
                .control("set cascade number_of_connected_slaves = " + slaves)
                .startsWith("ok"));
    m_shell->home().writePreferences(
        "<ORVANE><TRACKBOX_SELECTION><CASCADED_SYSTEM>true</CASCADED_SYSTEM></TRACKBOX_SELECTION>"
        "</ORVANE>");
    auto w = m_shell->startDirect();
    QVERIFY(!w->isEndingProcess());
    if (lost) {
        QVERIFY(m_shell->sim().control("close").startsWith("ok"));
        w->update_status();
        QVERIFY(w->channel()->connectionFailed());
    }
    w->onReceiveAppReadyToShutdown();
    QVERIFY(m_shell->home().readPreferences().contains("<CASCADED_SYSTEM>" + stored +
                                                       "</CASCADED_SYSTEM>"));
}

// The controller goes to sleep without answering: the channel takes that as
// the end, not as a lost connection, so nothing is waited for twice, the
// channel stays usable and no time-out is reported.
void TestConnectionMonitor::unansweredShutdownEndsCleanly_data()
{
    QTest::addColumn<QString>("command");
    QTest::newRow("shutdown") << "orvane2 system shutdown";
    QTest::newRow("reboot") << "orvane2 system reboot";
}

void TestConnectionMonitor::unansweredShutdownEndsCleanly()
{
    QFETCH(QString, command);
    QVERIFY(m_shell->startSim(kAddress, kSimArgs));
    ModalWatcher watcher;
    auto w = m_shell->startDirect();
    QVERIFY(!w->isEndingProcess());
    QCOMPARE(m_shell->sim().control("drop 1"), QString("ok"));
    char answer[201] = {};
    // No answer in time (-111), or the sleeping controller closed the connection (-22).
    const int result = w->channel()->execute_cmd(answer, "%s", qPrintable(command));
    QVERIFY2(result == -111 || result == -22, qPrintable(QString::number(result)));
    QVERIFY(!w->channel()->connectionFailed());
    QTest::qWait(50);
    QVERIFY(!w->eventWidget->browser()->toPlainText().contains("UDP timeout"));
    QCOMPARE(watcher.boxes().size(), 0);
}

// 200 times the controller closes the connection, the user reconnects and a
// new window connects: no crash, and no descriptors left behind.
void TestConnectionMonitor::survivesManyLostConnections()
{
    QVERIFY(m_shell->startSim(kAddress, kSimArgs));
#if defined(__SANITIZE_ADDRESS__)
    // Every cycle starts a whole window, which the sanitizers slow tenfold;
    // forty still show a leak of one descriptor per cycle.
    constexpr int kCycles = 40;
#else
    constexpr int kCycles = 200;
#endif
    int boxes = 0;
    int baseline = 0;
    ModalWatcher watcher;
    watcher.answerBoxesWith([&](QMessageBox* box) -> QAbstractButton* {
        ++boxes;
        if (boxes == 10)
            baseline = openDescriptors();
        if (boxes >= kCycles)
            return box->button(QMessageBox::Ok);
        auto* button = qobject_cast<QPushButton*>(box->buttons().value(1));
        return waitEnabled(button, 10000) ? button : box->button(QMessageBox::Ok);
    });
    int windows = 0;
    const int result = runProgram(
        "-host " + kAddress,
        [&](MainWindow* w) {
            m_shell->sim().control("close");
            // Two heartbeats at once rather than waiting for the timer.
            w->update_status();
            w->update_status();
        },
        &windows);
    QCOMPARE(result, 0);
    QCOMPARE(windows, kCycles);
    QCOMPARE(boxes, kCycles);
    const int growth = openDescriptors() - baseline;
    QVERIFY2(growth <= 2, qPrintable(QString("descriptors grew by %1").arg(growth)));
}

QTEST_MAIN(TestConnectionMonitor)
#include "tst_connectionmonitor.moc"
