// The preferences file as the program reads and writes it, in a temporary home.

#include "MessageBoxes.h"
#include "PreferencesProbe.h"
#include "RecordingBoxes.h"
#include "ShellTestHome.h"

#include <QDomDocument>
#include <QFileInfo>
#include <QRegularExpression>
#include <QtTest>

#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>

namespace {

const QString kLoadTitle = "Error loading preferences";
const QString kWriteTitle = "Error writing preferences";

QByteArray document(const QByteArray& body)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<ORVANE>\n" + body + "</ORVANE>\n";
}

int fileMode(const QString& path)
{
    struct stat st;
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? int(st.st_mode & 0777) : -1;
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The file as written with every optional element present.
const QByteArray kFullFile =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<ORVANE>\n"
    "    <LAST_TRACKBOX IP=\"127.0.5.7\" HOSTNAME=\"zec-12345678\" MAC=\"11:22:33:44:55:66\" "
    "MODEL=\"21\"/>\n"
    "    <TRACKBOX_SELECTION>\n"
    "        <FIX_HOSTNAME_OR_IP>zec-fix</FIX_HOSTNAME_OR_IP>\n"
    "        <FIX_SUBNET>198.51.100.0</FIX_SUBNET>\n"
    "        <NET_RANGE>specific_zec</NET_RANGE>\n"
    "        <!-- possible values for NET_RANGE: scan, specific_zec -->\n"
    "        <CASCADED_SYSTEM>true</CASCADED_SYSTEM>\n"
    "    </TRACKBOX_SELECTION>\n"
    "    <LAST_FRONTEND_UPDATE UPDATE_DATE=\"2026-03-04T05:06:07\"/>\n"
    "    <CAMERA_SETTINGS>\n"
    "        <SHOW_DYNAMIC_REFLEX_SUPPRESSION>true</SHOW_DYNAMIC_REFLEX_SUPPRESSION>\n"
    "    </CAMERA_SETTINGS>\n"
    "    <MENUE>\n"
    "        <SHOW_SERVICE>true</SHOW_SERVICE>\n"
    "        <IS_DARK_THEME>false</IS_DARK_THEME>\n"
    "    </MENUE>\n"
    "    <LOG_FILE>\n"
    "        <ENABLED>true</ENABLED>\n"
    "        <NAME>cmds.txt</NAME>\n"
    "        <!--File name without path!-->\n"
    "        <RESPONSE_PREFIX>RSP: </RESPONSE_PREFIX>\n"
    "    </LOG_FILE>\n"
    "    <MISC>\n"
    "        <AUTO_BACKUP>false</AUTO_BACKUP>\n"
    "        <NOTIFY_OLD_FRONTEND_OR_BACKEND>false</NOTIFY_OLD_FRONTEND_OR_BACKEND>\n"
    "        <EXTERNAL_COMMAND_TIMEOUT_MS>2500</EXTERNAL_COMMAND_TIMEOUT_MS>\n"
    "        <FRONTEND_PASSWORD>p&amp;ss-w\xc3\xb6rd</FRONTEND_PASSWORD>\n"
    "    </MISC>\n"
    "</ORVANE>\n";

void setEveryField(PreferencesProbe& w)
{
    w.lastController.ip = "127.0.5.7";
    w.lastController.hostname = "zec-12345678";
    w.lastController.mac = "11:22:33:44:55:66";
    w.lastController.model = "21";
    w.sFixHostnameOrIp = "zec-fix";
    w.sFixSubnet = "198.51.100.0";
    w.nTrackBoxSelection = 1;
    w.m_bIsCascade = true;
    w.m_lastFeUpdateDate = QDateTime(QDate(2026, 3, 4), QTime(5, 6, 7));
    w.m_bShowDynReflexSuppr = true;
    w.m_bShowServiceMenue = true;
    w.m_bIsDarkTheme = false;
    w.m_bWriteLogFile = true;
    w.m_sCommandHistoryLogFileName = "cmds.txt";
    w.m_sResponsePrefix = "RSP: ";
    w.m_bAutoBackup = false;
    w.m_bCheckForOldFrontendOrBackend = false;
    w.external_cmd_timeout = 2500000;
    w.m_frontendPassword = QString("p&ss-w\u00f6rd").toUtf8();
}

// Compares every setting the file carries.
void compareSettings(const PreferencesProbe& a, const PreferencesProbe& b)
{
    QCOMPARE(a.lastController.ip, b.lastController.ip);
    QCOMPARE(a.lastController.hostname, b.lastController.hostname);
    QCOMPARE(a.lastController.mac, b.lastController.mac);
    QCOMPARE(a.lastController.model, b.lastController.model);
    QVERIFY(a.lastController == b.lastController);
    QCOMPARE(a.sFixHostnameOrIp, b.sFixHostnameOrIp);
    QCOMPARE(a.sFixSubnet, b.sFixSubnet);
    QCOMPARE(a.nTrackBoxSelection, b.nTrackBoxSelection);
    QCOMPARE(a.m_bIsCascade, b.m_bIsCascade);
    QCOMPARE(a.m_lastFeUpdateDate, b.m_lastFeUpdateDate);
    QCOMPARE(a.m_bShowDynReflexSuppr, b.m_bShowDynReflexSuppr);
    QCOMPARE(a.m_bShowServiceMenue, b.m_bShowServiceMenue);
    QCOMPARE(a.m_bIsDarkTheme, b.m_bIsDarkTheme);
    QCOMPARE(a.m_bWriteLogFile, b.m_bWriteLogFile);
    QCOMPARE(a.m_sCommandHistoryLogFileName, b.m_sCommandHistoryLogFileName);
    QCOMPARE(a.m_sResponsePrefix, b.m_sResponsePrefix);
    QCOMPARE(a.m_bAutoBackup, b.m_bAutoBackup);
    QCOMPARE(a.m_bCheckForOldFrontendOrBackend, b.m_bCheckForOldFrontendOrBackend);
    QCOMPARE(a.external_cmd_timeout, b.external_cmd_timeout);
    QCOMPARE(a.m_frontendPassword, b.m_frontendPassword);
}

void verifyBuiltInValues(const PreferencesProbe& w)
{
    QVERIFY(w.lastController.ip.isEmpty());
    QVERIFY(w.lastController.hostname.isEmpty());
    QVERIFY(w.lastController.mac.isEmpty());
    QVERIFY(w.lastController.model.isEmpty());
    QVERIFY(w.sFixHostnameOrIp.isEmpty());
    QVERIFY(w.sFixSubnet.isEmpty());
    QVERIFY(w.sTrackBoxSelection.isEmpty());
    QCOMPARE(w.nTrackBoxSelection, 1);
    QCOMPARE(w.m_bIsCascade, false);
    QVERIFY(!w.m_lastFeUpdateDate.isValid());
    QCOMPARE(w.m_bShowDynReflexSuppr, false);
    QCOMPARE(w.m_bShowServiceMenue, false);
    QCOMPARE(w.m_bIsDarkTheme, true);
    QCOMPARE(w.m_bWriteLogFile, false);
    QVERIFY(w.m_sCommandHistoryLogFileName.isEmpty());
    QVERIFY(w.m_sResponsePrefix.isEmpty());
    QCOMPARE(w.m_bAutoBackup, true);
    QCOMPARE(w.m_bCheckForOldFrontendOrBackend, true);
    QCOMPARE(w.external_cmd_timeout, 2000000);
    QVERIFY(w.m_frontendPassword.isEmpty());
}

QStringList childTags(const QDomElement& parent)
{
    QStringList tags;
    for (QDomElement e = parent.firstChildElement(); !e.isNull(); e = e.nextSiblingElement())
        tags << e.tagName();
    return tags;
}

}  // namespace

class TestPreferences : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_home = std::make_unique<ShellTestHome>(); }
    void cleanup()
    {
        m_home.reset();
        QVERIFY2(m_boxes.unsettled().isEmpty(), qPrintable(m_boxes.unsettled()));
        m_boxes.reset();
    }

    void pathsLieUnderHomeWithVersion();
    void writesDocumentLayout();
    void roundTripsEveryField();
    void leavesOutConditionalElements();
    void stampsMissingUpdateDate();
    void ignoresOrderCommentsAndUnknownEntries();
    void comparesValuesExactly_data();
    void comparesValuesExactly();
    void convertsExternalCommandTimeout_data();
    void convertsExternalCommandTimeout();
    void writesTimeoutInMilliseconds();
    void emptyRootGivesBuiltInValues();
    void missingFilesWarnAndUseBuiltInValues();
    void readsInstalledDefaultFile();
    void unparsableFileWarnsAndIsKept_data();
    void unparsableFileWarnsAndIsKept();
    void unopenableFileWarns();
    void writeWarnsWhenDirectoryCannotBeCreated();
    void writeWarnsWhenFileCannotBeOpened();
    void failedWriteKeepsPreviousFile();
    void dropsCharactersXmlCannotHold();
    void fileIsReadableByOwnerOnly();

private:
    std::unique_ptr<ShellTestHome> m_home;
    // Every box of this test program is answered here; none may come unannounced.
    RecordingBoxes m_boxes;
    MessageBoxes::ScopedProvider m_installBoxes{&m_boxes};
};

void TestPreferences::pathsLieUnderHomeWithVersion()
{
    m_home->writePreferences(document(""));
    PreferencesProbe w("");
    const QString base = m_home->path() + "/.QOR/ORVANE3/v" + FrontendInfo::versionNumber();
    QCOMPARE(w.m_sConfigDir, base + "/config");
    QCOMPARE(w.m_sLayoutDir, base + "/config");
    QCOMPARE(w.m_sConfigFileName, base + "/config/current-preferences.xml");
    QCOMPARE(w.m_sEventLogDir, base + "/logs");
    QCOMPARE(w.m_defaultConfigDir, QCoreApplication::applicationDirPath() + "/config");
}

void TestPreferences::writesDocumentLayout()
{
    m_home->writePreferences(document(""));
    PreferencesProbe w("");
    setEveryField(w);
    w.writeXMLSettings();
    QCOMPARE(m_boxes.boxes().size(), 0);
    QCOMPARE(QString::fromUtf8(m_home->readPreferences()), QString::fromUtf8(kFullFile));
}

void TestPreferences::roundTripsEveryField()
{
    m_home->writePreferences(document(""));
    PreferencesProbe written("");
    setEveryField(written);
    written.writeXMLSettings();

    PreferencesProbe read("");
    QCOMPARE(m_boxes.boxes().size(), 0);
    compareSettings(read, written);
    QCOMPARE(read.sTrackBoxSelection, QString("specific_zec"));

    // And the other value of each switch.
    read.nTrackBoxSelection = 0;
    read.m_bIsCascade = false;
    read.m_bShowDynReflexSuppr = false;
    read.m_bShowServiceMenue = false;
    read.m_bIsDarkTheme = true;
    read.m_bWriteLogFile = false;
    read.m_bAutoBackup = true;
    read.m_bCheckForOldFrontendOrBackend = true;
    read.external_cmd_timeout = 1000;
    read.writeXMLSettings();
    PreferencesProbe again("");
    compareSettings(again, read);
    QCOMPARE(again.sTrackBoxSelection, QString("scan"));
}

void TestPreferences::leavesOutConditionalElements()
{
    m_home->writePreferences(document(""));
    PreferencesProbe w("");
    setEveryField(w);
    w.m_sCommandHistoryLogFileName.clear();
    w.m_bCheckForOldFrontendOrBackend = true;
    w.external_cmd_timeout = 2000000;
    w.m_frontendPassword.clear();
    w.writeXMLSettings();

    QDomDocument doc;
    QVERIFY(doc.setContent(m_home->readPreferences()));
    const QDomElement root = doc.documentElement();
    QCOMPARE(childTags(root),
             (QStringList{"LAST_TRACKBOX", "TRACKBOX_SELECTION", "LAST_FRONTEND_UPDATE",
                          "CAMERA_SETTINGS", "MENUE", "MISC"}));
    QCOMPARE(childTags(root.firstChildElement("MISC")), QStringList{"AUTO_BACKUP"});

    // Without a log file name the log settings are not kept.
    PreferencesProbe read("");
    QCOMPARE(read.m_bWriteLogFile, false);
    QVERIFY(read.m_sResponsePrefix.isEmpty());
}

void TestPreferences::stampsMissingUpdateDate()
{
    m_home->writePreferences(document("    <MENUE/>\n"));
    PreferencesProbe w("");
    QVERIFY(!w.m_lastFeUpdateDate.isValid());

    const QDateTime before = QDateTime::currentDateTime().addSecs(-1);
    w.writeXMLSettings();
    const QDateTime after = QDateTime::currentDateTime().addSecs(1);
    QVERIFY(w.m_lastFeUpdateDate >= before && w.m_lastFeUpdateDate <= after);

    QDomDocument doc;
    QVERIFY(doc.setContent(m_home->readPreferences()));
    const QString stamp =
        doc.documentElement().firstChildElement("LAST_FRONTEND_UPDATE").attribute("UPDATE_DATE");
    QCOMPARE(stamp, w.m_lastFeUpdateDate.toString("yyyy-MM-ddThh:mm:ss"));

    // The stamp is kept: the next write does not move it.
    w.writeXMLSettings();
    PreferencesProbe read("");
    QCOMPARE(read.m_lastFeUpdateDate.toString("yyyy-MM-ddThh:mm:ss"), stamp);
}

void TestPreferences::ignoresOrderCommentsAndUnknownEntries()
{
    m_home->writePreferences(document(
        "    <!-- edited by hand -->\n"
        "    <MISC>\n"
        "        <FRONTEND_PASSWORD>secret</FRONTEND_PASSWORD>\n"
        "        <EXTERNAL_COMMAND_TIMEOUT_MS>4000</EXTERNAL_COMMAND_TIMEOUT_MS>\n"
        "        <UNKNOWN>1</UNKNOWN>\n"
        "        <AUTO_BACKUP>false</AUTO_BACKUP>\n"
        "    </MISC>\n"
        "    <ACCESSED_TRACKBOX>\n"
        "        <TRACKBOX>zec-old</TRACKBOX>\n"
        "    </ACCESSED_TRACKBOX>\n"
        "    <LAST_FRONTEND_UPDATE UPDATE_DATE=\"2025-12-31T23:59:58\"/>\n"
        "    <MENUE><IS_DARK_THEME>false</IS_DARK_THEME><!-- x "
        "--><SHOW_SERVICE>true</SHOW_SERVICE></MENUE>\n"
        "    <LOG_FILE><RESPONSE_PREFIX>R</RESPONSE_PREFIX><NAME>log.txt</NAME>"
        "<ENABLED>true</ENABLED></LOG_FILE>\n"
        "    <TRACKBOX_SELECTION>\n"
        "        <CASCADED_SYSTEM>true</CASCADED_SYSTEM>\n"
        "        <NET_RANGE>scan</NET_RANGE>\n"
        "        <FIX_SUBNET>203.0.113.0</FIX_SUBNET>\n"
        "    </TRACKBOX_SELECTION>\n"
        "    <LAST_TRACKBOX MODEL=\"2\" MAC=\"AA:BB:CC:DD:EE:FF\" HOSTNAME=\"zec-1\" "
        "IP=\"127.0.5.9\"/>\n"
        "    "
        "<CAMERA_SETTINGS><SHOW_DYNAMIC_REFLEX_SUPPRESSION>true</SHOW_DYNAMIC_REFLEX_SUPPRESSION>"
        "</CAMERA_SETTINGS>\n"));
    PreferencesProbe w("");
    QCOMPARE(m_boxes.boxes().size(), 0);

    QCOMPARE(w.lastController.ip, QString("127.0.5.9"));
    QCOMPARE(w.lastController.hostname, QString("zec-1"));
    QCOMPARE(w.lastController.mac, QString("AA:BB:CC:DD:EE:FF"));
    QCOMPARE(w.lastController.model, QString("2"));
    QCOMPARE(w.sFixSubnet, QString("203.0.113.0"));
    QVERIFY(w.sFixHostnameOrIp.isEmpty());
    QCOMPARE(w.nTrackBoxSelection, 0);
    QCOMPARE(w.m_bIsCascade, true);
    QCOMPARE(w.m_lastFeUpdateDate, QDateTime(QDate(2025, 12, 31), QTime(23, 59, 58)));
    QCOMPARE(w.m_bShowDynReflexSuppr, true);
    QCOMPARE(w.m_bShowServiceMenue, true);
    QCOMPARE(w.m_bIsDarkTheme, false);
    QCOMPARE(w.m_bWriteLogFile, true);
    QCOMPARE(w.m_sCommandHistoryLogFileName, QString("log.txt"));
    QCOMPARE(w.m_sResponsePrefix, QString("R"));
    QCOMPARE(w.m_bAutoBackup, false);
    QCOMPARE(w.m_bCheckForOldFrontendOrBackend, true);
    QCOMPARE(w.external_cmd_timeout, 4000000);
    QCOMPARE(w.m_frontendPassword, QByteArray("secret"));
    // The host name given on the command line defaults to the stored one.
    QCOMPARE(w.m_sDirectStart_hostname, QString("zec-1"));
}

void TestPreferences::comparesValuesExactly_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<bool>("darkTheme");
    QTest::addColumn<int>("selection");
    QTest::addColumn<bool>("notify");
    // clang-format off
    QTest::newRow("canonical") << QByteArray("<MENUE><IS_DARK_THEME>true</IS_DARK_THEME></MENUE><TRACKBOX_SELECTION><NET_RANGE>specific_zec</NET_RANGE></TRACKBOX_SELECTION><MISC><NOTIFY_OLD_FRONTEND_OR_BACKEND>false</NOTIFY_OLD_FRONTEND_OR_BACKEND></MISC>") << true << 1 << false;
    QTest::newRow("capitals") << QByteArray("<MENUE><IS_DARK_THEME>True</IS_DARK_THEME></MENUE><TRACKBOX_SELECTION><NET_RANGE>Specific_zec</NET_RANGE></TRACKBOX_SELECTION><MISC><NOTIFY_OLD_FRONTEND_OR_BACKEND>False</NOTIFY_OLD_FRONTEND_OR_BACKEND></MISC>") << false << 0 << true;
    QTest::newRow("leading blank") << QByteArray("<MENUE><IS_DARK_THEME> true</IS_DARK_THEME></MENUE><TRACKBOX_SELECTION><NET_RANGE> specific_zec</NET_RANGE></TRACKBOX_SELECTION><MISC><NOTIFY_OLD_FRONTEND_OR_BACKEND> false</NOTIFY_OLD_FRONTEND_OR_BACKEND></MISC>") << false << 0 << true;
    QTest::newRow("other words") << QByteArray("<MENUE><IS_DARK_THEME>yes</IS_DARK_THEME></MENUE><TRACKBOX_SELECTION><NET_RANGE>all</NET_RANGE></TRACKBOX_SELECTION><MISC><NOTIFY_OLD_FRONTEND_OR_BACKEND>no</NOTIFY_OLD_FRONTEND_OR_BACKEND></MISC>") << false << 0 << true;
    QTest::newRow("empty elements") << QByteArray("<MENUE><IS_DARK_THEME/></MENUE><TRACKBOX_SELECTION><NET_RANGE/></TRACKBOX_SELECTION><MISC><NOTIFY_OLD_FRONTEND_OR_BACKEND/></MISC>") << false << 0 << true;
    QTest::newRow("element instead of text") << QByteArray("<MENUE><IS_DARK_THEME><B>true</B></IS_DARK_THEME></MENUE><TRACKBOX_SELECTION><NET_RANGE><X/>specific_zec</NET_RANGE></TRACKBOX_SELECTION>") << false << 0 << true;
    QTest::newRow("wrong parent") << QByteArray("<MISC><IS_DARK_THEME>false</IS_DARK_THEME><NET_RANGE>scan</NET_RANGE></MISC><MENUE><NOTIFY_OLD_FRONTEND_OR_BACKEND>false</NOTIFY_OLD_FRONTEND_OR_BACKEND></MENUE>") << true << 1 << true;
    // clang-format on
}

void TestPreferences::comparesValuesExactly()
{
    QFETCH(QByteArray, body);
    m_home->writePreferences(document(body));
    PreferencesProbe w("");
    QTEST(w.m_bIsDarkTheme, "darkTheme");
    QTEST(w.nTrackBoxSelection, "selection");
    QTEST(w.m_bCheckForOldFrontendOrBackend, "notify");
}

void TestPreferences::convertsExternalCommandTimeout_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("microseconds");
    QTest::newRow("2500 ms") << QByteArray("2500") << 2500000;
    QTest::newRow("1 ms") << QByteArray("1") << 1000;
    QTest::newRow("zero") << QByteArray("0") << 2000000;
    QTest::newRow("negative") << QByteArray("-5") << 2000000;
    QTest::newRow("not a number") << QByteArray("2s") << 2000000;
    QTest::newRow("empty") << QByteArray("") << 2000000;
    QTest::newRow("at the cap") << QByteArray("2000000") << 2000000000;
    QTest::newRow("above the cap") << QByteArray("2000001") << 2000000000;
    QTest::newRow("above int range") << QByteArray("4294967296") << 2000000000;
    QTest::newRow("above 64 bits") << QByteArray("123456789012345678901234567890") << 2000000000;
}

void TestPreferences::convertsExternalCommandTimeout()
{
    QFETCH(QByteArray, text);
    m_home->writePreferences(document("<MISC><EXTERNAL_COMMAND_TIMEOUT_MS>" + text +
                                      "</EXTERNAL_COMMAND_TIMEOUT_MS></MISC>"));
    PreferencesProbe w("");
    QTEST(w.external_cmd_timeout, "microseconds");
}

void TestPreferences::writesTimeoutInMilliseconds()
{
    m_home->writePreferences(document(""));
    PreferencesProbe w("");
    auto written = [this, &w](int microseconds) {
        w.external_cmd_timeout = microseconds;
        w.writeXMLSettings();
        QDomDocument doc;
        doc.setContent(m_home->readPreferences());
        const QDomElement e = doc.documentElement().firstChildElement("MISC").firstChildElement(
            "EXTERNAL_COMMAND_TIMEOUT_MS");
        return e.isNull() ? QString("absent") : e.text();
    };
    QCOMPARE(written(2500000), QString("2500"));
    QCOMPARE(written(2000000), QString("absent"));
    QCOMPARE(written(2000999), QString("2000"));
    QCOMPARE(written(2000000000), QString("2000000"));
    QCOMPARE(written(1000), QString("1"));
}

void TestPreferences::emptyRootGivesBuiltInValues()
{
    m_home->writePreferences("<ORVANE/>");
    PreferencesProbe w("");
    QCOMPARE(m_boxes.boxes().size(), 0);
    verifyBuiltInValues(w);
}

void TestPreferences::missingFilesWarnAndUseBuiltInValues()
{
    m_boxes.expect();
    PreferencesProbe w("");
    QCOMPARE(m_boxes.boxes().size(), 1);
    const RecordedBox box = m_boxes.boxes().first();
    QCOMPARE(box.kind, int(MessageBoxProvider::Warning));
    QCOMPARE(box.title, kLoadTitle);
    const QString defaultFile =
        QCoreApplication::applicationDirPath() + "/config/default-preferences.xml";
    QCOMPARE(box.text, "Files not found :\n " + defaultFile + "\n\nUsing built-in values.");
    verifyBuiltInValues(w);
    QVERIFY(!QFile::exists(m_home->preferencesFile()));
}

void TestPreferences::readsInstalledDefaultFile()
{
    m_boxes.expect();
    PreferencesProbe w("");
    QCOMPARE(m_boxes.boxes().size(), 1);  // this test program has no installed default

    w.m_defaultConfigDir = QString(ORVANE_BIN_DIR) + "/config";
    w.m_bIsCascade = true;  // a value the installed file changes back
    w.loadXMLSettings();
    QCOMPARE(m_boxes.boxes().size(), 1);
    QCOMPARE(w.nTrackBoxSelection, 0);
    QCOMPARE(w.m_bIsCascade, false);
    QCOMPARE(w.m_sCommandHistoryLogFileName, QString("commands_log.txt"));
    QCOMPARE(w.m_bWriteLogFile, false);
    QCOMPARE(w.m_bIsDarkTheme, true);
    QVERIFY(w.lastController.ip.isEmpty());

    // The installed file is only read; the per-user file is what gets written.
    w.writeXMLSettings();
    QVERIFY(QFile::exists(m_home->preferencesFile()));
}

void TestPreferences::unparsableFileWarnsAndIsKept_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("pattern");  // %1 stands for the file name
    const QString notPrefs =
        "\nThe file doesn't look like a valid preferences file.\nUsing built-in values.";
    QTest::newRow("empty") << QByteArray()
                           << "\\AError while parsing %1:" + QRegularExpression::escape(notPrefs) +
                                  "\\z";
    QTest::newRow("wrong root") << QByteArray(
                                       "<?xml "
                                       "version=\"1.0\"?>\n<PREFERENCES><MENUE><IS_DARK_THEME>"
                                       "false</IS_DARK_THEME></MENUE></PREFERENCES>\n")
                                << "\\AError while parsing %1 :" +
                                       QRegularExpression::escape(notPrefs) + "\\z";
    QTest::newRow("syntax error") << QByteArray(
                                         "<?xml "
                                         "version=\"1.0\"?>\n<ORVANE>\n<MENUE><IS_DARK_THEME>false<"
                                         "/IS_DARK_THEME>\n<MISC>\n</ORVANE>\n")
                                  << "\\AError while parsing %1 \\(Line 5, Column \\d+\\) "
                                     ":\n.+\\.\nUsing built-in values\\.\\z";
    QTest::newRow("binary") << QByteArray("\x00\xff\xfe<ORVANE>", 11)
                            << "\\AError while parsing %1 \\(Line \\d+, Column \\d+\\) "
                               ":\n.+\\.\nUsing built-in values\\.\\z";
}

// A per-user file that cannot be parsed is reported, built-in values apply, and
// the user's file is kept aside so that the next write cannot destroy it.
void TestPreferences::unparsableFileWarnsAndIsKept()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, pattern);
    m_home->writePreferences(content);

    m_boxes.expect();
    PreferencesProbe w("");
    QCOMPARE(m_boxes.boxes().size(), 1);
    const RecordedBox box = m_boxes.boxes().first();
    QCOMPARE(box.kind, int(MessageBoxProvider::Warning));
    QCOMPARE(box.title, kLoadTitle);
    const QRegularExpression expected(
        pattern.arg(QRegularExpression::escape(m_home->preferencesFile())));
    QVERIFY2(expected.match(box.text).hasMatch(), qPrintable(box.text));
    verifyBuiltInValues(w);

    const QString kept = m_home->preferencesFile() + ".corrupt";
    QCOMPARE(readFile(kept), content);
    w.writeXMLSettings();
    QCOMPARE(readFile(kept), content);
    QCOMPARE(m_boxes.boxes().size(), 1);
    PreferencesProbe again("");
    QCOMPARE(m_boxes.boxes().size(), 1);
}

void TestPreferences::unopenableFileWarns()
{
    QVERIFY(QDir().mkpath(m_home->preferencesFile()));  // a directory where the file should be
    m_boxes.expect();
    PreferencesProbe w("");
    QCOMPARE(m_boxes.boxes().size(), 1);
    QCOMPARE(m_boxes.boxes().first().title, kLoadTitle);
    QCOMPARE(m_boxes.boxes().first().text,
             "File " + m_home->preferencesFile() +
                 " cannot be opened for reading.\nUsing built-in values.");
    verifyBuiltInValues(w);
}

void TestPreferences::writeWarnsWhenDirectoryCannotBeCreated()
{
    m_boxes.expect();
    m_boxes.expect();
    PreferencesProbe w("");
    QCOMPARE(m_boxes.boxes().size(), 1);  // no preferences yet
    QFile blocker(m_home->path() + "/.QOR");
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();

    w.writeXMLSettings();
    QCOMPARE(m_boxes.boxes().size(), 2);
    QCOMPARE(m_boxes.boxes().last().kind, int(MessageBoxProvider::Warning));
    QCOMPARE(m_boxes.boxes().last().title, kWriteTitle);
    QCOMPARE(m_boxes.boxes().last().text,
             "Directory " + m_home->configDir() + " doesn't exist and cannot be created.");
}

void TestPreferences::writeWarnsWhenFileCannotBeOpened()
{
    m_home->writePreferences(document(""));
    PreferencesProbe w("");
    QVERIFY(QFile::remove(m_home->preferencesFile()));
    QVERIFY(QDir().mkpath(m_home->preferencesFile()));

    m_boxes.expect();
    w.writeXMLSettings();
    QCOMPARE(m_boxes.boxes().size(), 1);
    QCOMPARE(m_boxes.boxes().first().title, kWriteTitle);
    QCOMPARE(m_boxes.boxes().first().text,
             "File " + m_home->preferencesFile() + " cannot be opened for writing.");
}

// The file size limit makes the write fail part-way, as a full disk would.
void TestPreferences::failedWriteKeepsPreviousFile()
{
    m_home->writePreferences(kFullFile);
    PreferencesProbe w("");
    w.m_sCommandHistoryLogFileName = QString(4000, 'x');

    struct rlimit saved;
    QCOMPARE(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit limited = saved;
    limited.rlim_cur = 1024;
    QCOMPARE(::setrlimit(RLIMIT_FSIZE, &limited), 0);
    m_boxes.expect();
    w.writeXMLSettings();
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    QCOMPARE(m_boxes.boxes().size(), 1);
    QCOMPARE(m_boxes.boxes().first().title, kWriteTitle);
    QCOMPARE(m_boxes.boxes().first().text,
             "File " + m_home->preferencesFile() + " cannot be written.");
    QCOMPARE(m_home->readPreferences(), kFullFile);
    QCOMPARE(QDir(m_home->configDir()).entryList(QDir::Files | QDir::Hidden),
             QStringList{"current-preferences.xml"});
}

void TestPreferences::fileIsReadableByOwnerOnly()
{
    m_boxes.expect();
    PreferencesProbe w("");
    w.m_frontendPassword = "secret";
    w.writeXMLSettings();
    QCOMPARE(fileMode(m_home->preferencesFile()), 0600);

    QVERIFY(QFile::setPermissions(m_home->preferencesFile(),
                                  QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                      QFileDevice::ReadGroup | QFileDevice::ReadOther));
    QCOMPARE(fileMode(m_home->preferencesFile()), 0644);
    w.writeXMLSettings();
    QCOMPARE(fileMode(m_home->preferencesFile()), 0600);
    QCOMPARE(m_boxes.boxes().size(), 1);  // only the missing-files notice at start
}

// A control character taken from a character reference must not make every
// later write fail or produce a file that cannot be read back.
void TestPreferences::dropsCharactersXmlCannotHold()
{
    m_home->writePreferences(
        document("    <LAST_TRACKBOX HOSTNAME=\"zec&#x4;-1\"/>\n"
                 "    <MISC><FRONTEND_PASSWORD>a&#x1;b</FRONTEND_PASSWORD></MISC>\n"));
    PreferencesProbe w("");
    w.lastController.model = QString("M") + QChar(0xFFFF) + QChar(0xD800);
    w.writeXMLSettings();
    PreferencesProbe read("");
    QCOMPARE(m_boxes.boxes().size(), 0);
    QCOMPARE(read.lastController.hostname, QString("zec-1"));
    QCOMPARE(read.lastController.model, QString("M"));
    QCOMPARE(read.m_frontendPassword, QByteArray("ab"));
}

QTEST_MAIN(TestPreferences)
#include "tst_preferences.moc"
