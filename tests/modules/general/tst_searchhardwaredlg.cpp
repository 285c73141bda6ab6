// The hardware search against the simulator: the time-out that the cascade
// configuration gives, the outcome reported on "standard", and both modes.

#include <QLabel>
#include <QPushButton>
#include <QtTest>

#include <memory>

#include "IOManagerUdpTcp.h"
#include "MessageReceiver.h"
#include "SearchHardwareDlg.h"
#include "SimProcess.h"

namespace {

const char* const SimAddress = "127.0.11.1";
// The search's time-out runs this many times faster, so a test waits
// seconds for what may take the controller a minute.  The scaled 15 s stay
// above the channel's 2 s floor for configured commands.
constexpr int TimeScale = 5;

class ScaledChannel : public IOManagerUdpTcp
{
public:
    int configure_next_cmd(bool async, int timeout_ms, bool suppress_error) override
    {
        requestedTimeouts << timeout_ms;
        return IOManagerUdpTcp::configure_next_cmd(async, timeout_ms / TimeScale, suppress_error);
    }
    QList<int> requestedTimeouts;
};

class EventRecorder : public MessageReceiver
{
public:
    int transmit_message(int type, const char* source, const char* msg) override
    {
        messages << QString::number(type) + "|" + source + "|" + msg;
        return 0;
    }
    QStringList messages;
};

}  // namespace

class TestSearchHardwareDlg : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();

    void timeoutFollowsTheCascade_data();
    void timeoutFollowsTheCascade();
    void modes_data();
    void modes();

private:
    std::unique_ptr<ScaledChannel> connectChannel();

    SimProcess sim;
    EventRecorder events;
};

void TestSearchHardwareDlg::initTestCase()
{
    QVERIFY2(sim.start(SimAddress, {"--profile", "demo"}), qPrintable(sim.errorOutput()));
}

void TestSearchHardwareDlg::cleanup()
{
    for (const char* line : {"clear cascade number_of_connected_slaves", "clear cascade wol_slaves",
                             "set cascade number_of_connected_slaves = 0",
                             "set cascade wol_slaves = no", "reinit-time 100"})
        sim.control(line);
    events.messages.clear();
}

std::unique_ptr<ScaledChannel> TestSearchHardwareDlg::connectChannel()
{
    auto io = std::make_unique<ScaledChannel>();
    unsigned short port = 0;
    if (io->init(SimAddress, 50105, &port) != 0)
        return nullptr;
    io->register_message_receiver("standard", &events);
    return io;
}

void TestSearchHardwareDlg::timeoutFollowsTheCascade_data()
{
    QTest::addColumn<QStringList>("controller");
    QTest::addColumn<int>("reinitMs");
    QTest::addColumn<int>("seconds");
    QTest::addColumn<QString>("outcome");

    const QString done = "1|ORVANE3|Search for new hardware...done";
    const QString failed = "1|ORVANE3|Error: Unable search for new hardware";
    const QStringList unknown{"error cascade number_of_connected_slaves",
                              "error cascade wol_slaves"};
    QTest::newRow("no cascade parameters") << unknown << 100 << 15 << done;
    // The answer is awaited from one second after sending: 1 s + 15 s / 5.
    QTest::newRow("answer after the time-out") << unknown << 5000 << 15 << failed;
    QTest::newRow("connected slaves")
        << QStringList{"set cascade number_of_connected_slaves = 2"} << 5000 << 45 << done;
    QTest::newRow("slaves woken over the network")
        << QStringList{"set cascade wol_slaves = yes"} << 100 << 60 << done;
    QTest::newRow("both") << QStringList{"set cascade number_of_connected_slaves = 2",
                                         "set cascade wol_slaves = yes"}
                          << 100 << 90 << done;
}

void TestSearchHardwareDlg::timeoutFollowsTheCascade()
{
    QFETCH(QStringList, controller);
    QFETCH(int, reinitMs);
    QFETCH(int, seconds);
    QFETCH(QString, outcome);

    for (const QString& line : controller)
        QVERIFY(sim.control(line).startsWith("ok"));
    sim.control(QString("reinit-time %1").arg(reinitMs));
    auto io = connectChannel();
    QVERIFY(io);

    SearchHardwareDlg dlg(nullptr, io.get(), "cameraupdate");
    QCOMPARE(dlg.timeout(), seconds);
    QCOMPARE(dlg.findChild<QLabel*>("label_4")->text(),
             QString("This may take up to %1 seconds!").arg(seconds));
    QCOMPARE(dlg.update_and_exec(), 1);
    QCOMPARE(io->requestedTimeouts, QList<int>{seconds * 1000});
    QVERIFY2(events.messages == QStringList{outcome}, qPrintable(events.messages.join(" / ")));
    io->unregister_message_receiver("standard", &events);
}

void TestSearchHardwareDlg::modes_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("user");  // what the user does once the dialog shows
    QTest::addColumn<int>("result");
    QTest::addColumn<int>("searches");

    QTest::newRow("automatic") << "cameraupdate"
                               << "" << 1 << 1;
    QTest::newRow("OK") << ""
                        << "ok" << 1 << 1;
    QTest::newRow("Cancel before the search") << ""
                                              << "cancel" << 0 << 0;
    QTest::newRow("Escape during the search") << ""
                                              << "ok escape" << 1 << 1;
}

void TestSearchHardwareDlg::modes()
{
    QFETCH(QString, type);
    QFETCH(QString, user);
    QFETCH(int, result);
    QFETCH(int, searches);

    sim.control("reinit-time 300");
    auto io = connectChannel();
    QVERIFY(io);
    SearchHardwareDlg dlg(nullptr, io.get(), type);
    auto* ok = dlg.findChild<QPushButton*>("pushButton_ok");
    auto* cancel = dlg.findChild<QPushButton*>("pushButton_cancel");
    bool buttonsSeen = false;
    bool searchingSeen = false;
    QTimer watch;
    watch.setInterval(5);
    connect(&watch, &QTimer::timeout, &dlg, [&] {
        buttonsSeen = buttonsSeen || ok->isVisible() || cancel->isVisible();
        searchingSeen = searchingSeen || !io->requestedTimeouts.isEmpty();
    });
    watch.start();
    QTimer::singleShot(50, &dlg, [&] {
        for (const QString& step : user.split(' ', Qt::SkipEmptyParts)) {
            if (step == "escape")
                QTest::keyClick(&dlg, Qt::Key_Escape);
            else
                QTest::mouseClick(step == "ok" ? ok : cancel, Qt::LeftButton);
        }
    });
    QCOMPARE(dlg.update_and_exec(), result);
    QCOMPARE(io->requestedTimeouts.size(), searches);
    QCOMPARE(events.messages.size(), searches);
    if (type == "cameraupdate")
        QVERIFY(!buttonsSeen);
    QCOMPARE(searchingSeen, searches > 0);
    io->unregister_message_receiver("standard", &events);
}

QTEST_MAIN(TestSearchHardwareDlg)
#include "tst_searchhardwaredlg.moc"
