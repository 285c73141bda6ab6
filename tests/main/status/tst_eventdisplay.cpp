// The event display against a simulated controller: polling, the line limit,
// the daily log files named after the controller, their clean-up, and
// messages from other threads.

#include "TestController.h"

#include "EventDisplay.h"
#include "TextBrowser.h"

#include <QAction>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QtTest>

#include <thread>
#include <vector>

namespace {

const QString kAddress = "127.0.10.4";

QStringList readLines(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    return QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
}

QString logName(const QDate& date, const QString& host)
{
    return "events-" + date.toString("yyyy-MM-dd") + "_" + host + ".log";
}

}  // namespace

class TestEventDisplay : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(m_channel.start(kAddress, TestController::initialised())); }
    void init()
    {
        m_logs = std::make_unique<QTemporaryDir>();
        m_display =
            std::make_unique<EventDisplay>(m_channel.io(), m_logs->path() + "/logs", "zec-a");
        m_display->stop_polling();
        // Messages a previous test left queued are collected before it starts.
        int before = -1;
        while (before != m_display->browser()->document()->blockCount()) {
            before = m_display->browser()->document()->blockCount();
            m_display->get_msg();
        }
        m_display->browser()->clear();
        QDir(m_logs->path() + "/logs").removeRecursively();
    }
    void cleanup()
    {
        m_display.reset();
        m_channel.control("clear getmsg");
        m_channel.control("delay 0");
        m_logs->setAutoRemove(!QTest::currentTestFailed());
    }

    void pollFetchesQueuedMessages_data();
    void pollFetchesQueuedMessages();
    void slowControllerSpreadsMessagesOverPolls();
    void keepsNewestLinesAndLogsAll();
    void writesOneLogPerDayAndController_data();
    void writesOneLogPerDayAndController();
    void deletesLogsOlderThan200Days_data();
    void deletesLogsOlderThan200Days();
    void dayLogFollowsStampAndStopsAtLimit();
    void takesMessagesFromAnyThread();
    void pollsFasterWhileVisible();
    void clearEmptiesTheText();

private:
    TestController m_channel;
    std::unique_ptr<QTemporaryDir> m_logs;
    std::unique_ptr<EventDisplay> m_display;
};

void TestEventDisplay::pollFetchesQueuedMessages_data()
{
    QTest::addColumn<int>("queued");
    QTest::addColumn<QString>("setup");  // "pending", "error" or empty
    QTest::addColumn<int>("shown");
    QTest::newRow("three in one poll") << 3 << "" << 3;
    QTest::newRow("none queued") << 0 << "" << 0;
    QTest::newRow("command pending: nothing, no wait") << 2 << "pending" << 0;
    QTest::newRow("error answers end the poll") << 0 << "error" << 1;
    QTest::newRow("at most 100 per poll") << 130 << "" << 100;
}

void TestEventDisplay::pollFetchesQueuedMessages()
{
    QFETCH(int, queued);
    QFETCH(QString, setup);
    QFETCH(int, shown);
    for (int i = 0; i < queued; ++i)
        QVERIFY(m_channel.control(QString("msg warning: camera %1 warm").arg(i + 1)));
    if (setup == "error")
        QVERIFY(m_channel.control("raw-cmd getmsg | orvane2 err 1 unknown command"));
    if (setup == "pending")
        m_channel.io()->configure_next_cmd(false, 1000, false);

    m_display->get_msg();
    const QString text = m_display->browser()->toPlainText();
    QCOMPARE(m_display->browser()->document()->isEmpty()
                 ? 0
                 : m_display->browser()->document()->blockCount(),
             shown);
    if (shown > 0 && setup.isEmpty())
        QVERIFY(text.contains(QRegularExpression(
            "\\A\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d:  warning: camera 1 warm\\n")));

    if (setup == "pending") {
        char answer[201] = {};
        m_channel.io()->execute_cmd(answer, "orvane2 get system hostname");
        m_display->get_msg();
        QCOMPARE(m_display->browser()->document()->blockCount(), queued);
    }
}

// Each message is a round trip: with a controller answering late a poll takes
// a few and leaves the rest queued for the next, so the window is never held
// for the whole queue, and no message is lost or reordered.
void TestEventDisplay::slowControllerSpreadsMessagesOverPolls()
{
    constexpr int kQueued = 8;
    for (int i = 1; i <= kQueued; ++i)
        QVERIFY(m_channel.control(QString("msg warning: camera %1 warm").arg(i)));
    QVERIFY(m_channel.control("delay 400"));
    QTextDocument* doc = m_display->browser()->document();
    int polls = 0;
    int firstPoll = 0;
    while (doc->blockCount() < kQueued && polls < kQueued) {
        m_display->get_msg();
        if (++polls == 1)
            firstPoll = doc->isEmpty() ? 0 : doc->blockCount();
    }
    QVERIFY(m_channel.control("delay 0"));
    QVERIFY2(firstPoll >= 1 && firstPoll < kQueued, qPrintable(QString::number(firstPoll)));
    QCOMPARE(doc->blockCount(), kQueued);
    for (int i = 0; i < kQueued; ++i)
        QVERIFY(doc->findBlockByNumber(i).text().endsWith(QString("camera %1 warm").arg(i + 1)));
}

void TestEventDisplay::keepsNewestLinesAndLogsAll()
{
    for (int i = 1; i <= 250; ++i)
        m_display->addText(QString("line %1").arg(i), QString());
    QTextDocument* doc = m_display->browser()->document();
    QCOMPARE(doc->blockCount(), 200);
    QVERIFY(doc->firstBlock().text().endsWith(": line 51"));
    QVERIFY(doc->lastBlock().text().endsWith(": line 250"));
    const QStringList logged = readLines(m_display->logFilePath(m_logs->path() + "/logs"));
    QCOMPARE(logged.size(), 250);
    QVERIFY(logged.first().endsWith(": line 1"));
    QVERIFY(logged.last().endsWith(": line 250"));
}

void TestEventDisplay::writesOneLogPerDayAndController_data()
{
    QTest::addColumn<QString>("host");
    QTest::addColumn<QString>("fileHost");
    QTest::newRow("plain name") << "zec-b"
                                << "zec-b";
    QTest::newRow("address") << "10.0.0.7"
                             << "10.0.0.7";
    QTest::newRow("slashes stay inside the folder") << "../../evil/x"
                                                    << ".._.._evil_x";
}

void TestEventDisplay::writesOneLogPerDayAndController()
{
    QFETCH(QString, host);
    QFETCH(QString, fileHost);
    const QString dir = m_logs->path() + "/logs";
    EventDisplay other(m_channel.io(), dir, host);
    other.stop_polling();
    m_display->addText("from a", QString());
    other.addText("from b", QString());
    other.transmit_message(1, "IOManagerUdpTcp", "UDP timeout: last command sent: %1");

    QStringList files = QDir(dir).entryList(QDir::Files, QDir::Name);
    QStringList expected{logName(QDate::currentDate(), "zec-a"),
                         logName(QDate::currentDate(), fileHost)};
    expected.sort();
    QCOMPARE(files, expected);
    const QStringList b = readLines(dir + "/" + logName(QDate::currentDate(), fileHost));
    QCOMPARE(b.size(), 2);
    QVERIFY(b[1].endsWith(": (IOManagerUdpTcp) UDP timeout: last command sent: %1"));
}

void TestEventDisplay::deletesLogsOlderThan200Days_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("kept");
    const QDate today = QDate::currentDate();
    QTest::newRow("201 days") << logName(today.addDays(-201), "zec-a") << false;
    QTest::newRow("200 days") << logName(today.addDays(-200), "zec-a") << true;
    QTest::newRow("another controller") << logName(today.addDays(-365), "zec-z") << false;
    QTest::newRow("today") << logName(today, "zec-z") << true;
    QTest::newRow("not an event log") << "notes-2001-01-01_zec-a.log" << true;
    QTest::newRow("a copy") << "events-(copy).log" << true;
    QTest::newRow("no date") << "events-.log" << true;
    QTest::newRow("a note") << "events-!important.log" << true;
    QTest::newRow("no such day") << "events-1999-02-30_zec-a.log" << true;
}

void TestEventDisplay::deletesLogsOlderThan200Days()
{
    QFETCH(QString, name);
    QFETCH(bool, kept);
    const QString dir = m_logs->path() + "/logs";
    QVERIFY(QDir().mkpath(dir));
    QFile file(dir + "/" + name);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    // The clean-up runs when the display is made.
    EventDisplay fresh(m_channel.io(), dir, "zec-a");
    fresh.stop_polling();
    QCOMPARE(QFile::exists(dir + "/" + name), kept);
}

// A clock that moves on a second each time it is read, across midnight: every
// line goes to the file of its own stamp, and one day's file stops at the
// limit with a notice while the display goes on.
void TestEventDisplay::dayLogFollowsStampAndStopsAtLimit()
{
    const QDate lastDay(2031, 12, 31);
    QDateTime clock(lastDay, QTime(23, 59, 58));
    m_display->setClock([&clock] {
        const QDateTime now = clock;
        clock = clock.addSecs(1);
        return now;
    });
    const QString dir = m_logs->path() + "/logs";
    QVERIFY(QDir().mkpath(dir));
    QFile nextDay(dir + "/" + logName(lastDay.addDays(1), "zec-a"));
    QVERIFY(nextDay.open(QIODevice::WriteOnly));
    QVERIFY(nextDay.resize(EventDisplay::kMaxLogFileBytes - 5));
    nextDay.close();

    for (const char* text : {"before midnight", "last second", "new year", "dropped", "again"})
        m_display->addText(text, QString());

    QCOMPARE(
        readLines(dir + "/" + logName(lastDay, "zec-a")),
        (QStringList{"2031-12-31T23:59:58: before midnight", "2031-12-31T23:59:59: last second"}));
    QVERIFY(nextDay.open(QIODevice::ReadOnly));
    QVERIFY(nextDay.seek(EventDisplay::kMaxLogFileBytes - 5));
    QCOMPARE(QString::fromUtf8(nextDay.readAll()).split('\n'),
             (QStringList{"2032-01-01T00:00:00: new year",
                          "2032-01-01T00:00:00: (ORVANE3) The event log of this day has reached "
                          "50 MB. Further events are shown but not logged.",
                          ""}));
    const QString shown = m_display->browser()->toPlainText();
    QVERIFY(shown.endsWith("2032-01-01T00:00:01: dropped\n2032-01-01T00:00:02: again"));
}

void TestEventDisplay::takesMessagesFromAnyThread()
{
    m_channel.io()->register_message_receiver("standard", m_display.get());
    constexpr int kThreads = 4;
    constexpr int kEach = 100;
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([this, t] {
            for (int i = 0; i < kEach; ++i) {
                const QByteArray text = QString("worker %1 message %2").arg(t).arg(i).toUtf8();
                m_channel.io()->transmit_message("standard", t == 0 ? nullptr : "worker", 1,
                                                 text.constData());
            }
        });
    }
    for (std::thread& t : threads)
        t.join();
    const QString path = m_display->logFilePath(m_logs->path() + "/logs");
    QTRY_COMPARE(readLines(path).size(), kThreads * kEach);
    QCOMPARE(m_display->browser()->document()->blockCount(), EventDisplay::kMaxLines);
    QVERIFY(readLines(path).filter(": () worker 0 message").size() == kEach);
    m_channel.io()->unregister_message_receiver("standard", m_display.get());
}

void TestEventDisplay::pollsFasterWhileVisible()
{
    QCOMPARE(m_display->pollInterval(), 1000);
    m_display->show();
    QCOMPARE(m_display->pollInterval(), 100);
    m_display->hide();
    QCOMPARE(m_display->pollInterval(), 1000);
}

void TestEventDisplay::clearEmptiesTheText()
{
    m_display->addText("something", QString());
    QVERIFY(!m_display->browser()->document()->isEmpty());
    m_display->browser()->clear_action->trigger();
    QVERIFY(m_display->browser()->document()->isEmpty());
}

QTEST_MAIN(TestEventDisplay)
#include "tst_eventdisplay.moc"
