// The line writer shared by all report sections: field alignment, values
// kept verbatim, line breaks inside values, quote handling, protocol gates,
// and the camera pose angles of the overview.

#include <QtTest>

#include "BackendVersions.h"
#include "CameraPose.h"
#include "ReportWriter.h"

Q_DECLARE_METATYPE(ProtocolFeature)

class TestReportWriter : public QObject
{
    Q_OBJECT

private slots:
    void fieldsAlignWithoutCutting_data();
    void fieldsAlignWithoutCutting();
    void valuesStayOneLine_data();
    void valuesStayOneLine();
    void quotedValues_data();
    void quotedValues();
    void protocolGates_data();
    void protocolGates();
    void cameraPose_data();
    void cameraPose();
};

void TestReportWriter::fieldsAlignWithoutCutting_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("width");
    QTest::addColumn<QString>("field");
    QTest::newRow("right") << "ab" << 5 << "   ab";
    QTest::newRow("left") << "ab" << -5 << "ab   ";
    QTest::newRow("longer than the field") << "abcdefg" << 4 << "abcdefg";
    QTest::newRow("placeholders stay") << "%1%2" << -6 << "%1%2  ";
    QTest::newRow("empty") << "" << 3 << "   ";
}

void TestReportWriter::fieldsAlignWithoutCutting()
{
    QFETCH(QString, text);
    QFETCH(int, width);
    QFETCH(QString, field);
    QCOMPARE(ReportWriter::field(text, width), field);
}

void TestReportWriter::valuesStayOneLine_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("line");
    QTest::newRow("plain") << "abc"
                           << "Label : abc";
    QTest::newRow("CR LF") << "a\r\nb"
                           << "Label : a b";
    QTest::newRow("LF and CR alone") << "a\nb\rc"
                                     << "Label : a b c";
    QTest::newRow("trailing line end") << "abc\n"
                                       << "Label : abc ";
    QTest::newRow("placeholders") << "%1 %2 %"
                                  << "Label : %1 %2 %";
}

void TestReportWriter::valuesStayOneLine()
{
    QFETCH(QString, value);
    QFETCH(QString, line);
    QTemporaryDir dir;
    ReportWriter out(nullptr, nullptr);
    out.setFileName(dir.filePath("r.txt"));
    out.labelled("Label", 6, value);
    out.emptyLine();
    QFile file(dir.filePath("r.txt"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(file.readAll()), line + "\n\n");
    QCOMPARE(out.writtenLines(), 2);
    QCOMPARE(out.failedLines(), 0);
}

void TestReportWriter::quotedValues_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("display");
    QTest::addColumn<QString>("unquoted");
    QTest::newRow("quoted text") << "\"ORCAM 5\""
                                 << "ORCAM 5"
                                 << "ORCAM 5";
    QTest::newRow("quotes inside only") << "a \"b\""
                                        << "a \"b\""
                                        << "a b";
    QTest::newRow("single quotes stay") << "'ht_tool'"
                                        << "'ht_tool'"
                                        << "'ht_tool'";
}

void TestReportWriter::quotedValues()
{
    QFETCH(QString, value);
    QFETCH(QString, display);
    QFETCH(QString, unquoted);
    ReportText answer;
    answer.rc = 0;
    answer.value = value;
    QCOMPARE(answer.display(), display);
    QCOMPARE(answer.unquoted(), unquoted);
    answer.rc = -32;
    QCOMPARE(answer.orError(), QStringLiteral("Error -32"));
    QCOMPARE(answer.displayOr("none"), QStringLiteral("none"));
}

void TestReportWriter::protocolGates_data()
{
    QTest::addColumn<QString>("protocol");
    QTest::addColumn<ProtocolFeature>("feature");
    QTest::addColumn<bool>("open");
    QTest::newRow("same, 1.12") << "v1.12" << ProtocolFeature::StandardBodiesTable << true;
    QTest::newRow("newer patch, 1.27")
        << "v1.27.3" << ProtocolFeature::FreeConfigurationSpace << true;
    QTest::newRow("numeric, not textual")
        << "v1.9" << ProtocolFeature::StandardBodiesTable << false;
    QTest::newRow("newer major") << "v2.0" << ProtocolFeature::FreeConfigurationSpace << true;
    QTest::newRow("major only is below .1") << "1" << ProtocolFeature::AccessHolderQuery << false;
    QTest::newRow("unknown") << "" << ProtocolFeature::BodyCalibrationReport << false;
}

void TestReportWriter::protocolGates()
{
    QFETCH(QString, protocol);
    QFETCH(ProtocolFeature, feature);
    QFETCH(bool, open);
    BackendVersions versions;
    versions.setProtocol(VersionInfo::fromString(protocol));
    QTemporaryDir dir;
    ReportWriter out(nullptr, &versions);
    out.setFileName(dir.filePath("r.txt"));
    QCOMPARE(out.protocolAtLeast(feature), open);
    QCOMPARE(out.requireProtocol(feature), open);
    QFile file(dir.filePath("r.txt"));
    const QByteArray written = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    QCOMPARE(written, open ? QByteArray() : QByteArray("Version of Controller is too old.\n\n"));
}

void TestReportWriter::cameraPose_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<bool>("powerwall");
    QTest::addColumn<QString>("pose");
    QTest::newRow("no calibration") << "none" << false << "0.0 0.0 0.0 0.0 0.0 0.0";
    QTest::newRow("identity") << "10 20 30 1 0 0 0 1 0 0 0 1" << false
                              << "10.0 20.0 30.0 180.0 0.0 0.0";
    QTest::newRow("looking down, turned")
        << "0 0 3000 0 -1 0 1 0 0 0 0 -1" << false << "0.0 0.0 3000.0 180.0 180.0 0.0";
    QTest::newRow("tilted 45 degrees") << "0 0 0 1 0 0 0 0.7071068 -0.7071068 0 0.7071068 0.7071068"
                                       << false << "0.0 0.0 0.0 180.0 45.0 180.0";
    QTest::newRow("negative yaw wraps to 0..360")
        << "0 0 0 1 0 0 0 1 0 -0.7071068 -0.7071068 0" << false << "0.0 0.0 0.0 315.0 90.0 0.0";
    QTest::newRow("powerwall swaps y and z")
        << "10 20 30 1 0 0 0 1 0 0 0 1" << true << "10.0 -30.0 20.0 0.0 90.0 0.0";
    QTest::newRow("cosine just above 1")
        << "0 0 0 1 0 0 0 1 0 0 0 1.0000001" << false << "0.0 0.0 0.0 180.0 0.0 0.0";
    QTest::newRow("eleven numbers")
        << "1 2 3 1 0 0 0 1 0 0 0" << false << "0.0 0.0 0.0 0.0 0.0 0.0";
    QTest::newRow("bad position number")
        << "1 x 3 1 0 0 0 1 0 0 0 1" << false << "0.0 0.0 0.0 180.0 0.0 0.0";
    QTest::newRow("bad matrix number")
        << "1 2 3 1 0 0 0 1 0 0 0 nan" << false << "1.0 2.0 3.0 180.0 90.0 0.0";
}

void TestReportWriter::cameraPose()
{
    QFETCH(QString, answer);
    QFETCH(bool, powerwall);
    QFETCH(QString, pose);
    const CameraPose p = CameraPose::fromRoomAnswer(answer, powerwall);
    QStringList values;
    for (double v : p.position)
        values << QString::number(v, 'f', 1);
    for (double v : p.angles)
        values << QString::number(v, 'f', 1);
    QCOMPARE(values.join(' '), pose);
}

QTEST_GUILESS_MAIN(TestReportWriter)
#include "tst_reportwriter.moc"
