#include <QtTest>

#include "BackendVersions.h"
#include "VersionInfo.h"

Q_DECLARE_METATYPE(VersionInfo)

class TestVersionInfo : public QObject
{
    Q_OBJECT

private slots:
    void fromString_data();
    void fromString();
    void fromStringReportsFailedConversion_data();
    void fromStringReportsFailedConversion();
    void ordering_data();
    void ordering();
    void toString();
    void backendVersionsKeepTheirParts();
};

void TestVersionInfo::fromString_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<VersionInfo>("expected");

    QTest::newRow("plain") << "1.12.3" << VersionInfo(1, 12, 3);
    QTest::newRow("leading v") << "v1.12.3" << VersionInfo(1, 12, 3);
    QTest::newRow("leading V") << "V1.12.3" << VersionInfo(1, 12, 3);
    QTest::newRow("letter suffix") << "1.12.3beta" << VersionInfo(1, 12, 3);
    QTest::newRow("hyphen suffix") << "1.12.3-rc1" << VersionInfo(1, 12, 3);
    QTest::newRow("major only") << "2" << VersionInfo(2, -1, -1);
    QTest::newRow("major.minor") << "v1.27" << VersionInfo(1, 27, -1);
    QTest::newRow("suffix after minor") << "v0.17b" << VersionInfo(0, 17, -1);
    QTest::newRow("fourth part ignored") << "1.2.3.4" << VersionInfo(1, 2, 3);
    QTest::newRow("empty") << "" << VersionInfo(-1, -1, -1);
    QTest::newRow("only v") << "v" << VersionInfo(-1, -1, -1);
    QTest::newRow("only letters") << "beta" << VersionInfo(-1, -1, -1);
    QTest::newRow("only one v removed") << "vv1.2" << VersionInfo(-1, -1, -1);
}

void TestVersionInfo::fromString()
{
    QFETCH(QString, text);
    QFETCH(VersionInfo, expected);
    const VersionInfo v = VersionInfo::fromString(text);
    QCOMPARE(v.getMajor(), expected.getMajor());
    QCOMPARE(v.getMinor(), expected.getMinor());
    QCOMPARE(v.getPatch(), expected.getPatch());
}

void TestVersionInfo::fromStringReportsFailedConversion_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<VersionInfo>("expected");

    QTest::newRow("all parts") << "v2.9.4" << true << VersionInfo(2, 9, 4);
    QTest::newRow("bad minor stops") << "1..3" << false << VersionInfo(1, 0, -1);
    QTest::newRow("bad major stops") << ".5.6" << false << VersionInfo(0, -1, -1);
    QTest::newRow("nothing") << "" << false << VersionInfo(-1, -1, -1);
}

void TestVersionInfo::fromStringReportsFailedConversion()
{
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QFETCH(VersionInfo, expected);
    bool converted = !ok;
    const VersionInfo v = VersionInfo::fromString(text, &converted);
    QCOMPARE(converted, ok);
    QVERIFY(v == expected);
}

void TestVersionInfo::ordering_data()
{
    QTest::addColumn<VersionInfo>("lower");
    QTest::addColumn<VersionInfo>("higher");

    QTest::newRow("minor numeric, not textual") << VersionInfo(1, 9, -1) << VersionInfo(1, 12, -1);
    QTest::newRow("missing minor below zero") << VersionInfo(2, -1, -1) << VersionInfo(2, 0, -1);
    QTest::newRow("missing patch below zero") << VersionInfo(1, 24, -1) << VersionInfo(1, 24, 0);
    QTest::newRow("major decides") << VersionInfo(1, 99, 99) << VersionInfo(2, 0, 0);
    QTest::newRow("patch decides") << VersionInfo(0, 2, 7) << VersionInfo(0, 2, 10);
    QTest::newRow("not given at all") << VersionInfo() << VersionInfo(0, -1, -1);
}

void TestVersionInfo::ordering()
{
    QFETCH(VersionInfo, lower);
    QFETCH(VersionInfo, higher);
    QVERIFY(lower < higher);
    QVERIFY(lower <= higher);
    QVERIFY(higher > lower);
    QVERIFY(higher >= lower);
    QVERIFY(lower != higher);
    QVERIFY(!(lower == higher));
    QVERIFY(!(higher < lower));
    QVERIFY(!(lower >= higher));
    QVERIFY(lower <= lower && lower >= lower && lower == lower);
}

void TestVersionInfo::toString()
{
    QCOMPARE(VersionInfo(1, 12, 3).toString(), QStringLiteral("1.12.3"));
    QCOMPARE(VersionInfo(1, 12, -1).toString(), QStringLiteral("1.12"));
    QCOMPARE(VersionInfo(2, -1, -1).toString(), QStringLiteral("2"));
    QCOMPARE(VersionInfo().toString(), QString());
    VersionInfo v;
    v.setVer(0, 17, 2);
    QCOMPARE(VersionInfo::fromString(v.toString()), v);
}

void TestVersionInfo::backendVersionsKeepTheirParts()
{
    BackendVersions bv(VersionInfo::fromString("v2.9.4"), VersionInfo::fromString("v1.27"),
                       VersionInfo::fromString("v3.1.0"), "20");
    QCOMPARE(bv.systemPt(), VersionInfo(2, 9, 4));
    QCOMPARE(bv.protocol(), VersionInfo(1, 27, -1));
    QCOMPARE(bv.systemCt(), VersionInfo(3, 1, 0));
    QCOMPARE(bv.zecModel(), QStringLiteral("20"));
    QVERIFY(bv.protocol() >= VersionInfo(1, 24, -1));
    QVERIFY(bv.protocol() < VersionInfo(1, 28, -1));
}

QTEST_GUILESS_MAIN(TestVersionInfo)
#include "tst_versioninfo.moc"
