#include <QtTest>

#include "VersionInfo.h"

Q_DECLARE_METATYPE(VersionInfo)

class TestVersionInfo : public QObject
{
    Q_OBJECT

private slots:
    void fromString_data();
    void fromString();
    void ordering_data();
    void ordering();
    void readingRules_data();
    void readingRules();
    void folderNumbers();
    void featureTable();
};

void TestVersionInfo::fromString_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<VersionInfo>("lenient");  // without ok
    QTest::addColumn<VersionInfo>("strict");   // with ok: stops at a failed number
    QTest::addColumn<bool>("ok");

    const VersionInfo v1123(1, 12, 3);
    QTest::newRow("plain") << "1.12.3" << v1123 << v1123 << true;
    QTest::newRow("leading v") << "v1.12.3" << v1123 << v1123 << true;
    QTest::newRow("leading V") << "V1.12.3" << v1123 << v1123 << true;
    QTest::newRow("letter suffix") << "1.12.3beta" << v1123 << v1123 << true;
    QTest::newRow("hyphen suffix") << "1.12.3-rc1" << v1123 << v1123 << true;
    QTest::newRow("major only") << "2" << VersionInfo(2, -1, -1) << VersionInfo(2, -1, -1) << true;
    QTest::newRow("major.minor") << "v1.27" << VersionInfo(1, 27, -1) << VersionInfo(1, 27, -1)
                                 << true;
    QTest::newRow("bad minor") << "1..3" << VersionInfo(1, 0, 3) << VersionInfo(1, 0, -1) << false;
    QTest::newRow("bad major") << ".5.6" << VersionInfo(0, 5, 6) << VersionInfo(0, -1, -1) << false;
    QTest::newRow("empty") << "" << VersionInfo() << VersionInfo() << false;
    QTest::newRow("only letters") << "beta" << VersionInfo() << VersionInfo() << false;
    QTest::newRow("only one v removed") << "vv1.2" << VersionInfo() << VersionInfo() << false;
}

void TestVersionInfo::fromString()
{
    QFETCH(QString, text);
    QFETCH(VersionInfo, lenient);
    QFETCH(VersionInfo, strict);
    QFETCH(bool, ok);
    const VersionInfo v = VersionInfo::fromString(text);
    QCOMPARE(v.toString(), lenient.toString());
    QVERIFY(v == lenient);
    bool converted = !ok;
    QVERIFY(VersionInfo::fromString(text, &converted) == strict);
    QCOMPARE(converted, ok);
}

void TestVersionInfo::ordering_data()
{
    QTest::addColumn<VersionInfo>("lower");
    QTest::addColumn<VersionInfo>("higher");

    QTest::newRow("minor numeric, not textual") << VersionInfo(1, 9, -1) << VersionInfo(1, 12, -1);
    QTest::newRow("missing minor below zero") << VersionInfo(2, -1, -1) << VersionInfo(2, 0, -1);
    QTest::newRow("missing patch below zero") << VersionInfo(1, 24, -1) << VersionInfo(1, 24, 0);
    QTest::newRow("major decides") << VersionInfo(1, 99, 99) << VersionInfo(2, 0, 0);
    QTest::newRow("patch numeric") << VersionInfo(0, 2, 7) << VersionInfo(0, 2, 10);
}

void TestVersionInfo::ordering()
{
    QFETCH(VersionInfo, lower);
    QFETCH(VersionInfo, higher);
    QVERIFY(lower < higher && lower <= higher && lower != higher);
    QVERIFY(higher > lower && higher >= lower);
    QVERIFY(!(higher < lower) && !(lower >= higher) && !(lower == higher));
    QVERIFY(lower == lower && lower <= lower && lower >= lower);
}

// The same texts read by each named rule: where the rules part ways.
void TestVersionInfo::readingRules_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<VersionInfo>("firstWord");
    QTest::addColumn<VersionInfo>("lettersAsBlanks");
    QTest::addColumn<bool>("allThree");
    QTest::addColumn<VersionInfo>("dataPath");
    const VersionInfo none;
    QTest::newRow("answer with more words") << "v3.3.2 build 7" << VersionInfo(3, 3, 2)
                                            << VersionInfo(3, 3, 2) << true << VersionInfo(3, 3, 2);
    QTest::newRow("hyphen suffix") << "v3.3.2-rc1" << VersionInfo(3, 3, 2) << VersionInfo(3, 3, 0)
                                   << false << VersionInfo(3, 3, 0);
    QTest::newRow("letter suffix, capital V")
        << "V0.2.8b3" << VersionInfo(0, 2, 8) << VersionInfo(0, 2, 8) << true
        << VersionInfo(0, 2, 8);
    QTest::newRow("no patch") << "1.12" << VersionInfo(1, 12, -1) << VersionInfo(1, 12, 0) << false
                              << VersionInfo(1, 12, 0);
    QTest::newRow("leading blank") << " v1.2 x" << VersionInfo(1, 2, -1) << VersionInfo(1, 2, 0)
                                   << false << VersionInfo(0, 0, 0);
    QTest::newRow("empty") << "" << none << VersionInfo(0, 0, 0) << false << VersionInfo(0, 0, 0);
    // A sign is no part of a version; "-1" must not read as a missing part.
    QTest::newRow("negative parts")
        << "-1.2.-3" << none << VersionInfo(0, 2, 0) << false << VersionInfo(0, 2, 0);
}

void TestVersionInfo::readingRules()
{
    QFETCH(QString, text);
    QFETCH(VersionInfo, firstWord);
    QFETCH(VersionInfo, lettersAsBlanks);
    QFETCH(bool, allThree);
    QFETCH(VersionInfo, dataPath);
    QCOMPARE(VersionInfo::fromFirstWord(text), firstWord);
    bool three = !allThree;
    QCOMPARE(VersionInfo::fromLettersAsBlanks(text, &three), lettersAsBlanks);
    QCOMPARE(three, allThree);
    QCOMPARE(VersionInfo::fromDataPathText(text), dataPath);
}

void TestVersionInfo::folderNumbers()
{
    QCOMPARE(VersionInfo::folderNumbers("v3.3.1"), (QList<int>{3, 3, 1}));
    QCOMPARE(VersionInfo::folderNumbers("V3.10.0.1"), (QList<int>{3, 10, 0, 1}));
    QCOMPARE(VersionInfo::folderNumbers("v3.x"), QList<int>());
}

// Features switch on major.minor; the patch never matters.
void TestVersionInfo::featureTable()
{
    QVERIFY(VersionInfo(1, 12, -1).supports(ProtocolFeature::ReconnectOffer));
    QVERIFY(!VersionInfo(1, 11, 99).supports(ProtocolFeature::ReconnectOffer));
    QVERIFY(VersionInfo(1, 24, -1).supports(ProtocolFeature::FrontendPassword));
    QVERIFY(!VersionInfo(1, -1, -1).supports(ProtocolFeature::AccessHolderQuery));
    QVERIFY(VersionInfo(2, 0, 0).supports(ProtocolFeature::CameraAutomaticWarming));
    for (const ProtocolFeatureSince& row : kProtocolFeatures)
        QCOMPARE(protocolFeatureSince(row.feature).name, row.name);
}

QTEST_GUILESS_MAIN(TestVersionInfo)
#include "tst_versioninfo.moc"
