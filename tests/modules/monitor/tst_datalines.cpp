// The monitoring data lines: every form the simulator sends, read as it
// sends them, and lines a controller that cannot be trusted might send.

#include <QtTest>

#include "CommandEngine.h"
#include "DataLines.h"
#include "DataOutput.h"
#include "Profile.h"

using orvane::sim::CommandEngine;
using orvane::sim::DataOutput;
using Result = DataLineParser::Result;

Q_DECLARE_METATYPE(DataLineParser::Result)

class TestDataLines : public QObject
{
    Q_OBJECT

private slots:
    void simulatorLines_data();
    void simulatorLines();
    void untrustedLines_data();
    void untrustedLines();
};

void TestDataLines::simulatorLines_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<Result>("result");

    // The largest installation, with every data type a channel can switch on.
    orvane::sim::Profile profile;
    QString error;
    QVERIFY2(orvane::sim::loadProfile("large", &profile, &error), qPrintable(error));
    CommandEngine engine;
    engine.setProfile(profile);
    DataOutput output(&engine);
    const QStringList types = {"ts", "6d", "6df", "6dmt", "gl", "3d", "2dmon", "inertial"};
    const QByteArray datagram = output.frame(types, 4711, 12.5);
    const QMap<QByteArray, Result> expected = {
        {"fr", Result::FrameNumber}, {"6d", Result::Bodies}, {"3d", Result::Markers}};
    int rows = 0;
    for (const QByteArray& line : datagram.split('\n')) {
        const QByteArray text = line.trimmed();
        if (text.isEmpty())
            continue;
        const QByteArray id = text.left(text.indexOf(' '));
        QTest::newRow(id.constData()) << text << expected.value(id, Result::Accepted);
        ++rows;
    }
    // The frame number and one line per type.
    QCOMPARE(rows, types.size() + 1);
}

void TestDataLines::simulatorLines()
{
    QFETCH(QByteArray, line);
    QFETCH(Result, result);
    MonitorFrame frame;
    QCOMPARE(DataLineParser::parse(line.constData(), &frame), result);
    const int declared = line.split(' ').value(1).toInt();
    if (result == Result::FrameNumber)
        QCOMPARE(frame.number, 4711);
    if (result == Result::Bodies) {
        QCOMPARE(frame.bodyCount, declared);
        // 40 of its 50 bodies are calibrated, each lost now and then for a moment.
        QVERIFY2(declared >= 30, line.left(300).constData());
        QVERIFY(frame.bodies.first().z > 500);
    }
    if (result == Result::Markers) {
        QCOMPARE(frame.markerCount, declared);
        QCOMPARE(frame.markers.size(), declared);
    }
}

void TestDataLines::untrustedLines_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<Result>("result");
    QTest::addColumn<int>("bodies");

    const QByteArray body = " [3 1.000][10.0 -20.5 1300][1 0 0 0 1 0 0 0 1]";
    QTest::newRow("bodies, blanks around") << "6d  1 " + body + "  " << Result::Bodies << 1;
    QTest::newRow("no bodies") << QByteArray("6d 0") << Result::Bodies << 0;
    QTest::newRow("count above what follows") << "6d 2" + body << Result::Malformed << -1;
    QTest::newRow("count below what follows") << "6d 0" + body << Result::Malformed << -1;
    QTest::newRow("absurd count") << QByteArray("6d 2000000000") << Result::Malformed << -1;
    QTest::newRow("negative count") << QByteArray("6d -1") << Result::Malformed << -1;
    QTest::newRow("nan coordinate")
        << QByteArray("6d 1 [3 1.000][nan 0 0][1 0 0 0 1 0 0 0 1]") << Result::Malformed << -1;
    QTest::newRow("coordinate out of any room")
        << QByteArray("6d 1 [3 1.000][1e300 0 0][1 0 0 0 1 0 0 0 1]") << Result::Malformed << -1;
    QTest::newRow("id of five digits")
        << QByteArray("6d 1 [12345 1.000][0 0 0][1 0 0 0 1 0 0 0 1]") << Result::Malformed << -1;
    QTest::newRow("rotation cut short")
        << QByteArray("6d 1 [3 1.000][0 0 0][1 0 0 0 1") << Result::Malformed << -1;
    QTest::newRow("markup in place of numbers")
        << QByteArray("6d 1 [<b>3</b> 1][0 0 0][1 0 0 0 1 0 0 0 1]") << Result::Malformed << -1;
    QTest::newRow("comma decimal") << QByteArray("3d 1 [1 1,0][0 0 0]") << Result::Malformed << -1;
    QTest::newRow("frame number words") << QByteArray("fr %s%n") << Result::Malformed << -1;
    QTest::newRow("frame number beyond 64 bits")
        << QByteArray("fr 99999999999999999999") << Result::Malformed << -1;
    QTest::newRow("time stamp inf") << QByteArray("ts inf") << Result::Malformed << -1;
    QTest::newRow("camera number of three digits")
        << QByteArray("2dmon 1 [c100 4][1.0 2.0]") << Result::Malformed << -1;
    QTest::newRow("unknown type with content")
        << QByteArray("xyz 3 a b") << Result::Malformed << -1;
    QTest::newRow("empty") << QByteArray("") << Result::Malformed << -1;
    QTest::newRow("3d glued to its count") << QByteArray("3d1") << Result::Malformed << -1;
}

void TestDataLines::untrustedLines()
{
    QFETCH(QByteArray, line);
    QFETCH(Result, result);
    QFETCH(int, bodies);
    MonitorFrame frame;
    frame.bodies.append({1, 2, 3, 4});
    QCOMPARE(DataLineParser::parse(line.constData(), &frame), result);
    if (line.startsWith("6d")) {
        // A broken line leaves no body of its own or of an earlier line behind.
        QCOMPARE(frame.bodyCount, bodies);
        QCOMPARE(frame.bodies.size(), qMax(0, bodies));
    }
}

QTEST_GUILESS_MAIN(TestDataLines)
#include "tst_datalines.moc"
