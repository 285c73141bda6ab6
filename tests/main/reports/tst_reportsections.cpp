// The hardware, tracking and device sections of the configuration report,
// written against the simulator: whole sections per installation profile,
// the protocol gates, and failing or unusual controller answers.
#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

#include "ReportTestSupport.h"
#include "SimController.h"

namespace {

const QString SimAddress = QStringLiteral("127.0.13.1");
// The sections this test covers run from the camera settings to the end.
const QString FirstSection = QStringLiteral("[Camera settings]");

QString goldenPath(const QString& profile)
{
    return QStringLiteral(REPORT_GOLDEN_DIR "/sections-%1.txt").arg(profile);
}

struct ReportRun
{
    QStringList lines;  // the report from FirstSection on
    QString error;
};

// Runs the whole report against a fresh simulator with the profile and the
// control lines applied; protocol, when given, replaces the controller's.
ReportRun runReport(const QString& profile, const QStringList& controlLines = {},
                    const QString& protocol = {})
{
    ReportRun run;
    orvane::sim::SimOptions options;
    options.listenAddress = SimAddress;
    options.profile = profile;
    options.controlLines = controlLines;
    orvane::sim::SimController sim(options);
    if (!sim.start(&run.error))
        return run;
    ReportChannel channel;
    if (!channel.connect(SimAddress)) {
        run.error = QStringLiteral("no connection");
        return run;
    }
    if (!protocol.isEmpty())
        channel.versions.setProtocol(VersionInfo::fromString(protocol));
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("configuration.txt"));
    ExportConfiguration report(channel.io.get(), nullptr, &channel.versions);
    ReportBoxes boxes;
    report.setMessageBoxProvider(&boxes);
    report.exportConfigurations(file, false, true);
    const QStringList all = readLines(file);
    const int first = all.indexOf(FirstSection);
    if (first < 0)
        run.error = QStringLiteral("no camera section");
    else
        run.lines = all.mid(first);
    return run;
}

// The lines of one section, heading included.
QStringList section(const QStringList& lines, const QString& heading)
{
    const int start = lines.indexOf(QLatin1Char('[') + heading + QLatin1Char(']'));
    if (start < 0)
        return {};
    int end = start + 1;
    while (end < lines.size() && !lines.at(end).startsWith(QLatin1Char('[')))
        ++end;
    return lines.mid(start, end - start);
}

}  // namespace

class TestReportSections : public QObject
{
    Q_OBJECT

private slots:
    void goldenReport_data();
    void goldenReport();
    void protocolGates_data();
    void protocolGates();
    void failedQueries_data();
    void failedQueries();
    void answerBranches_data();
    void answerBranches();
};

void TestReportSections::goldenReport_data()
{
    QTest::addColumn<QString>("profile");
    for (const char* p : {"demo", "large", "old", "classic", "model21", "cascade"})
        QTest::newRow(p) << QString::fromLatin1(p);
}

// Set ORVANE_UPDATE_GOLDEN=1 to rewrite the expected files after a reviewed
// change of the report.
void TestReportSections::goldenReport()
{
    QFETCH(QString, profile);
    const ReportRun run = runReport(profile);
    QVERIFY2(run.error.isEmpty(), qPrintable(run.error));
    if (qEnvironmentVariableIntValue("ORVANE_UPDATE_GOLDEN") == 1) {
        QFile file(goldenPath(profile));
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write((run.lines.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8());
        return;
    }
    const QStringList expected = readLines(goldenPath(profile));
    QVERIFY2(!expected.isEmpty(), qPrintable(goldenPath(profile)));
    for (int i = 0; i < std::min(expected.size(), run.lines.size()); ++i)
        QCOMPARE(run.lines.at(i), expected.at(i));
    QCOMPARE(run.lines.size(), expected.size());
}

void TestReportSections::protocolGates_data()
{
    QTest::addColumn<QString>("protocol");
    QTest::addColumn<QString>("heading");
    QTest::addColumn<QStringList>("present");
    QTest::addColumn<QStringList>("absent");

    const QString tooOld = ReportWriter::tooOldText();
    QTest::newRow("cameras below 0.9") << "0.8" << "Camera settings" << QStringList{tooOld}
                                       << QStringList{"Number of cameras   : 6"};
    QTest::newRow("cameras 0.10: no scan duration, no areas")
        << "0.10" << "Camera settings" << QStringList{"Camera c01:", "Model  : ORCAM-5 (0x0a03)"}
        << QStringList{"Reflex scan duration: 3", "Static reflex suppression number of areas: 2",
                       "Mode: full frame"};
    QTest::newRow("cameras 1.14: areas, mode, cascade; no display, no sensor")
        << "1.14" << "Camera settings"
        << QStringList{"Static reflex suppression number of areas: 2", "Mode: full frame",
                       "Camera connected to Cascaded System: master"}
        << QStringList{"Has sync group: yes", "Threshold: 90", "Automatic warming: yes"};
    QTest::newRow("cameras 1.22: compact serial hidden, display but no sensor lines")
        << "1.22" << "Camera settings"
        << QStringList{"Serial : ", "Display mode: 1 (camera number)"}
        << QStringList{"Serial : KB3-0041", "Threshold: 90"};
    QTest::newRow("sync below 0.8") << "0.7" << "Synccard settings"
                                    << QStringList{"Sync-card available : yes", tooOld}
                                    << QStringList{"Number of sync-cards: 1"};
    QTest::newRow("sync 0.12: old layout without input frequency")
        << "0.12" << "Synccard settings"
        << QStringList{"Sync-card 1:", "Model   : Sync card 3", "Active mode: none"}
        << QStringList{"Has input frequency: yes", "Direct settings:"};
    QTest::newRow("sync 1.1: old layout with input frequency")
        << "1.1" << "Synccard settings"
        << QStringList{"Has input frequency: yes", "Input frequency : 0.00"}
        << QStringList{"Number of modes   : 3"};
    QTest::newRow("sync 1.2: sources, modes and channels")
        << "1.2" << "Synccard settings"
        << QStringList{"Number of modes   : 3", "Synccard d01 source 'ttl':", "Direct settings:",
                       "Channels of synccard d01:"}
        << QStringList{"Sync-card 1:"};
    QTest::newRow("room calibration 1.8: no last calibration")
        << "1.8" << "Room calibration" << QStringList{"Room calibration reference:"}
        << QStringList{"Last room calibration:", "Duration [s]: 30"};
    QTest::newRow("room calibration 1.12: residuals without model columns")
        << "1.12" << "Room calibration"
        << QStringList{"Duration [s]: 30", "Camera   | Residual [mm]   | Used frames     "}
        << QStringList{"Camera   | Model           | Serial          | Residual [mm]   | Used frames     "};
    QTest::newRow("room adjustment below 0.16")
        << "0.15" << "Room adjustments" << QStringList{tooOld} << QStringList{"Zero point offset:"};
    QTest::newRow("standard table below 1.12")
        << "1.11" << "Body Administration" << QStringList{"Standard", tooOld, "Wavewand"}
        << QStringList{"Reference target: NONE"};
    QTest::newRow("outputs 1.3: no router, no divisor")
        << "1.3" << "Output settings" << QStringList{"Channel 1:"}
        << QStringList{"Act as router for tracking output: no", "Send data divisor: 1"};
    QTest::newRow("measurement tools below 1.3")
        << "1.2" << "Measurement Tool settings" << QStringList{tooOld}
        << QStringList{"Available: yes"};
    QTest::newRow("measurement tools 1.12: no counts line")
        << "1.12" << "Measurement Tool settings" << QStringList{"Available: yes", "Measurement Tool 2"}
        << QStringList{"Number of tools: 2 / 10"};
    QTest::newRow("wavewands 0.12: no head targets")
        << "0.12" << "Wavewand settings" << QStringList{"Multi user function active: no"}
        << QStringList{"Use head targets: no"};
    QTest::newRow("finger tracking below 0.17")
        << "0.16" << "Fingertracking settings" << QStringList{tooOld}
        << QStringList{"Number of hands: 2"};
    QTest::newRow("tactile below 1.2")
        << "1.1" << "Tactile settings" << QStringList{tooOld} << QStringList{"Available: yes"};
    QTest::newRow("inertial below 1.12")
        << "1.11" << "Inertial settings" << QStringList{tooOld} << QStringList{"Available: yes"};
    QTest::newRow("inertial 1.20: tracking frequency too old")
        << "1.20" << "Inertial settings" << QStringList{"Tracking frequency:", tooOld}
        << QStringList{"Tracking frequency: 60"};
    QTest::newRow("radio below 0.5")
        << "0.4" << "QOR radio info" << QStringList{tooOld} << QStringList{"Available: yes"};
}

// The demo controller seen through an older protocol version.
void TestReportSections::protocolGates()
{
    QFETCH(QString, protocol);
    QFETCH(QString, heading);
    QFETCH(QStringList, present);
    QFETCH(QStringList, absent);
    const ReportRun run = runReport(QStringLiteral("demo"), {}, protocol);
    QVERIFY2(run.error.isEmpty(), qPrintable(run.error));
    const QStringList lines = section(run.lines, heading);
    QVERIFY(!lines.isEmpty());
    for (const QString& p : present)
        QVERIFY2(lines.contains(p), qPrintable(p));
    for (const QString& a : absent)
        QVERIFY2(!lines.contains(a), qPrintable(a));
}

void TestReportSections::failedQueries_data()
{
    QTest::addColumn<QString>("parameter");
    QTest::addColumn<QString>("heading");
    QTest::addColumn<QStringList>("expected");

    // The simulator answers an injected failure with an error answer, which
    // the channel reports as -32.
    const auto row = [](const char* name, const char* parameter, const char* heading,
                        QStringList expected) {
        QTest::newRow(name) << QString::fromLatin1(parameter) << QString::fromLatin1(heading)
                            << expected;
    };
    row("camera count", "camera number_of_cameras", "Camera settings",
        {"Number of cameras   : Error -32", "", "[Synccard settings]"});
    row("camera type", "camera camera c02", "Camera settings",
        {"Model ID: Error -32", "Model  : Error -32", "Serial : Error -32"});
    row("flash maximum", "camera max_flash_intensity c01", "Camera settings",
        {"Flash intensity: Error -32"});
    row("area", "camera area c01 t02", "Camera settings", {"Camera area: Error -32"});
    row("area count", "camera number_of_areas c04", "Camera settings",
        {"Static reflex suppression number of areas: Error -32"});
    row("display intensity", "camera has_display_intensity c01", "Camera settings",
        {"Display intensity exits: Error -32"});
    row("camera mode", "camera mode c03", "Camera settings", {"Camera mode: Error -32"});
    row("sync card count", "synccard number_of_synccards", "Synccard settings",
        {"Number of sync-cards: Error -32"});
    row("sync source", "synccard has_source d01 video", "Synccard settings",
        {"Synccard d01 has source video: Error -32"});
    row("sync divisor", "synccard max_external_divisor d01 ttl", "Synccard settings",
        {"Synccard d01 source 'ttl' max external divisor: Error -32"});
    row("sync mode", "synccard mode t02", "Synccard settings", {"Mode 2: Error -32"});
    row("sync channel delay", "synccard output_delay d01 ch02", "Synccard settings",
        {"ch02    |  error -32 | no"});
    row("radio devices", "qorwpan number_of_devices", "QOR radio info",
        {"Number of devices: Error -32"});
    row("radio channel", "qorwpan radio", "QOR radio info", {"Channel / PAN-ID: Error -32"});
    row("filter preset id", "filter6d preset_id t02", "Tracking settings",
        {"Getting 6DOF filter preset id: Error -32"});
    row("prediction maximum", "filter6d limit prediction_max", "Tracking settings",
        {"6DOF filter prediction maximum: Error -32"});
    row("standard bodies", "body number_of_bodies standard", "Body Administration",
        {"Number of bodies: Error -32"});
    row("output types", "output number_of_types", "Output settings",
        {"Number of types: Error -32"});
    row("output destination", "output net ch01", "Output settings",
        {"Send to / UDP port: Error -32"});
    row("tool reference", "measurementtool reference_of_tool b01", "Measurement Tool settings",
        {"Reference of tool: Error -32"});
    row("room wand residual", "roomcal last_wand_residual", "Room calibration",
        {"Wand residual [mm]: Error -32", "Wand range    [mm]: Error -32"});
    row("room residual count", "roomcal last_cam_number", "Room calibration",
        {"Last room calibration number of cameras: Error -32"});
    row("room residual", "roomcal last_cam_residual c03", "Room calibration",
        {"Last room calibration camera residual: Error -32"});
    row("room distances", "roomcal angle", "Room calibration", {"Marker distances: Error -32"});
    row("room adjustment", "tracking extra_rotation", "Room adjustments",
        {"Rotation angles:", "--------------------------", "Error -32"});
    row("body types", "body number_of_types", "Body calibration", {"Number of types: Error -32"});
    row("marker", "body marker standard b01 m02", "Body calibration",
        {"<Body file>", "4", "0.000 0.000 0.000", "-.--- -.--- -.--- : Error -32"});
    row("fixed angles", "standard fixed_angle b03", "Body calibration",
        {"Fixed angles: Error -32"});
    row("hand count", "fingertracking number_of_hands", "Fingertracking settings",
        {"Number of hands: Error -32"});
    row("hand marker", "fingertracking hand_marker left_m m02", "Fingertracking settings",
        {"Coordinates of hand marker: Error -32"});
    row("finger radius", "fingertracking collision_radius right_m f2", "Fingertracking settings",
        {"Collisions radius of finger: Error -32"});
    row("thimble sets", "fingertracking number_of_thimble_sets", "Fingertracking settings",
        {"Number thimble sets: Error -32"});
    row("thimble availability", "fingertracking thimble_set_available thimbles_std",
        "Fingertracking settings", {"Thimble set availble: Error -32"});
    row("geometry of body", "fingertracking hand_geometry_of_body b02", "Fingertracking settings",
        {"Hand geometry of body2: Error -32"});
    row("wavewand count", "wavewand number_of_qorwpan_devices", "Wavewand settings",
        {"Number of Wavewand23: Error -32"});
    row("wavewand radio device", "wavewand qorwpan_device d02", "Wavewand settings",
        {"Device 2: Vendor/model/serial error -32"});
    row("tactile device", "fingertracking tactile_device d01", "Tactile settings",
        {"Vendor/model/serial: Error -32"});
    row("tactile count", "fingertracking number_of_tactile_devices", "Tactile settings",
        {"Number of tactile devices: Error -32"});
    row("inertial available", "inertial available", "Inertial settings",
        {"[Inertial settings]", "Available: Error -32"});
    row("dongles", "inertial number_of_transceivers", "Inertial settings",
        {"Number of dongles: Error -32"});
    row("sensor body", "inertial body_of_sensor 0x0002 0x0031 520002", "Inertial settings",
        {"Body of sensor           : Error -32"});
    row("tracking pulse", "tracking pulse", "Inertial settings",
        {"Tracking frequency: Error -32"});
}

// One failing query shows its error text in place of the value, in order,
// and the report goes on with the next section.
void TestReportSections::failedQueries()
{
    QFETCH(QString, parameter);
    QFETCH(QString, heading);
    QFETCH(QStringList, expected);
    const ReportRun run = runReport(QStringLiteral("demo"), {QStringLiteral("error ") + parameter});
    QVERIFY2(run.error.isEmpty(), qPrintable(run.error));
    QVERIFY(run.lines.contains(QStringLiteral("[Inertial settings]")));
    // The expected lines appear in this order, one after the other, within
    // the section (or running into the next heading).
    const int start = run.lines.indexOf(QLatin1Char('[') + heading + QLatin1Char(']'));
    QVERIFY(start >= 0);
    int at = run.lines.indexOf(expected.first(), start);
    QVERIFY2(at >= 0, qPrintable(expected.first()));
    for (int i = 1; i < expected.size(); ++i)
        QCOMPARE(run.lines.value(at + i), expected.at(i));
}

void TestReportSections::answerBranches_data()
{
    QTest::addColumn<QStringList>("controls");
    QTest::addColumn<QString>("heading");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("no sync card: two lines")
        << QStringList{"set synccard available = no"} << "Synccard settings"
        << QStringList{"[Synccard settings]", "Sync-card available : no"};
    QTest::newRow("radio not available")
        << QStringList{"set qorwpan available = no"} << "QOR radio info"
        << QStringList{"[QOR radio info]", "Available: no"};
    QTest::newRow("inertial not available")
        << QStringList{"set inertial available = no"} << "Inertial settings"
        << QStringList{"[Inertial settings]", "Available: no"};
    QTest::newRow("tactile not available")
        << QStringList{"set fingertracking tactile_available = no"} << "Tactile settings"
        << QStringList{"[Tactile settings]", "Available: no"};
    QTest::newRow("measurement tools not available")
        << QStringList{"set measurementtool available = no"} << "Measurement Tool settings"
        << QStringList{"[Measurement Tool settings]"};
    QTest::newRow("feature missing: not supported")
        << QStringList{"set camera has_modulated_flash c01 = no",
                       "error camera modulated_flash c01"}
        << "Camera settings"
        << QStringList{"Modulated flash available: no", "Modulated flash: not supported"};
    QTest::newRow("no marker mode")
        << QStringList{"set camera has_marker_mode_accurate c02 = no",
                       "set camera has_marker_mode_fast c02 = no"}
        << "Camera settings" << QStringList{"Available marker measurement modes: none"};
    QTest::newRow("chip size zero")
        << QStringList{"set camera sensor_pixel_horizontal c01 = 0",
                       "set camera sensor_pixel_vertical c01 = 0"}
        << "Camera settings"
        << QStringList{"Chip size (horizontal / vertical): 0 / 0",
                       "Maximum diameter of marker according to chip [%]: unknown"};
    QTest::newRow("fixed divisor card")
        << QStringList{"set synccard model_desc 0x0401 = \"KESTRELBOX sync\""}
        << "Synccard settings"
        << QStringList{"Synccard d01 source 'video':", "-------------------------------",
                       "Has source          : yes", "Max external divisor: 2"};
    QTest::newRow("external sync source")
        << QStringList{"set synccard source d01 = ttl", "set synccard external_divisor d01 = 4"}
        << "Synccard settings"
        << QStringList{"Synccard d01 source            : ttl",
                       "Synccard d01 external divisor  : 4"};
    QTest::newRow("re-calibration lists static cameras")
        << QStringList{"set roomcal type = wand_no_angle", "set roomcal fixed_camera c02 = no"}
        << "Room calibration"
        << QStringList{"Re-calibration: yes", "", "Select static cameras:",
                       "----------------------",
                       "Camera          | Status          | Model           | Serial         ",
                       "----------------|-----------------|-----------------|----------------",
                       "c01             | static          | ORCAM-5         | 10231",
                       "c02             | moved           | ORCAM-5         | 10232"};
    QTest::newRow("camera on a slave")
        << QStringList{"set camera cascade_slave c02 = 198.51.100.7",
                       "set system hostname_slave 198.51.100.7 = box-7"}
        << "Camera settings"
        << QStringList{"Camera connected to Cascaded System: slave (198.51.100.7 box-7)"};
    QTest::newRow("monitor output type")
        << QStringList{"set output active chmon 2dmon = yes"} << "Output settings"
        << QStringList{"2dmon          | 2-D camera monitor                                "
                       "| yes        | monitor yes"};
    QTest::newRow("emission markers")
        << QStringList{"set body target_type standard b02 = tt_5dof"} << "Body calibration"
        << QStringList{"0.000 0.000 0.000 em 0.000 0.000 1.000 180.000"};
    QTest::newRow("cylinder markers")
        << QStringList{"set body target_type wavewand b01 = tt_2x5dof_cyl"} << "Body calibration"
        << QStringList{"18.000 7.000 11.000 cyl 0.000 0.000 1.000 6.000"};
    QTest::newRow("wired wavewand")
        << QStringList{"set wavewand device b02 = wavewand1"} << "Body Administration"
        << QStringList{"  F2 |     yes |                    wired |         wavewand1 "
                       "|  Target library | light smoothing"};
    QTest::newRow("controller value with percent and line break")
        << QStringList{"set roomcal last_coordinate_type = %1%2\\n"} << "Room calibration"
        << QStringList{"Coordinate system: %1%2\\n"};
}

// Answers that take the writers down their less common branches.
void TestReportSections::answerBranches()
{
    QFETCH(QStringList, controls);
    QFETCH(QString, heading);
    QFETCH(QStringList, expected);
    const ReportRun run = runReport(QStringLiteral("demo"), controls);
    QVERIFY2(run.error.isEmpty(), qPrintable(run.error));
    const QStringList lines = section(run.lines, heading);
    const int at = lines.indexOf(expected.first());
    QVERIFY2(at >= 0, qPrintable(expected.first()));
    for (int i = 1; i < expected.size(); ++i)
        QCOMPARE(lines.value(at + i), expected.at(i));
    if (expected.first().startsWith(QLatin1Char('[')))
        QCOMPARE(lines.size(), expected.size());
}

QTEST_MAIN(TestReportSections)
#include "tst_reportsections.moc"
