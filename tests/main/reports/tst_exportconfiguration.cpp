// The configuration report as written for a simulated controller: whole
// reports per installation against reviewed expected texts, the error texts
// of failing queries, hostile controller values and write failures.

#include <QHostInfo>
#include <QtTest>

#include <csignal>
#include <memory>

#include <sys/resource.h>

#include "ModuleVersionText.h"
#include "ReportTestSupport.h"

namespace {

// The report's sections up to here come from this part of the program; the
// rest is compared elsewhere.
const QString FirstCameraSection = QStringLiteral("[Camera settings]");

const QString FrontendVersionText =
    composeModuleVersionText(QStringLiteral("3.3.1 (test build)"),
                             {{QStringLiteral("roomcal"), QStringLiteral("1.4.0")},
                              {QStringLiteral("Monitor2D"), QStringLiteral("2.0.1 beta")},
                              {QStringLiteral("bodycal"), QStringLiteral("1.10")}});

// Lowers the largest file this process may write, so that writes fail part
// way through as on a full disk.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        if (bytes == 0)
            return;
        std::signal(SIGXFSZ, SIG_IGN);
        m_active = getrlimit(RLIMIT_FSIZE, &m_old) == 0;
        const rlimit limit{bytes, m_old.rlim_max};
        m_active = m_active && setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
    ~FileSizeLimit()
    {
        if (m_active)
            setrlimit(RLIMIT_FSIZE, &m_old);
    }

private:
    rlimit m_old{};
    bool m_active = false;
};

}  // namespace

class TestExportConfiguration : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void reportOfEachInstallation_data();
    void reportOfEachInstallation();
    void failedQueriesShowTheirErrorText_data();
    void failedQueriesShowTheirErrorText();
    void controllerValuesAppearVerbatim_data();
    void controllerValuesAppearVerbatim();
    void writeFailuresAreReported_data();
    void writeFailuresAreReported();
    void unansweredQueriesMakeItIncomplete_data();
    void unansweredQueriesMakeItIncomplete();
    void frontendModuleLines_data();
    void frontendModuleLines();
    void frontendHostNetwork();

private:
    bool startSim(const QString& profile, const QStringList& control = {});
    QStringList runReport(int* result = nullptr);

    std::unique_ptr<QTemporaryDir> m_dir;
    SimulatedController m_controller;
    RecordingBoxes m_boxes;
    int m_nextAddress = 1;
    QString m_address;
};

void TestExportConfiguration::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    m_boxes.reset();
}

void TestExportConfiguration::cleanup()
{
    m_controller.stop();
    m_dir->setAutoRemove(!QTest::currentTestFailed());
}

bool TestExportConfiguration::startSim(const QString& profile, const QStringList& control)
{
    // A fresh address per controller: a closed listener's port may linger.
    m_address = QStringLiteral("127.0.12.%1").arg(m_nextAddress++);
    const QString error = m_controller.start(m_address, profile, control);
    if (!error.isEmpty())
        qWarning() << "simulator:" << error;
    return error.isEmpty();
}

QStringList TestExportConfiguration::runReport(int* result)
{
    ExportConfiguration report(m_controller.io(), nullptr, m_controller.versions());
    report.setMessageBoxProvider(&m_boxes);
    report.setVersionFeAndModules(FrontendVersionText);
    report.setLastFeUpdatDate(QDateTime(QDate(2026, 3, 4), QTime(5, 6, 7)));
    const QString path = m_dir->filePath(QStringLiteral("report.txt"));
    const int rc = report.exportConfigurations(path, false, true);
    if (result)
        *result = rc;
    return readLines(path);
}

void TestExportConfiguration::reportOfEachInstallation_data()
{
    QTest::addColumn<QString>("profile");
    QTest::addColumn<QStringList>("control");
    for (const char* p :
         {"demo", "old", "model2", "model21", "cascade", "slave", "large", "classic"})
        QTest::newRow(p) << QString::fromLatin1(p) << QStringList();
    // Controllers between the version thresholds of the sections.
    for (const char* v : {"0.9", "0.14", "1.11", "1.22"})
        QTest::newRow(qPrintable(QStringLiteral("demo-v%1").arg(QLatin1String(v))))
            << QStringLiteral("demo")
            << QStringList{QStringLiteral("set system protocol_version = v") + QLatin1String(v)};
    QTest::newRow("model2-v1.20") << QStringLiteral("model2")
                                  << QStringList{"set system protocol_version = v1.20"};
}

void TestExportConfiguration::reportOfEachInstallation()
{
    QFETCH(QString, profile);
    QFETCH(QStringList, control);
    QVERIFY(startSim(profile, control));
    int rc = 1;
    const QStringList actual = normalisedReport(reportUpTo(runReport(&rc), FirstCameraSection));
    QCOMPARE(rc, int(ExportConfiguration::ResultOk));

    const QString name = QString::fromLatin1(QTest::currentDataTag());
    const QString goldenPath = QStringLiteral(REPORT_GOLDEN_DIR "/%1.txt").arg(name);
    QStringList expected = readLines(goldenPath);
    // The simulator puts its own address into some values.
    expected.replaceInStrings(QStringLiteral("<address>"), m_address);
    if (actual != expected) {
        const QString out = QDir::temp().filePath(name + QStringLiteral(".actual.txt"));
        QFile f(out);
        if (f.open(QIODevice::WriteOnly))
            f.write(QStringList(actual)
                        .replaceInStrings(m_address, QStringLiteral("<address>"))
                        .join(QLatin1Char('\n'))
                        .toUtf8() +
                    "\n");
        for (int i = 0; i < qMax(actual.size(), expected.size()); ++i)
            QCOMPARE(actual.value(i, QStringLiteral("<missing>")),
                     expected.value(i, QStringLiteral("<missing>")));
    }
    QVERIFY(m_boxes.boxes().isEmpty());
}

void TestExportConfiguration::failedQueriesShowTheirErrorText_data()
{
    QTest::addColumn<QString>("profile");
    QTest::addColumn<QStringList>("control");
    QTest::addColumn<QStringList>("present");
    QTest::addColumn<QStringList>("absent");

    QTest::newRow("host name") << "demo" << QStringList{"error system hostname"}
                               << QStringList{"Controller      : Error, S/N 21407, v2.9.4",
                                              "Hostname   : Error -32"}
                               << QStringList{};
    QTest::newRow("camera count") << "demo" << QStringList{"error camera number_of_cameras"}
                                  << QStringList{"Number of cameras: Error -32"} << QStringList{};
    QTest::newRow("single versions")
        << "demo" << QStringList{"error system single_version t02"}
        << QStringList{"Get single version 2: Error -32"} << QStringList{"camd  v2.9.1"};
    QTest::newRow("single version count")
        << "demo" << QStringList{"error system number_of_single_versions"}
        << QStringList{"Number of single versions: Error -32"} << QStringList{"trackd v2.9.4"};
    QTest::newRow("configuration owner")
        << "demo" << QStringList{"error config owner_of_config cfg_cave"}
        << QStringList{"number of configurations: 2"}
        << QStringList{"CAVE, five walls              | vr-lab              | yes       "};
    QTest::newRow("active configuration")
        << "demo" << QStringList{"error config desc", "error config is_changeable"}
        << QStringList{"Configuration description  : unknown",
                       "Configuration is changeable: unknown"}
        << QStringList{};
    QTest::newRow("hardware") << "demo"
                              << QStringList{"error system extra motherboard",
                                             "error system extra hardware h2"}
                              << QStringList{"Motherboard                   | <ERROR>", "Error -32"}
                              << QStringList{"CPU cores                     | 4"};
    QTest::newRow("hardware count")
        << "demo" << QStringList{"error system extra number_of_hardware"}
        << QStringList{"Number of hardware: Error -32"}
        << QStringList{"CPU cores                     | 4"};
    QTest::newRow("cpu temperature") << "demo" << QStringList{"error system temperature_cpu"}
                                     << QStringList{"CPU temperature: Error: -32"} << QStringList{};
    QTest::newRow("calibration summary")
        << "demo" << QStringList{"error roomcal last_date", "error tracking reference"}
        << QStringList{"Calibration     : normal mode; error", "Reference target: NONE"}
        << QStringList{};
    QTest::newRow("body count") << "demo" << QStringList{"error body number_of_bodies wavewand"}
                                << QStringList{"Error: Cannot get number of wavewand bodies"}
                                << QStringList{};
    QTest::newRow("slave count") << "cascade"
                                 << QStringList{"error cascade number_of_connected_slaves"}
                                 << QStringList{"Number of connected slaves   : Error -32"}
                                 << QStringList{"Slave 1:"};
    QTest::newRow("slave address")
        << "cascade" << QStringList{"error cascade connected_slave d01"}
        << QStringList{"IP address      : Error -32", "Slave 2:"} << QStringList{};
    QTest::newRow("sync mode text")
        << "demo"
        << QStringList{"set synccard active_mode = int120", "error synccard mode_desc int120"}
        << QStringList{"Sync            : Error"} << QStringList{};
    QTest::newRow("sync external")
        << "demo"
        << QStringList{"set synccard source d01 = ttl", "error synccard external_divisor d01"}
        << QStringList{"Sync            : direct settings; external ttl signal; divisor for "
                       "external signal = 1"}
        << QStringList{};
    QTest::newRow("sync internal")
        << "demo" << QStringList{"error synccard internal_frequency d01"}
        << QStringList{"Sync            : direct settings; internal generated signal with 0.0 "
                       "[Hz] "}
        << QStringList{};
    QTest::newRow("sync count") << "demo" << QStringList{"error synccard number_of_synccards"}
                                << QStringList{"Sync            : not available"} << QStringList{};
    QTest::newRow("unparsed ntp status")
        << "demo" << QStringList{"raw system ntp_status | orvane2 set system ntp_status step 3 x"}
        << QStringList{"NTP active: step 3 x"} << QStringList{"NTP active : yes"};
    QTest::newRow("dhcp")
        << "demo" << QStringList{"set system net = dhcp"}
        << QStringList{"Network         : DHCP, currently using <address> / 255.0.0.0 gateway "
                       "127.0.0.1",
                       "DHCP client: yes"}
        << QStringList{"IP address : <address>"};
    QTest::newRow("dhcp without address")
        << "demo" << QStringList{"set system net = dhcp", "set system ethernet_ip = none"}
        << QStringList{"Network         : DHCP"} << QStringList{};
    QTest::newRow("no network") << "demo" << QStringList{"set system net = none"}
                                << QStringList{"Network         :", "DHCP client: no"}
                                << QStringList{"IP address : <address>"};
    QTest::newRow("poses that do not parse")
        << "demo"
        << QStringList{"set tracking room c01 = 100 200 x 1 0 0 0 1 0 0 0 1",
                       "set tracking room c02 = 1 2 3 4 5 6",
                       "set tracking room c03 = 1 2 3 1 0 0 0 1 0 0 0 y"}
        << QStringList{"01 |       ORCAM-5 |  10231 |       8.0 |      6 |       0.0         0.0  "
                       "       0.0 |      180.0         0.0         0.0",
                       "02 |       ORCAM-5 |  10232 |       8.0 |      6 |       0.0         0.0  "
                       "       0.0 |        0.0         0.0         0.0",
                       "03 |  ORCAM-5 wide |  10233 |       4.5 |      7 |       1.0         2.0  "
                       "       3.0 |      180.0        90.0         0.0"}
        << QStringList{};
}

void TestExportConfiguration::failedQueriesShowTheirErrorText()
{
    QFETCH(QString, profile);
    QFETCH(QStringList, control);
    QFETCH(QStringList, present);
    QFETCH(QStringList, absent);
    QVERIFY(startSim(profile, control));
    const QStringList lines = runReport();
    for (QString line : present) {
        line.replace(QStringLiteral("<address>"), m_address);
        QVERIFY2(lines.contains(line), qPrintable(line));
    }
    for (QString line : absent) {
        line.replace(QStringLiteral("<address>"), m_address);
        QVERIFY2(!lines.contains(line), qPrintable(line));
    }
    QVERIFY(m_boxes.boxes().isEmpty());
}

void TestExportConfiguration::controllerValuesAppearVerbatim_data()
{
    QTest::addColumn<QString>("parameter");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("placeholders") << "system hostname"
                                  << "tb%1-%2%L1 100%"
                                  << QStringList{
                                         "Controller      : tb%1-%2%L1 100%, S/N 21407, v2.9.4",
                                         "Hostname   : tb%1-%2%L1 100%"};
    QTest::newRow("placeholder before a later value")
        << "roomcal coordinate_type"
        << "%2%1" << QStringList{"Calibration     : %2%1 mode; 2026-11-30T14:12:05"};
    QTest::newRow("line breaks") << "system domainname"
                                 << "lab\r\nexample\rnet\nend"
                                 << QStringList{"Domain     : lab example net end"};
    QTest::newRow("quoted text") << "system domainname"
                                 << "\"lab \"x\" example\""
                                 << QStringList{"Domain     : lab x example"};
    QTest::newRow("quotes inside a text")
        << "system ntp_server"
        << "ntp \"a\" 'b'" << QStringList{"NTP server : ntp \"a\" 'b'"};
    // The whole answer "orvane2 set system nameserver " + value fills 200 bytes.
    const QString longText = QString(QStringLiteral("x")).repeated(200 - 30);
    QTest::newRow("longest answer") << "system nameserver" << longText
                                    << QStringList{QStringLiteral("Nameserver : ") + longText};
}

void TestExportConfiguration::controllerValuesAppearVerbatim()
{
    QFETCH(QString, parameter);
    QFETCH(QString, value);
    QFETCH(QStringList, expected);
    QVERIFY(startSim(QStringLiteral("demo")));
    // Raw answers reach the report exactly as a controller would send them.
    QCOMPARE(m_controller.sim->control(QStringLiteral("raw ") + parameter +
                                       QStringLiteral(" | orvane2 set ") + parameter +
                                       QLatin1Char(' ') + value),
             QStringLiteral("ok"));
    const QStringList lines = runReport();
    for (const QString& line : expected)
        QVERIFY2(lines.contains(line), qPrintable(line));
    // Every line of the report is still a line: no break inside a value.
    QCOMPARE(lines.filter(QStringLiteral("\r")), QStringList());
    QVERIFY(lines.contains(QStringLiteral("[Cascaded System]")));
}

void TestExportConfiguration::unansweredQueriesMakeItIncomplete_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("errorText");
    QTest::addColumn<int>("result");

    // An error answer is the controller's word and leaves the report whole.
    QTest::newRow("error answer") << "error system hostname"
                                  << "Error -32" << int(ExportConfiguration::ResultOk);
    QTest::newRow("no answer") << "drop 1"
                               << "Error" << int(ExportConfiguration::ResultIncomplete);
}

// A report with holes where the controller gave no answer says so, at its end
// and in the result, rather than "successfully written".
void TestExportConfiguration::unansweredQueriesMakeItIncomplete()
{
    QFETCH(QString, fault);
    QFETCH(QString, errorText);
    QFETCH(int, result);
    QVERIFY(startSim(QStringLiteral("demo")));
    QCOMPARE(m_controller.sim->control(fault), QStringLiteral("ok"));
    int rc = 0;
    const QStringList lines = runReport(&rc);
    QCOMPARE(rc, result);
    QVERIFY(!lines.filter(errorText).isEmpty());
    const QStringList summary = lines.filter(QRegularExpression("^Incomplete: "));
    if (result == ExportConfiguration::ResultOk) {
        QCOMPARE(summary, QStringList());
        return;
    }
    QCOMPARE(summary.size(), 1);
    QVERIFY2(summary.first().contains(QRegularExpression(
                 "^Incomplete: the controller did not answer [1-9]\\d* queries")),
             qPrintable(summary.first()));
}

void TestExportConfiguration::writeFailuresAreReported_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<bool>("showMessage");
    QTest::addColumn<int>("result");
    QTest::addColumn<QString>("boxText");
    QTest::addColumn<int>("sizeLimit");

    QTest::newRow("missing folder")
        << "missing/report.txt" << false << int(ExportConfiguration::ResultNotWritable)
        << "You don't have the rights to write to this location.\n Please choose another "
           "location."
        << 0;
    QTest::newRow("disk full, quiet")
        << "full.txt" << false << int(ExportConfiguration::ResultLinesLost) << QString() << 1000;
    QTest::newRow("disk full, with message")
        << "full.txt" << true << int(ExportConfiguration::ResultLinesLost)
        << "lines could not be written to the file\n<dir>/full.txt" << 1000;
    QTest::newRow("success message")
        << "ok.txt" << true << int(ExportConfiguration::ResultOk)
        << "Informations successfully written to the file\n<dir>/ok.txt" << 0;
    QTest::newRow("no file name") << "" << true << int(ExportConfiguration::ResultNoFileName)
                                  << QString() << 0;
}

void TestExportConfiguration::writeFailuresAreReported()
{
    QFETCH(QString, target);
    QFETCH(bool, showMessage);
    QFETCH(int, result);
    QFETCH(QString, boxText);
    QFETCH(int, sizeLimit);
    QVERIFY(startSim(QStringLiteral("old")));
    ExportConfiguration report(m_controller.io(), nullptr, m_controller.versions());
    report.setMessageBoxProvider(&m_boxes);
    const QString path = target.isEmpty() ? target : m_dir->filePath(target);
    {
        const FileSizeLimit limit{rlim_t(sizeLimit)};
        QCOMPARE(report.exportConfigurations(path, showMessage, true), result);
    }
    if (sizeLimit > 0) {
        // What did fit is made of whole lines only.
        QFile written(path);
        QVERIFY(written.open(QIODevice::ReadOnly));
        const QByteArray bytes = written.readAll();
        QVERIFY(bytes.size() > 0 && bytes.size() <= sizeLimit);
        QVERIFY(bytes.endsWith('\n'));
    }
    if (boxText.isEmpty()) {
        QCOMPARE(m_boxes.boxes().size(), 0);
        return;
    }
    QCOMPARE(m_boxes.boxes().size(), 1);
    QCOMPARE(m_boxes.boxes().first().title, QStringLiteral("Log Settings"));
    QVERIFY2(m_boxes.boxes().first().text.contains(
                 QString(boxText).replace(QStringLiteral("<dir>"), m_dir->path())),
             qPrintable(m_boxes.boxes().first().text));
    if (result == ExportConfiguration::ResultNotWritable)
        QVERIFY(!QFile::exists(path));
}

void TestExportConfiguration::frontendModuleLines_data()
{
    QTest::addColumn<QString>("versionText");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("no modules") << "3.3.1"
                                << QStringList{"ORVANE3 Frontend        : 3.3.1",
                                               "[Frontend modules (loaded)]", ""};
    QTest::newRow("no modules loaded")
        << composeModuleVersionText("3.3.1", {})
        << QStringList{"ORVANE3 Frontend        : 3.3.1", "[Frontend modules (loaded)]", ""};
    QTest::newRow("sorted and aligned") << "3.3.1 build|zeta;1.0|Alpha;2.0 beta|mid;0.1;x|"
                                        << QStringList{"ORVANE3 Frontend        : 3.3.1 build",
                                                       "[Frontend modules (loaded)]",
                                                       "Alpha 2.0 beta",
                                                       "mid   0.1;x",
                                                       "zeta  1.0",
                                                       ""};
    QTest::newRow("separators inside module records")
        << composeModuleVersionText("3.3.1", {{"b|x;y", "1|2"}, {"a", "2;0"}})
        << QStringList{"ORVANE3 Frontend        : 3.3.1", "[Frontend modules (loaded)]",
                       "a     2;0", "b/x,y 1/2", ""};
    QTest::newRow("placeholders in names")
        << "%1|%2;%1"
        << QStringList{"ORVANE3 Frontend        : %1", "[Frontend modules (loaded)]", "%2 %1", ""};
}

void TestExportConfiguration::frontendModuleLines()
{
    QFETCH(QString, versionText);
    QFETCH(QStringList, expected);
    QVERIFY(startSim(QStringLiteral("old")));
    ExportConfiguration report(m_controller.io(), nullptr, m_controller.versions());
    report.setVersionFeAndModules(versionText);
    const QString path = m_dir->filePath(QStringLiteral("modules.txt"));
    QCOMPARE(report.exportConfigurations(path, false, true), 0);
    const QStringList lines = readLines(path);
    const int at = lines.indexOf(QStringLiteral("[Frontend modules (loaded)]"));
    QVERIFY(at > 0);
    QVERIFY(lines.contains(expected.first()));
    QCOMPARE(lines.mid(at, expected.size() - 1), expected.mid(1));
}

void TestExportConfiguration::frontendHostNetwork()
{
    QVERIFY(startSim(QStringLiteral("old")));
    const QStringList lines = runReport();
    const int at = lines.indexOf(QStringLiteral("[Network informations]"));
    QVERIFY(at > 0);
    QCOMPARE(lines.at(at + 2), QStringLiteral("Local hostname: ") + QHostInfo::localHostName());
    QCOMPARE(lines.at(at + 3), QString());
    // Every host has its loop-back interface, whatever else it has.
    const int lo = lines.indexOf(QStringLiteral("lo"), at);
    QVERIFY(lo > at);
    QCOMPARE(lines.at(lo + 1),
             QStringLiteral("    IPv4 address: ") +
                 QStringLiteral("127.0.0.1").rightJustified(45, QLatin1Char('.')));
    QCOMPARE(lines.at(lo + 2),
             QStringLiteral("    Subnet mask : ") +
                 QStringLiteral("255.0.0.0").rightJustified(45, QLatin1Char('.')));
}

QTEST_MAIN(TestExportConfiguration)
#include "tst_exportconfiguration.moc"
