// Where the trends come from: the parameter reads of one row, taken as the
// controller answers them, checked, and left out while the channel is busy or
// gone; and the recording's start, stop and marks.

#include <QtTest>

#include <cmath>

#include "BusTestChannel.h"
#include "MonitorRecorder.h"

namespace {

class RecordingChannel : public BusTestChannel
{
public:
    bool pending = false;
    int commands = 0;

    bool isCmdPending() override { return pending; }

protected:
    int execute_command(char* result, const char* cmd) override
    {
        ++commands;
        return BusTestChannel::execute_command(result, cmd);
    }
};

void answer(RecordingChannel* channel, const QByteArray& parameter, const QByteArray& value)
{
    channel->answers["orvane2 get " + parameter] = "orvane2 set " + parameter + " " + value;
}

}  // namespace

class TestMonitorRecorder : public QObject
{
    Q_OBJECT

private slots:
    void rowFromReads_data();
    void rowFromReads();
    void camerasReadInTurns_data();
    void camerasReadInTurns();
    void camerasChangeInNumber();
    void recordingFollowsTheMeasurement();
};

void TestMonitorRecorder::rowFromReads_data()
{
    QTest::addColumn<QByteArray>("frequency");
    QTest::addColumn<QByteArray>("lost");
    QTest::addColumn<QByteArray>("cameras");
    QTest::addColumn<bool>("pending");
    QTest::addColumn<QString>("row");  // frequency, lost, c01 rays, c01 used

    QTest::newRow("as the controller reports")
        << QByteArray("299.7") << QByteArray("1") << QByteArray("1") << false << "299.7 1 10 9";
    QTest::newRow("numbers no installation has")
        << QByteArray("nan") << QByteArray("-7") << QByteArray("1") << false << "nan nan 10 9";
    QTest::newRow("channel busy: nothing read")
        << QByteArray("299.7") << QByteArray("1") << QByteArray("1") << true << "nan nan - -";
    QTest::newRow("connection gone: nothing answers")
        << QByteArray() << QByteArray() << QByteArray() << false << "nan nan - -";
}

void TestMonitorRecorder::rowFromReads()
{
    QFETCH(QByteArray, frequency);
    QFETCH(QByteArray, lost);
    QFETCH(QByteArray, cameras);
    QFETCH(bool, pending);
    QFETCH(QString, row);
    RecordingChannel channel;
    answer(&channel, "status active", "mea");
    MonitorRecorder recorder;
    recorder.attach(&channel);
    QVERIFY(recorder.isRecording());
    if (!frequency.isEmpty()) {
        answer(&channel, "status output_frequency", frequency);
        answer(&channel, "status frames_lost", lost);
        answer(&channel, "camera number_of_cameras", cameras);
        answer(&channel, "status number_of_rays c01", "10");
        answer(&channel, "status number_of_used_rays c01", "9");
    } else {
        channel.answers.clear();
    }
    channel.pending = pending;
    const int before = channel.commands;
    recorder.sample();
    const TrendStore& store = recorder.store();
    QCOMPARE(store.rows(), 1);
    const auto text = [](double v) { return std::isnan(v) ? QString("nan") : QString::number(v); };
    QString got = text(store.valueAt(TrendStore::OutputFrequency, 0)) + ' ' +
                  text(store.valueAt(TrendStore::FramesLost, 0));
    got += store.cameras() ? ' ' + text(store.raysAt(0, 0)) + ' ' + text(store.usedRaysAt(0, 0))
                           : QString(" - -");
    QCOMPARE(got, row);
    if (pending)
        QCOMPARE(channel.commands, before);
    if (frequency.isEmpty()) {
        // One mark for the loss, and the reads pause instead of failing each second.
        QCOMPARE(store.events().last().mark, TrendStore::Mark::ConnectionLost);
        const int afterLoss = channel.commands;
        recorder.sample();
        QCOMPARE(channel.commands, afterLoss);
        QCOMPARE(store.events().size(), 2);
    }
    recorder.detach();
    QVERIFY(channel.dataRequesters.isEmpty());
}

void TestMonitorRecorder::camerasReadInTurns_data()
{
    QTest::addColumn<int>("cameras");
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("busyAtRow");  // -1: never
    QTest::addColumn<int>("known");      // cameras with rays in the last row

    constexpr int turn = MonitorRecorder::kCamerasPerRow;
    QTest::newRow("first row: one turn") << 32 << 1 << -1 << turn;
    QTest::newRow("two rows: two turns") << 32 << 2 << -1 << 2 * turn;
    QTest::newRow("a round: every camera") << 32 << 32 / turn << -1 << 32;
    QTest::newRow("later rounds keep them") << 32 << 3 * 32 / turn << -1 << 32;
    QTest::newRow("fewer cameras than a turn") << 3 << 1 << -1 << 3;
    QTest::newRow("busy row: the turn waits") << 32 << 3 << 1 << 2 * turn;
}

void TestMonitorRecorder::camerasReadInTurns()
{
    QFETCH(int, cameras);
    QFETCH(int, rows);
    QFETCH(int, busyAtRow);
    QFETCH(int, known);
    RecordingChannel channel;
    answer(&channel, "status active", "mea");
    answer(&channel, "status output_frequency", "300");
    answer(&channel, "status frames_lost", "0");
    answer(&channel, "camera number_of_cameras", QByteArray::number(cameras));
    for (int c = 1; c <= cameras; ++c) {
        const QByteArray id = QString::asprintf("c%02d", c).toLatin1();
        answer(&channel, "status number_of_rays " + id, QByteArray::number(100 + c));
        answer(&channel, "status number_of_used_rays " + id, QByteArray::number(c));
    }
    MonitorRecorder recorder;
    recorder.attach(&channel);
    int mostCommands = 0;
    for (int row = 0; row < rows; ++row) {
        channel.pending = row == busyAtRow;
        const int before = channel.commands;
        recorder.sample();
        mostCommands = qMax(mostCommands, channel.commands - before);
    }
    // Frequency, frames lost, the number of cameras and one turn of them.
    QVERIFY(mostCommands <= 3 + 2 * MonitorRecorder::kCamerasPerRow);
    const TrendStore& store = recorder.store();
    QCOMPARE(store.rows(), rows);
    QCOMPARE(store.cameras(), cameras);
    const int last = rows - 1;
    int withRays = 0;
    for (int c = 0; c < cameras; ++c) {
        const double rays = store.raysAt(c, last);
        if (std::isnan(rays)) {
            QVERIFY(std::isnan(store.usedRaysAt(c, last)));
            continue;
        }
        ++withRays;
        QCOMPARE(rays, 101.0 + c);
        QCOMPARE(store.usedRaysAt(c, last), 1.0 + c);
    }
    QCOMPARE(withRays, known);
    recorder.detach();
}

void TestMonitorRecorder::camerasChangeInNumber()
{
    RecordingChannel channel;
    answer(&channel, "status active", "mea");
    answer(&channel, "status output_frequency", "300");
    answer(&channel, "status frames_lost", "0");
    answer(&channel, "camera number_of_cameras", "2");
    for (const QByteArray id : {"c01", "c02", "c03"}) {
        answer(&channel, "status number_of_rays " + id, "50");
        answer(&channel, "status number_of_used_rays " + id, "40");
    }
    MonitorRecorder recorder;
    recorder.attach(&channel);
    recorder.sample();
    QCOMPARE(recorder.store().cameras(), 2);
    // The new camera is unknown until its turn; a removed one is dropped.
    answer(&channel, "camera number_of_cameras", "3");
    recorder.sample();
    QCOMPARE(recorder.store().cameras(), 3);
    QCOMPARE(recorder.store().raysAt(2, 1), 50.0);
    answer(&channel, "camera number_of_cameras", "1");
    recorder.sample();
    QCOMPARE(recorder.store().raysAt(0, 2), 50.0);
    QVERIFY(std::isnan(recorder.store().raysAt(1, 2)));
    // A lost connection leaves no value that looks current.
    channel.answers.clear();
    recorder.sample();
    QVERIFY(std::isnan(recorder.store().raysAt(0, 3)));
    recorder.detach();
}

void TestMonitorRecorder::recordingFollowsTheMeasurement()
{
    RecordingChannel channel;
    answer(&channel, "status active", "none");
    MonitorRecorder recorder;
    QSignalSpy changes(&recorder, &MonitorRecorder::recordingChanged);
    recorder.attach(&channel);
    QVERIFY(!recorder.isRecording());
    recorder.sample();
    QCOMPARE(recorder.store().rows(), 0);

    // Notices may come from another thread; they reach the recorder queued.
    recorder.set_mea_started();
    QTRY_VERIFY(recorder.isRecording());
    recorder.set_mea_stopped();
    QTRY_VERIFY(!recorder.isRecording());
    QCOMPARE(changes.count(), 2);
    const QVector<TrendStore::Event> events = recorder.store().events();
    QCOMPARE(events.size(), 2);
    QCOMPARE(events[0].mark, TrendStore::Mark::Started);
    QCOMPARE(events[1].mark, TrendStore::Mark::Stopped);
    recorder.detach();
}

QTEST_GUILESS_MAIN(TestMonitorRecorder)
#include "tst_monitorrecorder.moc"
