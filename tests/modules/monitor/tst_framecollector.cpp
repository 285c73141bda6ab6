// The data requester at flood rate: the channel's data thread delivers lines
// as fast as it can while the user-interface thread takes frames; every frame
// taken is whole, and the data thread never waits for the taker.

#include <QtTest>

#include <QThread>

#include <atomic>

#include "FrameExchange.h"

namespace {

// Frame n has n % 50 bodies, every one at x = n, as one datagram's lines.
void deliverFrame(FrameCollector* collector, int n)
{
    const QByteArray fr = "fr " + QByteArray::number(n);
    collector->set_ascii_data("fr", fr.constData());
    QByteArray bodies = "6d " + QByteArray::number(n % 50);
    for (int b = 0; b < n % 50; ++b)
        bodies += " [" + QByteArray::number(b) + " 1.0][" + QByteArray::number(n) +
                  " 0 1000][1 0 0 0 1 0 0 0 1]";
    collector->set_ascii_data("6d", bodies.constData());
    const QByteArray markers = "3d 1 [0 1.0][" + QByteArray::number(n) + " 1 2]";
    collector->set_ascii_data("3d", markers.constData());
}

}  // namespace

class TestFrameCollector : public QObject
{
    Q_OBJECT

private slots:
    void framesArriveWhole_data();
    void framesArriveWhole();
    void newestFrameTaken_data();
    void newestFrameTaken();
};

void TestFrameCollector::framesArriveWhole_data()
{
    QTest::addColumn<int>("frames");
    QTest::addColumn<int>("collectors");
    QTest::newRow("one data thread") << 20000 << 1;
    QTest::newRow("three channels at once") << 8000 << 3;
}

void TestFrameCollector::framesArriveWhole()
{
    QFETCH(int, frames);
    QFETCH(int, collectors);
    std::vector<std::unique_ptr<FrameCollector>> sinks;
    std::vector<std::unique_ptr<QThread>> threads;
    std::atomic<int> running{collectors};
    for (int c = 0; c < collectors; ++c) {
        sinks.push_back(std::make_unique<FrameCollector>());
        FrameCollector* sink = sinks.back().get();
        threads.emplace_back(QThread::create([sink, frames, &running] {
            for (int n = 0; n < frames; ++n)
                deliverFrame(sink, n);
            --running;
        }));
        threads.back()->start();
    }
    int taken = 0;
    MonitorFrame frame;
    std::vector<qint64> last(collectors, -1);
    while (running > 0 || taken == 0) {
        // The window takes a frame at display rate; a reader spinning on the lock
        // instead would starve the data threads on a loaded machine.
        QThread::yieldCurrentThread();
        for (int c = 0; c < collectors; ++c) {
            if (!sinks[c]->exchange().take(&frame))
                continue;
            ++taken;
            QVERIFY(frame.number > last[c]);
            last[c] = frame.number;
            QCOMPARE(frame.bodyCount, int(frame.number % 50));
            for (const TrackedPoint& b : frame.bodies)
                QCOMPARE(b.x, float(frame.number));
            QCOMPARE(frame.markers.size(), 1);
            QCOMPARE(frame.markers[0].x, float(frame.number));
        }
    }
    for (auto& t : threads)
        QVERIFY(t->wait(30000));
    for (int c = 0; c < collectors; ++c) {
        // The last frame stays open until the next frame number closes it.
        QCOMPARE(sinks[c]->exchange().published(), quint64(frames - 1));
        QCOMPARE(sinks[c]->malformedLines(), quint64(0));
    }
}

// Lines as the channel delivers them, "identifier|line", then one take.
void TestFrameCollector::newestFrameTaken_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<bool>("taken");
    QTest::addColumn<qint64>("number");
    QTest::addColumn<int>("bodies");
    QTest::addColumn<int>("markers");
    QTest::addColumn<int>("malformed");

    const QString body = "6d|6d 1 [7 1.0][1 2 3][1 0 0 0 1 0 0 0 1]";
    QTest::newRow("open frame: nothing to take")
        << QStringList{"fr|fr 1", body} << false << qint64(-1) << -1 << -1 << 0;
    QTest::newRow("closed by the next frame number")
        << QStringList{"fr|fr 1", body, "3d|3d 0", "fr|fr 2"} << true << qint64(1) << 1 << 0 << 0;
    QTest::newRow("frames nobody took are never read")
        << QStringList{"fr|fr 1", "6d|6d x", "fr|fr 2", "6d|6d y", "fr|fr 3", body, "fr|fr 4"}
        << true << qint64(3) << 1 << -1 << 0;
    QTest::newRow("the taken frame's bad line is counted")
        << QStringList{"fr|fr 1", body, "fr|fr 2", "6d|6d 2 [1 1.0]", "fr|fr 3"} << true
        << qint64(2) << -1 << -1 << 1;
    QTest::newRow("a later line of a kind replaces the earlier")
        << QStringList{"fr|fr 5", "3d|3d 1 [1 1.0][0 0 0]", "3d|3d 0", "fr|fr 6"} << true
        << qint64(5) << -1 << 0 << 0;
    QTest::newRow("kinds the monitor does not show are not kept")
        << QStringList{"fr|fr 5", "6df|6df 1 [1 1.0]", "gl|nonsense", "fr|fr 6"} << true
        << qint64(5) << -1 << -1 << 0;
    QTest::newRow("lines before the first frame number join it")
        << QStringList{body, "fr|fr 9", "fr|fr 10"} << true << qint64(9) << 1 << -1 << 0;
}

void TestFrameCollector::newestFrameTaken()
{
    QFETCH(QStringList, lines);
    QFETCH(bool, taken);
    QFETCH(qint64, number);
    QFETCH(int, bodies);
    QFETCH(int, markers);
    QFETCH(int, malformed);
    FrameCollector collector;
    for (const QString& l : lines) {
        const QByteArray id = l.section('|', 0, 0).toLatin1();
        const QByteArray text = l.section('|', 1).toLatin1();
        collector.set_ascii_data(id.constData(), text.constData());
    }
    MonitorFrame frame;
    QCOMPARE(collector.exchange().take(&frame), taken);
    QCOMPARE(frame.number, number);
    QCOMPARE(frame.bodyCount, bodies);
    QCOMPARE(frame.markerCount, markers);
    QCOMPARE(collector.malformedLines(), quint64(malformed));
    // A frame is taken once.
    QVERIFY(!collector.exchange().take(&frame));
    // A flood of lines without a frame number keeps one line of each kind.
    for (int i = 0; i < 1000; ++i)
        collector.set_ascii_data("6d", "6d 0");
    collector.set_ascii_data("fr", "fr 100");
    QVERIFY(collector.exchange().take(&frame));
    QCOMPARE(frame.bodyCount, 0);
}

QTEST_GUILESS_MAIN(TestFrameCollector)
#include "tst_framecollector.moc"
