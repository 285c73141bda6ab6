// Starting and stopping measurement from the window, the command file, and
// what the channel does for tracking and calibration commands from the window.

#include "ConnectedShell.h"

#include "AppStatusBar.h"
#include "CommandFile.h"
#include "EventDisplay.h"
#include "FreqStatusBar.h"
#include "IOManagerUdpTcp.h"
#include "Requester.h"
#include "TextBrowser.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <atomic>

namespace {

const QString kAddress = "127.0.10.3";

QString simState(SimProcess& sim)
{
    const QString stats = sim.control("stats");
    const int at = stats.indexOf("state=");
    return at < 0 ? QString() : stats.mid(at + 6).section(' ', 0, 0);
}

QString eventText(MainWindowProbe& w)
{
    return w.eventWidget->browser()->toPlainText();
}

bool writeText(const QString& path, const QByteArray& text)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(text) == text.size();
}

class LineCounter : public Requester
{
public:
    int set_ascii_data(const char*, const char*) override
    {
        ++lines;
        return 0;
    }
    void set_mea_started() override {}
    void set_mea_stopped() override {}
    std::atomic<int> lines{0};
};

}  // namespace

class TestMeasurementControl : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_shell = std::make_unique<ConnectedShell>(); }
    void cleanup() { m_shell.reset(); }

    void togglesMeasurement_data();
    void togglesMeasurement();
    void startsAtLaunch_data();
    void startsAtLaunch();
    void runsCommandFile_data();
    void runsCommandFile();
    void commandFileFollowsDialogStartOnly_data();
    void commandFileFollowsDialogStartOnly();
    void slowTrackingAnswersWithinTheirTimeOut_data();
    void slowTrackingAnswersWithinTheirTimeOut();
    void calibrationCountsAsMeasuring();

private:
    std::unique_ptr<ConnectedShell> m_shell;
};

void TestMeasurementControl::togglesMeasurement_data()
{
    QTest::addColumn<QStringList>("controls");
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("state");
    QTest::addColumn<QString>("boxTitle");
    QTest::addColumn<QString>("boxText");
    QTest::addColumn<QString>("event");
    QTest::addColumn<QString>("status");
    const QString failed = "measurement start unsuccessful!";
    QTest::newRow("start") << QStringList{} << "Stop"
                           << "mea"
                           << ""
                           << ""
                           << "(ORVANE3) measurement started"
                           << "measurement started";
    QTest::newRow("stop") << QStringList{"state mea"} << "Start"
                          << "none"
                          << ""
                          << ""
                          << "(ORVANE3) measurement stopped"
                          << "measurement stopped";
    QTest::newRow("stop while waiting") << QStringList{"state wait"} << "Start"
                                        << "none"
                                        << ""
                                        << ""
                                        << "(ORVANE3) measurement stopped"
                                        << "measurement stopped";
    QTest::newRow("tracking not available")
        << QStringList{"set tracking available = no"} << "&Start"
        << "none"
        << ""
        << ""
        << "(ORVANE3) " + failed << failed;
    QTest::newRow("refused: reference target")
        << QStringList{"refuse-tracking 0"} << "&Start"
        << "none"
        << "Command Failed"
        << "Measurement start failed:\nReference target cannot be tracked\n(see 'Event "
           "Display' for details)"
        << "" << failed;
    QTest::newRow("refused: two bodies")
        << QStringList{"refuse-tracking 1"} << "&Start"
        << "none"
        << "Command Failed"
        << "Measurement start failed:\nThere are 2 bodies that are equal or too similar to be "
           "tracked\n(see 'Event Display' for details)"
        << "" << failed;
    QTest::newRow("refused: five bodies")
        << QStringList{"refuse-tracking 5"} << "&Start"
        << "none"
        << "Command Failed"
        << "Measurement start failed:\nThere are 5 bodies that are equal or too similar to be "
           "tracked\n (see 'Event Display' for details)"
        << "" << failed;
}

void TestMeasurementControl::togglesMeasurement()
{
    QFETCH(QStringList, controls);
    QFETCH(QString, boxTitle);
    QFETCH(QString, boxText);
    QFETCH(QString, event);
    QVERIFY(m_shell->startSim(kAddress));
    ModalWatcher watcher;
    auto w = m_shell->startDirect();
    QVERIFY(!w->isEndingProcess());
    for (const QString& line : controls)
        QVERIFY(m_shell->sim().control(line).startsWith("ok"));
    w->update_status();

    w->toggle_mea_action->trigger();
    QTEST(w->toggle_mea_action->text(), "action");
    QTEST(simState(m_shell->sim()), "state");
    QTEST(w->app_status_bar->messageText(), "status");
    if (!event.isEmpty())
        QVERIFY2(eventText(*w).contains(event), qPrintable(eventText(*w)));
    else
        QVERIFY(!eventText(*w).contains("measurement st"));
    QTRY_COMPARE(watcher.boxes().size(), boxTitle.isEmpty() ? 0 : 1);
    if (!boxTitle.isEmpty()) {
        QCOMPARE(watcher.boxes().first().title, boxTitle);
        QCOMPARE(watcher.boxes().first().text, boxText);
    }
}

void TestMeasurementControl::startsAtLaunch_data()
{
    QTest::addColumn<QString>("initial");
    QTest::addColumn<int>("started");
    QTest::newRow("idle controller") << "none" << 1;
    QTest::newRow("already measuring") << "mea" << 0;
}

void TestMeasurementControl::startsAtLaunch()
{
    QFETCH(QString, initial);
    QFETCH(int, started);
    QVERIFY(m_shell->startSim(kAddress, {"--profile", "demo", "--state", initial}));
    auto w = m_shell->startDirect("-measure");
    QVERIFY(!w->isEndingProcess());
    QTRY_COMPARE(w->toggle_mea_action->text(), QString("Stop"));
    QCOMPARE(simState(m_shell->sim()), QString("mea"));
    QTest::qWait(300);
    QCOMPARE(eventText(*w).count("(ORVANE3) measurement started"), started);
}

void TestMeasurementControl::runsCommandFile_data()
{
    QTest::addColumn<QByteArray>("content");  // empty: no file; "DIR": a directory
    QTest::addColumn<QStringList>("sent");
    QTest::addColumn<QStringList>("events");
    QTest::newRow("no file") << QByteArray() << QStringList{} << QStringList{};
    QTest::newRow("cannot be read")
        << QByteArray("DIR") << QStringList{} << QStringList{"Cannot open file {path}"};
    QTest::newRow("comments only")
        << QByteArray("# set-up\n\n   \n// nothing here\n") << QStringList{}
        << QStringList{"Executing command file {path}", "No orvane2 command found to execute"};
    QTest::newRow("verbatim lines")
        << QByteArray(
               "orvane2 set config desc lab %s %n %1\n"
               "ORVANE2 set config desc shouted\n"
               " orvane2 set config desc indented\n"
               "orvane2 get system hostname\n")
        << QStringList{"orvane2 set config desc lab %s %n %1", "orvane2 get system hostname"}
        << QStringList{"Executing command file {path}",
                       "Executing command 'orvane2 set config desc lab %s %n %1'",
                       "Executing command 'orvane2 get system hostname'"};
}

void TestMeasurementControl::runsCommandFile()
{
    QFETCH(QByteArray, content);
    QFETCH(QStringList, sent);
    QFETCH(QStringList, events);
    QVERIFY(m_shell->startSim(kAddress));
    auto w = m_shell->startDirect();
    QVERIFY(!w->isEndingProcess());
    QTemporaryDir dir;
    const QString path = dir.path() + "/orvane2cmd.txt";
    if (content == "DIR")
        QVERIFY(QDir().mkpath(path));
    else if (!content.isEmpty())
        QVERIFY(writeText(path, content));
    w->eventWidget->browser()->clear();
    m_shell->sim().control("log on");
    QCOMPARE(CommandFile::executeExternalCommands(w->channel(), dir.path()), sent.size());

    QStringList commands = m_shell->takeTcpCommands();
    commands.removeAll("orvane2 getmsg");
    QCOMPARE(commands, sent);
    QStringList lines = eventText(*w).split('\n', Qt::SkipEmptyParts);
    for (QString& line : lines)
        line = line.section(": ", 1);  // without the time stamp
    QStringList expected;
    for (const QString& e : events)
        expected << "(ORVANE3) " + QString(e).replace("{path}", path);
    QCOMPARE(lines, expected);
}

void TestMeasurementControl::commandFileFollowsDialogStartOnly_data()
{
    QTest::addColumn<QString>("args");
    QTest::addColumn<bool>("runs");
    QTest::newRow("through the dialog") << "" << true;
    QTest::newRow("direct start") << "-directstart" << false;
}

void TestMeasurementControl::commandFileFollowsDialogStartOnly()
{
    QFETCH(QString, args);
    QFETCH(bool, runs);
    QVERIFY(m_shell->startSim(kAddress,
                              {"--profile", "demo", "--set", "system hostname = " + kAddress}));
    m_shell->sim().control("log on");
    m_shell->home().writePreferences(lastTrackboxPreferences(kAddress, kAddress));
    const QString file = QCoreApplication::applicationDirPath() + "/orvane2cmd.txt";
    QVERIFY(writeText(file, "orvane2 set config desc from the command file\n"));
    ConnectionDialogDriver driver("pushButton_connect");
    auto w = m_shell->start(args);
    QFile::remove(file);
    QVERIFY(!w->isEndingProcess());
    QCOMPARE(m_shell->takeTcpCommands().contains("orvane2 set config desc from the command file"),
             runs);
}

void TestMeasurementControl::slowTrackingAnswersWithinTheirTimeOut_data()
{
    QTest::addColumn<QString>("initial");
    QTest::addColumn<QString>("command");
    QTest::newRow("start waits up to 6 s") << "none"
                                           << "orvane2 tracking start";
    QTest::newRow("stop waits up to 3 s") << "mea"
                                          << "orvane2 tracking stop";
}

// Every answer comes after 2.5 s, later than the default 2 s: the command log
// shows whether the tracking command itself was answered in its first wait.
void TestMeasurementControl::slowTrackingAnswersWithinTheirTimeOut()
{
    QFETCH(QString, initial);
    QFETCH(QString, command);
    QVERIFY(m_shell->startSim(kAddress, {"--profile", "demo", "--state", initial}));
    m_shell->home().writePreferences(lastTrackboxPreferences(
        kAddress, "trackbox-demo",
        "<LOG_FILE><ENABLED>true</ENABLED><NAME>slow.txt</NAME></LOG_FILE>"));
    ConnectionDialogDriver driver("pushButton_connect");
    auto w = m_shell->start("");
    QVERIFY(!w->isEndingProcess());
    w->update_status();
    QCOMPARE(m_shell->sim().control("delay 2500"), QString("ok"));
    w->toggle_mea_action->trigger();
    m_shell->sim().control("delay 0");

    QFile log(m_shell->home().path() + "/.QOR/ORVANE3/slow.txt");
    QVERIFY(log.open(QIODevice::ReadOnly | QIODevice::Text));
    const QStringList lines = QString::fromUtf8(log.readAll()).split('\n');
    int sentAt = -1;
    for (int i = 0; i < lines.size(); ++i) {
        if (lines[i].endsWith("> " + command))
            sentAt = i;
    }
    QVERIFY(sentAt >= 0);
    QVERIFY2(lines.value(sentAt + 1).endsWith("< orvane2 ok wyb_io-error: 0"),
             qPrintable(lines.value(sentAt + 1)));
    QVERIFY(!w->channel()->connectionFailed());
}

// A calibration is measuring as far as the channel is concerned: the start
// notice switches the frequency display on and data lines are dispatched.
void TestMeasurementControl::calibrationCountsAsMeasuring()
{
    QVERIFY(m_shell->startSim(kAddress, {"--profile", "demo", "--cal-time", "60000"}));
    auto w = m_shell->startDirect();
    QVERIFY(!w->isEndingProcess());
    w->show();
    LineCounter counter;
    QCOMPARE(w->channel()->register_request("fr", &counter), 0);
    char answer[201] = {};
    QCOMPARE(w->channel()->execute_cmd(answer, "orvane2 cal room start"), 0);
    QCOMPARE(QString(answer), QString("orvane2 ok"));
    QTRY_VERIFY(w->channel()->isDataThreadRunning());
    QTRY_VERIFY(counter.lines > 3);
    QTRY_COMPARE(w->freq_status_tb->text(), QString("60 Hz"));

    QCOMPARE(w->channel()->execute_cmd(answer, "orvane2 cal room stop"), 0);
    QCOMPARE(w->freq_status_tb->text(), QString(" - "));
    QTRY_VERIFY(!w->channel()->isDataThreadRunning());
    QCOMPARE(w->channel()->unregister_request("fr", &counter), 0);
}

QTEST_MAIN(TestMeasurementControl)
#include "tst_measurementcontrol.moc"
