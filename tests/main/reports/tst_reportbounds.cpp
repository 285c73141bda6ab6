// The configuration report against a controller that claims absurd counts or
// hands back values that would split a query in two: the report stays
// bounded, says what it left out, and does not call itself complete.
#include <QTemporaryDir>
#include <QtTest>

#include "ReportTestSupport.h"

namespace {

const QString SimAddress = QStringLiteral("127.0.15.1");
constexpr int Absurd = 2000000000;
// A report of the largest profile is far below this.
constexpr qint64 MaxReportBytes = 4 * 1024 * 1024;
// A second command behind a line break, one that would change the controller.
const QString Injected = QStringLiteral("\norvane2 set system hostname injected");

struct ReportRun
{
    int result = 0;
    QStringList lines;
    qint64 bytes = 0;
    QString hostnameAfter;
    QString error;
};

ReportRun runReport(const QString& profile, const QStringList& controlLines)
{
    ReportRun run;
    SimulatedController controller;
    run.error = controller.start(SimAddress, profile, controlLines);
    if (!run.error.isEmpty())
        return run;
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("configuration.txt"));
    ExportConfiguration report(controller.io(), nullptr, controller.versions());
    RecordingBoxes boxes;
    report.setMessageBoxProvider(&boxes);
    run.result = report.exportConfigurations(file, false, true);
    run.bytes = QFileInfo(file).size();
    run.lines = readLines(file);
    run.hostnameAfter = controller.sim->control(QStringLiteral("get system hostname"));
    return run;
}

// The lines of the section with this heading, up to the next heading.
QStringList section(const QStringList& lines, const QString& heading)
{
    const int at = lines.indexOf(QLatin1Char('[') + heading + QLatin1Char(']'));
    if (at < 0)
        return {};
    int end = at + 1;
    while (end < lines.size() && !lines.at(end).startsWith(QLatin1Char('[')))
        ++end;
    return lines.mid(at, end - at);
}

QString count(const QString& parameter, int value = Absurd)
{
    return QStringLiteral("set %1 = %2").arg(parameter).arg(value);
}

}  // namespace

class TestReportBounds : public QObject
{
    Q_OBJECT

private slots:
    void countsAreBounded_data();
    void countsAreBounded();
    void valueWithLineBreakIsNoQueryKey_data();
    void valueWithLineBreakIsNoQueryKey();
    void chipAverageDoesNotOverflow_data();
    void chipAverageDoesNotOverflow();
};

void TestReportBounds::countsAreBounded_data()
{
    QTest::addColumn<QString>("profile");
    QTest::addColumn<QStringList>("controlLines");
    QTest::addColumn<QString>("heading");
    QTest::addColumn<bool>("cut");

    QTest::newRow("ordinary controller") << "large" << QStringList() << "Hardware info" << false;
    QTest::newRow("hardware") << "demo" << QStringList{count("system extra number_of_hardware")}
                              << "Hardware info" << true;
    QTest::newRow("configurations")
        << "demo" << QStringList{count("config number_of_configs")} << "Configuration" << true;
    QTest::newRow("backend modules")
        << "demo" << QStringList{count("system number_of_single_versions")}
        << "Backend modules (loaded)" << true;
    QTest::newRow("cameras") << "demo" << QStringList{count("camera number_of_cameras")}
                             << "Camera settings" << true;
    QTest::newRow("static areas") << "demo" << QStringList{count("camera number_of_areas c01")}
                                  << "Camera settings" << true;
    QTest::newRow("bodies and markers") << "demo"
                                        << QStringList{count("body number_of_bodies standard"),
                                                       count("body number_of_marker standard b01")}
                                        << "Body Administration" << true;
    QTest::newRow("wavewands") << "demo" << QStringList{count("wavewand number_of_devices")}
                               << "Wavewand settings" << true;
    QTest::newRow("hand geometries and finger markers")
        << "demo"
        << QStringList{count("fingertracking number_of_hand_geometries"),
                       "set fingertracking number_of_finger_marker left_m = 1 2000000000 1"}
        << "Fingertracking settings" << true;
    QTest::newRow("radio devices")
        << "demo" << QStringList{count("qorwpan number_of_devices")} << "QOR radio info" << true;
    QTest::newRow("inertial sensors") << "demo" << QStringList{count("inertial number_of_sensors")}
                                      << "Inertial settings" << true;
}

void TestReportBounds::countsAreBounded()
{
    QFETCH(QString, profile);
    QFETCH(QStringList, controlLines);
    QFETCH(QString, heading);
    QFETCH(bool, cut);

    const ReportRun run = runReport(profile, controlLines);
    QVERIFY2(run.error.isEmpty(), qPrintable(run.error));
    QVERIFY2(run.bytes > 0 && run.bytes < MaxReportBytes, qPrintable(QString::number(run.bytes)));
    QVERIFY(run.lines.contains(QStringLiteral("[Inertial settings]")));

    const QString cutLine = ReportWriter::countCutText(Absurd, ReportWriter::MaxListedEntries);
    const QStringList lines = section(run.lines, heading);
    QVERIFY2(!lines.isEmpty(), qPrintable(heading));
    QCOMPARE(lines.contains(cutLine), cut);
    QCOMPARE(run.lines.contains(cutLine), cut);
    QCOMPARE(run.result,
             cut ? int(ExportConfiguration::ResultIncomplete) : int(ExportConfiguration::ResultOk));
}

void TestReportBounds::valueWithLineBreakIsNoQueryKey_data()
{
    QTest::addColumn<QString>("profile");
    QTest::addColumn<QString>("parameter");
    QTest::addColumn<QString>("value");

    QTest::newRow("configuration id") << "demo"
                                      << "config config t01"
                                      << "cfg1";
    QTest::newRow("camera type") << "demo"
                                 << "camera camera c01"
                                 << "0x0b";
    QTest::newRow("sync mode") << "demo"
                               << "synccard active_mode"
                               << "mode1";
    QTest::newRow("hand geometry id") << "demo"
                                      << "fingertracking hand_geometry t01"
                                      << "g1";
}

// Values the report reads and then asks about ("config desc_of_config %s").
void TestReportBounds::valueWithLineBreakIsNoQueryKey()
{
    QFETCH(QString, profile);
    QFETCH(QString, parameter);
    QFETCH(QString, value);

    const ReportRun clean = runReport(profile, {});
    QVERIFY2(clean.error.isEmpty(), qPrintable(clean.error));
    const QString raw = QStringLiteral("raw %1 | orvane2 set %1 %2").arg(parameter, value);
    const ReportRun run = runReport(profile, {raw + Injected});
    QVERIFY2(run.error.isEmpty(), qPrintable(run.error));

    QCOMPARE(run.hostnameAfter, clean.hostnameAfter);
    QCOMPARE(run.result, int(ExportConfiguration::ResultIncomplete));
    // Later answers are the controller's answers to the later queries.
    QCOMPARE(section(run.lines, QStringLiteral("Inertial settings")),
             section(clean.lines, QStringLiteral("Inertial settings")));
    QCOMPARE(section(run.lines, QStringLiteral("Tactile settings")),
             section(clean.lines, QStringLiteral("Tactile settings")));
}

void TestReportBounds::chipAverageDoesNotOverflow_data()
{
    QTest::addColumn<QString>("horizontal");
    QTest::addColumn<QString>("vertical");
    QTest::addColumn<QString>("maxSize");
    QTest::addColumn<QString>("share");

    QTest::newRow("ordinary chip") << "1000"
                                   << "1000"
                                   << "10"
                                   << "1.0";
    QTest::newRow("edges near the int limit") << "2000000000"
                                              << "2000000000"
                                              << "4000000"
                                              << "0.2";
    QTest::newRow("negative edges") << "-2000000000"
                                    << "-2000000000"
                                    << "10"
                                    << "unknown";
    QTest::newRow("size not a number") << "1000"
                                       << "1000"
                                       << "nan"
                                       << "unknown";
}

void TestReportBounds::chipAverageDoesNotOverflow()
{
    QFETCH(QString, horizontal);
    QFETCH(QString, vertical);
    QFETCH(QString, maxSize);
    QFETCH(QString, share);

    auto raw = [](const QString& parameter, const QString& value) {
        return QStringLiteral("raw %1 | orvane2 set %1 %2").arg(parameter, value);
    };
    const ReportRun run =
        runReport(QStringLiteral("demo"),
                  {raw(QStringLiteral("camera sensor_pixel_horizontal c01"), horizontal),
                   raw(QStringLiteral("camera sensor_pixel_vertical c01"), vertical),
                   raw(QStringLiteral("camera marker_max_size c01"), maxSize)});
    QVERIFY2(run.error.isEmpty(), qPrintable(run.error));
    const QString label = QStringLiteral("Maximum diameter of marker according to chip [%]");
    QStringList found;
    for (const QString& line : section(run.lines, QStringLiteral("Camera settings")))
        if (line.startsWith(label))
            found << line.mid(line.lastIndexOf(QLatin1String(": ")) + 2);
    QVERIFY(!found.isEmpty());
    QCOMPARE(found.first(), share);
}

QTEST_MAIN(TestReportBounds)
#include "tst_reportbounds.moc"
