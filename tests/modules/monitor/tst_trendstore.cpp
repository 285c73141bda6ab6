// The recorded trends: ring buffers bounded by the window, the decimation
// that keeps a plot's peaks, and the CSV rows.

#include <QtTest>

#include <cmath>

#include "TrendStore.h"

class TestTrendStore : public QObject
{
    Q_OBJECT

private slots:
    void ringKeepsTheNewest_data();
    void ringKeepsTheNewest();
    void decimationKeepsPeaks_data();
    void decimationKeepsPeaks();
    void storeIsBoundedByTheWindow();
    void csvHasOneRowPerSecond();
};

void TestTrendStore::ringKeepsTheNewest_data()
{
    QTest::addColumn<int>("capacity");
    QTest::addColumn<int>("pushes");
    QTest::addColumn<int>("resizeTo");  // -1: no resize
    QTest::addColumn<QVector<int>>("held");

    QTest::newRow("not yet full") << 4 << 3 << -1 << QVector<int>{0, 1, 2};
    QTest::newRow("wrapped") << 3 << 7 << -1 << QVector<int>{4, 5, 6};
    QTest::newRow("no capacity") << 0 << 5 << -1 << QVector<int>{};
    QTest::newRow("shrunk keeps newest") << 5 << 8 << 2 << QVector<int>{6, 7};
    QTest::newRow("grown keeps all") << 3 << 5 << 10 << QVector<int>{2, 3, 4};
}

void TestTrendStore::ringKeepsTheNewest()
{
    QFETCH(int, capacity);
    QFETCH(int, pushes);
    QFETCH(int, resizeTo);
    QFETCH(QVector<int>, held);
    RingBuffer<int> ring(capacity);
    for (int i = 0; i < pushes; ++i)
        ring.push(i);
    if (resizeTo >= 0)
        ring.setCapacity(resizeTo);
    QVector<int> got;
    for (int i = 0; i < ring.size(); ++i)
        got << ring.at(i);
    QCOMPARE(got, held);
    QCOMPARE(ring.bytes(), sizeof(int) * size_t(resizeTo >= 0 ? resizeTo : capacity));
    // The ring still takes values after a resize.
    ring.push(99);
    if (ring.capacity() > 0)
        QCOMPARE(ring.newest(), 99);
}

void TestTrendStore::decimationKeepsPeaks_data()
{
    QTest::addColumn<QVector<QPointF>>("points");
    QTest::addColumn<int>("buckets");
    QTest::addColumn<int>("maxPoints");
    QTest::addColumn<QVector<double>>("mustHoldY");

    QVector<QPointF> flatWithSpikes;
    for (int i = 0; i < 3600; ++i)
        flatWithSpikes << QPointF(i, i == 1234 ? 500 : i == 2500 ? -40 : 60);
    QVector<QPointF> withGaps;
    for (int i = 0; i < 1000; ++i)
        withGaps << QPointF(i, i % 10 == 0 ? std::nan("") : i % 7);
    const QVector<QPointF> few = {{0, 1}, {1, std::nan("")}, {2, 3}};

    QTest::newRow("an hour into 200")
        << flatWithSpikes << 200 << 400 << QVector<double>{500, -40, 60};
    QTest::newRow("gaps left out") << withGaps << 50 << 100 << QVector<double>{0, 6};
    QTest::newRow("short curve kept, gap dropped") << few << 10 << 2 << QVector<double>{1, 3};
    QTest::newRow("no buckets") << few << 0 << 0 << QVector<double>{};
}

void TestTrendStore::decimationKeepsPeaks()
{
    QFETCH(QVector<QPointF>, points);
    QFETCH(int, buckets);
    QFETCH(int, maxPoints);
    QFETCH(QVector<double>, mustHoldY);
    const QVector<QPointF> out = decimateMinMax(points, buckets);
    QVERIFY(out.size() <= maxPoints);
    QVector<double> ys;
    for (int i = 0; i < out.size(); ++i) {
        QVERIFY(std::isfinite(out[i].y()));
        QVERIFY(i == 0 || out[i].x() > out[i - 1].x());
        ys << out[i].y();
    }
    for (double y : mustHoldY)
        QVERIFY2(ys.contains(y), qPrintable(QString::number(y)));
}

void TestTrendStore::storeIsBoundedByTheWindow()
{
    TrendStore store(60);
    for (int s = 0; s < 200; ++s)
        store.appendRow(s, {50, 0, 10, 5}, {40, 41, 42}, {30, 31, 32});
    QCOMPARE(store.rows(), 60);
    QCOMPARE(store.cameras(), 3);
    QCOMPARE(store.timeAt(0), 140.0);
    QVERIFY(store.bytes() <= TrendStore::bytesFor(60, 3));
    store.setWindowSeconds(600);
    QCOMPARE(store.rows(), 60);
    QVERIFY(store.bytes() <= TrendStore::bytesFor(600, 3));
    // A controller reporting more cameras than two digits hold gets 99 columns.
    store.appendRow(300, {}, QVector<double>(500, 1), {});
    QCOMPARE(store.cameras(), TrendStore::kMaxCameras);
    QVERIFY(std::isnan(store.raysAt(50, 0)));
    QCOMPARE(store.raysAt(50, store.rows() - 1), 1.0);
}

void TestTrendStore::csvHasOneRowPerSecond()
{
    TrendStore store(60);
    store.appendRow(1000, {59.5, 0, 12, 5}, {}, {});
    store.appendRow(1001, {std::nan(""), 3, 11, 5}, {20}, {18});
    const QStringList header = store.csvHeader().split(',');
    QCOMPARE(header.size(), 8);
    QCOMPARE(header[2], QString("output frequency (Hz)"));
    QCOMPARE(header[7], QString("c01 used rays (count)"));
    for (const QString& column : header)
        QVERIFY2(column.contains('('), qPrintable(column));
    QCOMPARE(store.csvRow(0), QString("1970-01-01T00:16:40Z,0.000,59.5,0,12,5,,"));
    QCOMPARE(store.csvRow(1), QString("1970-01-01T00:16:41Z,1.000,,3,11,5,20,18"));
}

QTEST_GUILESS_MAIN(TestTrendStore)
#include "tst_trendstore.moc"
