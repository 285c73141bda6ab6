// Command lines as a user types them, parsed as a starting main window parses
// them (after reading the preferences), and the help option that ends the start.

#include "CommandLine.h"
#include "MainWindowProbe.h"
#include "ModalWatcher.h"
#include "PreferencesProbe.h"
#include "ShellTestHome.h"

#include <QPushButton>
#include <QtTest>

namespace {

int g_endedWith = -1;
void recordProcessEnd(int exitCode)
{
    g_endedWith = exitCode;
}

const QByteArray kPreferences =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<ORVANE>\n"
    "    <LAST_TRACKBOX IP=\"127.0.5.1\" HOSTNAME=\"zec-last\" MAC=\"\" MODEL=\"0\"/>\n"
    "</ORVANE>\n";

}  // namespace

class TestCommandLine : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { MainWindow::setProcessEndHandler(&recordProcessEnd); }
    void init()
    {
        g_endedWith = -1;
        m_home = std::make_unique<ShellTestHome>();
        m_home->writePreferences(kPreferences);
    }
    void cleanup() { m_home.reset(); }

    void parsesArgumentLine_data();
    void parsesArgumentLine();
    void helpOptionEndsProcess_data();
    void helpOptionEndsProcess();
    void helpClosedByWindowCloseEndsProcess();

private:
    std::unique_ptr<ShellTestHome> m_home;
};

void TestCommandLine::parsesArgumentLine_data()
{
    QTest::addColumn<QString>("args");
    QTest::addColumn<bool>("directStart");
    QTest::addColumn<bool>("hostname");
    QTest::addColumn<bool>("startMea");
    QTest::addColumn<bool>("wakeUp");
    QTest::addColumn<QString>("host");
    QTest::addColumn<QString>("mac");

    const QString last = "zec-last";
    const QString mac = "11:22:33:44:55:66";
    // clang-format off
    QTest::newRow("no arguments") << "" << false << false << false << false << last << "";
    QTest::newRow("directstart") << "-directstart" << true << false << false << false << last << "";
    QTest::newRow("first word any case") << "-DirectStart" << true << false << false << false << last << "";
    QTest::newRow("directstart measure") << "-directstart -measure" << true << false << true << false << last << "";
    QTest::newRow("measure first") << "-measure -directstart" << true << false << true << false << last << "";
    QTest::newRow("second word any case") << "-directstart -MEASURE" << true << false << true << false << last << "";
    QTest::newRow("reorder is exact") << "-MEASURE -directstart" << false << false << false << false << last << "";
    QTest::newRow("directstart unknown") << "-directstart -foo" << true << false << false << false << last << "";
    QTest::newRow("directstart wakeup") << "-directstart -wakeup" << true << false << false << true << last << "";
    QTest::newRow("wakeup first") << "-wakeup -directstart" << true << false << false << true << last << "";
    QTest::newRow("directstart wakeup measure") << "-directstart -wakeup -measure" << true << false << true << true << last << "";
    QTest::newRow("measure wakeup directstart") << "-measure -wakeup -directstart" << true << false << true << true << last << "";
    QTest::newRow("directstart measure wakeup") << "-directstart -measure -wakeup" << true << false << true << true << last << "";
    QTest::newRow("lone wakeup") << "-wakeup" << false << false << false << false << last << "";
    QTest::newRow("lone measure") << "-measure" << false << false << false << false << last << "";
    QTest::newRow("host without name") << "-host" << false << true << false << false << last << "";
    QTest::newRow("host name keeps case") << "-HOST ZEC-Abc" << false << true << false << false << "ZEC-Abc" << "";
    QTest::newRow("host ip") << "-host 10.10.5.55" << false << true << false << false << "10.10.5.55" << "";
    QTest::newRow("host measure") << "-host zec-1 -measure" << false << true << true << false << "zec-1" << "";
    QTest::newRow("measure host") << "-measure -host 10.10.5.55" << false << true << true << false << "10.10.5.55" << "";
    QTest::newRow("host wakeup no mac") << "-host zec-1 -wakeup" << false << true << false << false << "zec-1" << "";
    QTest::newRow("host wakeup colons") << "-host zec-1 -wakeup " + mac << false << true << false << true << "zec-1" << mac;
    QTest::newRow("host wakeup hyphens") << "-host zec-1 -wakeup 11-22-33-44-55-66" << false << true << false << true << "zec-1" << "11-22-33-44-55-66";
    QTest::newRow("mac mixed case") << "-host zec-1 -WakeUp aa:BB:cc:dd:EE:ff" << false << true << false << true << "zec-1" << "aa:BB:cc:dd:EE:ff";
    QTest::newRow("mac mixed separators") << "-host zec-1 -wakeup 11:22-33:44:55:66" << false << true << false << false << "zec-1" << "";
    QTest::newRow("mac five groups") << "-host zec-1 -wakeup 11:22:33:44:55" << false << true << false << false << "zec-1" << "";
    QTest::newRow("mac short group") << "-host zec-1 -wakeup 1:22:33:44:55:66" << false << true << false << false << "zec-1" << "";
    QTest::newRow("mac not hex") << "-host zec-1 -wakeup 11:22:33:44:55:6G" << false << true << false << false << "zec-1" << "";
    QTest::newRow("mac trailing separator") << "-host zec-1 -wakeup 11:22:33:44:55:66:" << false << true << false << false << "zec-1" << "";
    QTest::newRow("bad mac drops measure") << "-host zec-1 -wakeup nomac -measure" << false << true << false << false << "zec-1" << "";
    QTest::newRow("host wakeup measure") << "-host zec-1 -wakeup " + mac + " -Measure" << false << true << true << true << "zec-1" << mac;
    QTest::newRow("wakeup before host") << "-wakeup " + mac + " -host zec-1" << false << true << false << true << "zec-1" << mac;
    QTest::newRow("measure first of five") << "-measure -host 10.10.5.55 -wakeup " + mac << false << true << true << true << "10.10.5.55" << mac;
    QTest::newRow("wakeup first of five") << "-wakeup " + mac + " -measure -host zec-1" << false << true << true << true << "zec-1" << mac;
    QTest::newRow("six words not reordered") << "-measure -host zec-1 -wakeup " + mac + " x" << false << false << false << false << last << "";
    QTest::newRow("six words in order") << "-host zec-1 -wakeup " + mac + " -measure x" << false << true << true << true << "zec-1" << mac;
    QTest::newRow("three, one unknown") << "-wakeup -directstart -foo" << false << false << false << false << last << "";
    QTest::newRow("five, wakeup last") << "-measure -host zec-1 x -wakeup" << false << false << false << false << last << "";
    QTest::newRow("unknown option") << "--directstart" << false << false << false << false << last << "";
    // clang-format on
}

void TestCommandLine::parsesArgumentLine()
{
    QFETCH(QString, args);
    ModalWatcher watcher;
    PreferencesProbe prefs;
    CommandLine window;
    window.m_sDirectStart_hostname = prefs.lastController.hostname;
    QVERIFY(!window.parseCmdParameters(args));

    QCOMPARE(watcher.boxes().size(), 0);
    QCOMPARE(watcher.dialogsSeen(), 0);
    QTEST(window.m_bDirectStart, "directStart");
    QTEST(window.m_bHostname, "hostname");
    QTEST(window.m_bStartMea, "startMea");
    QTEST(window.m_bWakeUp, "wakeUp");
    QTEST(window.m_sDirectStart_hostname, "host");
    QTEST(window.m_sWakeUpMAC, "mac");
}

void TestCommandLine::helpOptionEndsProcess_data()
{
    QTest::addColumn<QString>("args");
    for (const char* option : {"-help", "-h", "-?", "/help", "/h", "/?", "-HELP", "/H"})
        QTest::newRow(option) << QString(option);
    QTest::newRow("help with more words") << "-h -directstart -measure";
}

// The help dialog is closed with its button; the process then ends with code 0
// without connecting and without touching the preferences.
void TestCommandLine::helpOptionEndsProcess()
{
    QFETCH(QString, args);
    QString title;
    ModalWatcher watcher([&title](QWidget* dialog) {
        title = dialog->windowTitle();
        QTest::mouseClick(dialog->findChild<QPushButton*>("pushButton_exit"), Qt::LeftButton);
    });
    const QByteArray before = m_home->readPreferences();
    {
        MainWindowProbe window(args);
        QVERIFY(window.isEndingProcess());
        QCOMPARE(window.centralWidget(), nullptr);
    }
    QCOMPARE(watcher.dialogsSeen(), 1);
    QCOMPARE(watcher.boxes().size(), 0);
    QCOMPARE(title, QString("ORVANE3 Command Line Help"));
    QCOMPARE(g_endedWith, 0);
    QCOMPARE(m_home->readPreferences(), before);
    QCOMPARE(QDir(m_home->configDir()).entryList(QDir::Files),
             QStringList{"current-preferences.xml"});
}

void TestCommandLine::helpClosedByWindowCloseEndsProcess()
{
    ModalWatcher watcher([](QWidget* dialog) { dialog->close(); });
    MainWindowProbe window("/?");
    QCOMPARE(watcher.dialogsSeen(), 1);
    QCOMPARE(g_endedWith, 0);
    QVERIFY(window.isEndingProcess());
}

QTEST_MAIN(TestCommandLine)
#include "tst_commandline.moc"
