// The hardware, tracking and device sections of the configuration report,
// written against the simulator: whole sections per installation profile,
// the protocol gates, and failing or unusual controller answers.
#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

#include "ReportTestSupport.h"

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

// Runs the whole report, or only the section with heading, against a fresh
// simulator with the profile and the control lines applied; protocol, when
// given, replaces the controller's.
ReportRun runReport(const QString& profile, const QStringList& controlLines = {},
                    const QString& protocol = {}, const QString& heading = {})
{
    ReportRun run;
    SimulatedController controller;
    run.error = controller.start(SimAddress, profile, controlLines);
    if (!run.error.isEmpty())
        return run;
    if (!protocol.isEmpty())
        controller.versions()->setProtocol(VersionInfo::fromString(protocol));
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("configuration.txt"));
    ExportConfiguration report(controller.io(), nullptr, controller.versions());
    RecordingBoxes boxes;
    report.setMessageBoxProvider(&boxes);
    if (!heading.isEmpty()) {
        if (report.exportSection(file, heading) != ExportConfiguration::ResultOk)
            run.error = QStringLiteral("no section ") + heading;
        run.lines = readLines(file);
        return run;
    }
    report.exportConfigurations(file, false, true);
    const QStringList all = readLines(file);
    const int first = all.indexOf(FirstSection);
    if (first < 0)
        run.error = QStringLiteral("no camera section");
    else
        run.lines = all.mid(first);
    return run;
}

// Empty when expected stands in lines, from index `from` on, as one run of
// consecutive lines; otherwise what differs.
QString missingRun(const QStringList& lines, const QStringList& expected, int from = 0)
{
    const int at = lines.indexOf(expected.first(), from);
    if (at < 0)
        return QStringLiteral("missing: ") + expected.first();
    for (int i = 1; i < expected.size(); ++i)
        if (lines.value(at + i) != expected.at(i))
            return QStringLiteral("after '%1' expected '%2', got '%3'")
                .arg(expected.at(i - 1), expected.at(i), lines.value(at + i));
    return QString();
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
    void failuresDoNotStopTheReport();
    void answerBranches_data();
    void answerBranches();
    void malformedAnswers_data();
    void malformedAnswers();
    void tableColumnsAlign_data();
    void tableColumnsAlign();
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
    QTest::newRow("cameras below 0.9")
        << "0.8"
        << "Camera settings" << QStringList{tooOld} << QStringList{"Number of cameras   : 6"};
    QTest::newRow("cameras 0.10: no scan duration, no areas")
        << "0.10"
        << "Camera settings" << QStringList{"Camera c01:", "Model  : ORCAM-5 (0x0a03)"}
        << QStringList{"Reflex scan duration: 3", "Static reflex suppression number of areas: 2",
                       "Mode: full frame"};
    QTest::newRow("cameras 1.14: areas, mode, cascade; no display, no sensor")
        << "1.14"
        << "Camera settings"
        << QStringList{"Static reflex suppression number of areas: 2", "Mode: full frame",
                       "Camera connected to Cascaded System: master"}
        << QStringList{"Has sync group: yes", "Threshold: 90", "Automatic warming: yes"};
    QTest::newRow("cameras 1.22: compact serial hidden, display but no sensor lines")
        << "1.22"
        << "Camera settings" << QStringList{"Serial : ", "Display mode: 1 (camera number)"}
        << QStringList{"Serial : KB3-0041", "Threshold: 90"};
    QTest::newRow("sync below 0.8")
        << "0.7"
        << "Synccard settings" << QStringList{"Sync-card available : yes", tooOld}
        << QStringList{"Number of sync-cards: 1"};
    QTest::newRow("sync 0.12: old layout without input frequency")
        << "0.12"
        << "Synccard settings"
        << QStringList{"Sync-card 1:", "Model   : Sync card 3", "Active mode: none"}
        << QStringList{"Has input frequency: yes", "Direct settings:"};
    QTest::newRow("sync 1.1: old layout with input frequency")
        << "1.1"
        << "Synccard settings" << QStringList{"Has input frequency: yes", "Input frequency : 0.00"}
        << QStringList{"Number of modes   : 3"};
    QTest::newRow("sync 1.2: sources, modes and channels")
        << "1.2"
        << "Synccard settings"
        << QStringList{"Number of modes   : 3", "Synccard d01 source 'ttl':", "Direct settings:",
                       "Channels of synccard d01:"}
        << QStringList{"Sync-card 1:"};
    QTest::newRow("room calibration 1.8: no last calibration")
        << "1.8"
        << "Room calibration" << QStringList{"Room calibration reference:"}
        << QStringList{"Last room calibration:", "Duration [s]: 30"};
    QTest::newRow("room calibration 1.12: residuals without model columns")
        << "1.12"
        << "Room calibration"
        << QStringList{"Duration [s]: 30", "Camera   | Residual [mm]   | Used frames     "}
        << QStringList{
               "Camera   | Model           | Serial          | Residual [mm]   | Used frames     "};
    QTest::newRow("room adjustment below 0.16")
        << "0.15"
        << "Room adjustments" << QStringList{tooOld} << QStringList{"Zero point offset:"};
    QTest::newRow("standard table below 1.12")
        << "1.11"
        << "Body Administration" << QStringList{"Standard", tooOld, "Wavewand"}
        << QStringList{"Reference target: NONE"};
    QTest::newRow("outputs 1.3: no router, no divisor")
        << "1.3"
        << "Output settings" << QStringList{"Channel 1:"}
        << QStringList{"Act as router for tracking output: no", "Send data divisor: 1"};
    QTest::newRow("measurement tools below 1.3")
        << "1.2"
        << "Measurement Tool settings" << QStringList{tooOld} << QStringList{"Available: yes"};
    QTest::newRow("measurement tools 1.12: no counts line")
        << "1.12"
        << "Measurement Tool settings" << QStringList{"Available: yes", "Measurement Tool 2"}
        << QStringList{"Number of tools: 2 / 10"};
    QTest::newRow("wavewands 0.12: no head targets")
        << "0.12"
        << "Wavewand settings" << QStringList{"Multi user function active: no"}
        << QStringList{"Use head targets: no"};
    QTest::newRow("finger tracking below 0.17")
        << "0.16"
        << "Fingertracking settings" << QStringList{tooOld} << QStringList{"Number of hands: 2"};
    QTest::newRow("tactile below 1.2")
        << "1.1"
        << "Tactile settings" << QStringList{tooOld} << QStringList{"Available: yes"};
    QTest::newRow("inertial below 1.12")
        << "1.11"
        << "Inertial settings" << QStringList{tooOld} << QStringList{"Available: yes"};
    QTest::newRow("inertial 1.20: tracking frequency too old")
        << "1.20"
        << "Inertial settings" << QStringList{"Tracking frequency:", tooOld}
        << QStringList{"Tracking frequency: 60"};
    QTest::newRow("radio below 0.5")
        << "0.4"
        << "QOR radio info" << QStringList{tooOld} << QStringList{"Available: yes"};
}

// The demo controller seen through an older protocol version.
void TestReportSections::protocolGates()
{
    QFETCH(QString, protocol);
    QFETCH(QString, heading);
    QFETCH(QStringList, present);
    QFETCH(QStringList, absent);
    const ReportRun run = runReport(QStringLiteral("demo"), {}, protocol, heading);
    QVERIFY2(run.error.isEmpty(), qPrintable(run.error));
    const QStringList& lines = run.lines;
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
        {"[Camera settings]", "", "Number of cameras   : Error -32", ""});
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
    row("tracking pulse", "tracking pulse", "Inertial settings", {"Tracking frequency: Error -32"});
    row("filter presets", "filter6d number_of_presets", "Tracking settings",
        {"6DOF filter number of presets: Error -32", "6DOF filter number of modes: 2",
         "6DOF filter strength minimum: 0.0"});
    row("body active", "body active standard b02", "Body Administration",
        {"   2 | Error -32 |              Head target |                             |         none "
         "|          Custom | not active"});
    row("tool count", "measurementtool number_of_tools", "Measurement Tool settings",
        {"Number of tools: Error -32", "Number of references: 1 / 5", ""});
    row("wavewand bodies", "wavewand number_of_devices", "Wavewand settings",
        {"Number of Wavewands: Error -32"});
    row("target types", "bodycal number_of_target_types", "Body calibration",
        {"Number of target types: Error -32", "Target types:", "-------------",
         "ID        | Type                          | Description         ",
         "----------|-------------------------------|---------------------", ""});
    row("sensors", "inertial number_of_sensors", "Inertial settings",
        {"Number of sensors: Error -32", "", "Tracking frequency:"});
    row("transceivers", "qorwpan number_of_transceivers", "QOR radio info",
        {"Number of transceivers: Error -32", "", "Number of devices: 4"});
    row("sync channels", "synccard number_of_channels d01", "Synccard settings",
        {"Number: Error -32", "Channel | Delay [ms] | Active during idle",
         "--------|------------|-------------------", ""});
    row("missing cameras", "tracking number_of_missing_cameras", "Room calibration",
        {"Number of missing cameras: Error -32"});
    row("hand geometries", "fingertracking number_of_hand_geometries", "Fingertracking settings",
        {"Number of hand geometries: Error -32"});
    row("hand geometry id", "fingertracking hand_geometry t02", "Fingertracking settings",
        {"Hand geometry 2:", "----------------", "ID: Error -32", "", "Thimble sets:"});
}

// One failing query shows its error text in place of the value, in order,
// and the report goes on with the next section.
void TestReportSections::failedQueries()
{
    QFETCH(QString, parameter);
    QFETCH(QString, heading);
    QFETCH(QStringList, expected);
    const ReportRun run =
        runReport(QStringLiteral("demo"), {QStringLiteral("error ") + parameter}, {}, heading);
    QVERIFY2(run.error.isEmpty(), qPrintable(run.error));
    // The expected lines appear in this order, one after the other.
    const QString missing = missingRun(run.lines, expected);
    QVERIFY2(missing.isEmpty(), qPrintable(missing));
}

// Failing queries in several sections: each writes its error and every
// later section still follows in its place.
void TestReportSections::failuresDoNotStopTheReport()
{
    const ReportRun run =
        runReport(QStringLiteral("demo"), {QStringLiteral("error camera number_of_cameras"),
                                           QStringLiteral("error body number_of_types"),
                                           QStringLiteral("error inertial available")});
    QVERIFY2(run.error.isEmpty(), qPrintable(run.error));
    QStringList headings;
    for (const QString& line : run.lines)
        if (line.startsWith(QLatin1Char('[')))
            headings << line;
    QCOMPARE(
        headings,
        QStringList({"[Camera settings]", "[Synccard settings]", "[QOR radio info]",
                     "[Tracking settings]", "[Body Administration]", "[Output settings]",
                     "[Wavewand settings]", "[Measurement Tool settings]", "[Room calibration]",
                     "[Room adjustments]", "[Body calibration]", "[Fingertracking settings]",
                     "[Tactile settings]", "[Inertial settings]"}));
    QVERIFY(run.lines.contains(QStringLiteral("Number of cameras   : Error -32")));
    QVERIFY(run.lines.contains(QStringLiteral("Number of types: Error -32")));
    QCOMPARE(run.lines.last(), QStringLiteral("Available: Error -32"));
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
        << QStringList{"Re-calibration: yes",
                       "",
                       "Select static cameras:",
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
        << QStringList{
               "2dmon          | 2-D camera monitor                                "
               "| yes        | monitor yes"};
    QTest::newRow("emission markers")
        << QStringList{"set body target_type standard b02 = tt_5dof"} << "Body calibration"
        << QStringList{"0.000 0.000 0.000 em 0.000 0.000 1.000 180.000"};
    QTest::newRow("cylinder markers")
        << QStringList{"set body target_type wavewand b01 = tt_2x5dof_cyl"} << "Body calibration"
        << QStringList{"18.000 7.000 11.000 cyl 0.000 0.000 1.000 6.000"};
    QTest::newRow("wired wavewand")
        << QStringList{"set wavewand device b02 = wavewand1"} << "Body Administration"
        << QStringList{
               "  F2 |     yes |                    wired |         wavewand1 "
               "|  Target library | light smoothing"};
    QTest::newRow("measurement tools not available: no tool tables")
        << QStringList{"set measurementtool available = no"} << "Body Administration"
        << QStringList{
               "  F2 |     yes |               Wavewand 3 |            300102 "
               "|  Target library | light smoothing",
               "", "Fingertracking"};
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
    const ReportRun run = runReport(QStringLiteral("demo"), controls, {}, heading);
    QVERIFY2(run.error.isEmpty(), qPrintable(run.error));
    const QStringList& lines = run.lines;
    const QString missing = missingRun(lines, expected);
    QVERIFY2(missing.isEmpty(), qPrintable(missing));
    if (expected.first().startsWith(QLatin1Char('[')))
        QCOMPARE(lines.size(), expected.size());
}

void TestReportSections::malformedAnswers_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("heading");
    QTest::addColumn<QStringList>("expected");

    // Answers that arrive but hold the wrong number of words: the channel's
    // -33, or the text itself where it is meaningful.
    const auto row = [](const char* name, const char* control, const char* heading,
                        QStringList expected) {
        QTest::newRow(name) << QString::fromLatin1(control) << QString::fromLatin1(heading)
                            << expected;
    };
    row("area with three numbers", "set camera area c01 t01 = 1 2 3", "Camera settings",
        {"Camera area: Error -33",
         "      2 |          900 |         1010 |           40 |           90"});
    row("reference none", "set roomcal reference c02 = none", "Room calibration",
        {"c02      | none"});
    row("room pose cut short", "set tracking room c03 = 1 2 3", "Room adjustments",
        {"c03      | Camera has no valid room calibration data"});
    row("fixed angles cut short", "set standard fixed_angle b01 = 0.0 no", "Body calibration",
        {"Fixed angles: Error -33", "6DOF filter enabled yes"});
    row("5DOF axis cut short", "set tracking axis_5dof_central = 1 2", "Tracking settings",
        {"Axis 5DOF central: Error -33"});
    row("finger counts not numbers", "set fingertracking number_of_finger_marker left_m = 1 x",
        "Fingertracking settings", {"Number of finger marker: Error -33", "", "Hand geometry 2:"});
    row("hand marker cut short", "set fingertracking hand_marker right_m m03 = 0.0 60.0",
        "Fingertracking settings", {"Coordinates of hand marker: Error -33"});
    row("radio device of two words", "set wavewand qorwpan_device d01 = 0x0001 0x0020",
        "Wavewand settings",
        {"Device 1: Vendor/model/serial error -33",
         "Device 2: 0x0020 (Wavewand 3), SN 300102, Vendor 0x0001"});
    row("radio device skipped", "set wavewand qorwpan_device d02 = none", "Wavewand settings",
        {"Device 1: 0x0020 (Wavewand 3), SN 300101, Vendor 0x0001", ""});
    row("transceiver unnamed", "set qorwpan transceiver d01 = broken", "QOR radio info",
        {"Transceiver 1:", "--------------", "Vendor/model/serial: broken", "",
         "Number of devices: 4"});
    row("sensor without radio channel",
        "set inertial sensor_radio_channel 0x0002 0x0031 520001 =", "Inertial settings",
        {"Channel                  : ", "Wakeup mode              : motion"});
    row("radio channel without PAN id", "set qorwpan radio = 15", "QOR radio info",
        {"Channel / PAN-ID: Error -33"});
}

// Answers of the wrong shape are reported, never taken apart at random.
void TestReportSections::malformedAnswers()
{
    QFETCH(QString, control);
    QFETCH(QString, heading);
    QFETCH(QStringList, expected);
    const ReportRun run = runReport(QStringLiteral("demo"), {control}, {}, heading);
    QVERIFY2(run.error.isEmpty(), qPrintable(run.error));
    const QString missing = missingRun(run.lines, expected);
    QVERIFY2(missing.isEmpty(), qPrintable(missing));
}

void TestReportSections::tableColumnsAlign_data()
{
    QTest::addColumn<QStringList>("controls");
    QTest::addColumn<QString>("heading");
    QTest::addColumn<QString>("header");
    QTest::addColumn<QString>("rowStart");

    QTest::newRow("selected wavewands, long description")
        << QStringList{"set qorwpan device_model_desc 0x0001 0x0020 = \"Wavewand with a long name\""}
        << "Wavewand settings"
        << "Wavewand ID         | Vendor/model/serial/port | Model description | Has param "
           "| Sync group | Flash "
        << "F1   ";
    QTest::newRow("body types beyond nine")
        << QStringList{"set body number_of_types = 10", "set body type t10 = extra",
                       "set body type_desc extra = \"an extra type\"",
                       "set body number_of_bodies extra = 0"}
        << "Body calibration"
        << "ID        | Type                          | Description                             "
           "| Count "
        << "t10 ";
    QTest::newRow("static cameras, long model")
        << QStringList{"set roomcal type = wand_no_angle",
                       "set camera model_desc 0x0a03 = \"ORCAM-5 with a very long model name\""}
        << "Room calibration"
        << "Camera          | Status          | Model           | Serial         "
        << "c01 ";
    QTest::newRow("missing camera, long words")
        << QStringList{"set tracking number_of_missing_cameras = 1",
                       "set tracking missing_camera c01 = c40-with-long-name 0x0a05-long-type 1"}
        << "Room calibration"
        << "Camera   | Model          | Serial         "
        << "c40-with-";
    QTest::newRow("residuals") << QStringList{} << "Room calibration"
                               << "Camera   | Model           | Serial          | Residual [mm]   "
                                  "| Used frames     "
                               << "c06 ";
    QTest::newRow("output types, long description")
        << QStringList{"set output type_desc 3d = \"3DOF markers, every single one of them\""}
        << "Output settings"
        << "Type           | Description                                       | Available  "
           "| Active "
        << "3d ";
    QTest::newRow("synccard channels") << QStringList{} << "Synccard settings"
                                       << "Channel | Delay [ms] | Active during idle"
                                       << "ch02 ";
}

// Every "|" of a table's header has a "|" under it in the rows, also for
// values longer than their column and for the tenth entry of a list.
void TestReportSections::tableColumnsAlign()
{
    QFETCH(QStringList, controls);
    QFETCH(QString, heading);
    QFETCH(QString, header);
    QFETCH(QString, rowStart);
    const ReportRun run = runReport(QStringLiteral("demo"), controls, {}, heading);
    QVERIFY2(run.error.isEmpty(), qPrintable(run.error));
    const int at = run.lines.indexOf(header);
    QVERIFY2(at >= 0, qPrintable(header));
    int row = at + 2;
    while (row < run.lines.size() && !run.lines.at(row).startsWith(rowStart))
        ++row;
    QVERIFY2(row < run.lines.size(), qPrintable(rowStart));
    const QString line = run.lines.at(row);
    for (int i = header.indexOf(QLatin1Char('|')); i >= 0;
         i = header.indexOf(QLatin1Char('|'), i + 1))
        QVERIFY2(line.mid(i, 1) == QLatin1String("|"), qPrintable(line));
}

QTEST_MAIN(TestReportSections)
#include "tst_reportsections.moc"
