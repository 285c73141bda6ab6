// What the entry point hands the main window: the argument string and the
// German translations found in "lang".

#include "ProgramEntry.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class TestProgramEntry : public QObject
{
    Q_OBJECT

private slots:
    void joinsFirstFiveArguments_data();
    void joinsFirstFiveArguments();
    void installsGermanTranslationsFromWorkingDirectory();
    void missingLangDirectoryLeavesTextsUntranslated();
    void findsLangBesideTheProgram_data();
    void findsLangBesideTheProgram();
};

void TestProgramEntry::joinsFirstFiveArguments_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("joined");
    const QString mac = "11:22:33:44:55:66";
    // clang-format off
    QTest::newRow("program only") << QStringList{"orvane3"} << "";
    QTest::newRow("one") << QStringList{"orvane3", "-directstart"} << "-directstart";
    QTest::newRow("five") << QStringList{"orvane3", "-host", "zec-1", "-wakeup", mac, "-measure"}
                          << "-host zec-1 -wakeup " + mac + " -measure";
    QTest::newRow("sixth dropped") << QStringList{"orvane3", "-a", "-b", "-c", "-d", "-e", "-help"}
                                   << "-a -b -c -d -e";
    QTest::newRow("empty argument kept") << QStringList{"orvane3", "-host", "", "-measure"} << "-host  -measure";
    // clang-format on
}

void TestProgramEntry::joinsFirstFiveArguments()
{
    QFETCH(QStringList, arguments);
    QTEST(joinProgramArguments(arguments), "joined");
}

void TestProgramEntry::installsGermanTranslationsFromWorkingDirectory()
{
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir("lang"));
    const QString shipped = QString(ORVANE_BIN_DIR) + "/lang/orvane_shell_de.qm";
    QVERIFY(QFile::copy(shipped, dir.path() + "/lang/orvane_shell_de.qm"));
    // Neither of these is a German translation file, so neither may be loaded.
    QVERIFY(QFile::copy(shipped, dir.path() + "/lang/orvane_shell_DE.qm"));
    QVERIFY(QFile::copy(shipped, dir.path() + "/lang/orvane_shell_fr.qm"));

    const QString previous = QDir::currentPath();
    QVERIFY(QDir::setCurrent(dir.path()));
    auto translators = installGermanTranslations(*QCoreApplication::instance());
    QDir::setCurrent(previous);

    QCOMPARE(translators.size(), size_t(1));
    QCOMPARE(QCoreApplication::translate("HelpCommandLineClass", "E&xit"), QString("&Beenden"));
    QCOMPARE(QCoreApplication::translate("Preferences", "Error loading preferences"),
             QString("Fehler beim Laden der Einstellungen"));
    translators.clear();
    QCOMPARE(QCoreApplication::translate("HelpCommandLineClass", "E&xit"), QString("E&xit"));
}

void TestProgramEntry::missingLangDirectoryLeavesTextsUntranslated()
{
    QTemporaryDir dir;
    const QString previous = QDir::currentPath();
    QVERIFY(QDir::setCurrent(dir.path()));
    const auto translators = installGermanTranslations(*QCoreApplication::instance());
    QDir::setCurrent(previous);
    QVERIFY(translators.empty());
    QCOMPARE(QCoreApplication::translate("HelpCommandLineClass", "E&xit"), QString("E&xit"));
}

void TestProgramEntry::findsLangBesideTheProgram_data()
{
    QTest::addColumn<bool>("inWorkingDirectory");
    QTest::addColumn<bool>("besideProgram");
    QTest::addColumn<bool>("sameFolder");  // the program started in its own folder
    QTest::addColumn<int>("installed");
    QTest::newRow("started from another folder") << false << true << false << 1;
    QTest::newRow("started in its own folder") << true << true << true << 1;
    QTest::newRow("both, the working directory's first") << true << true << false << 1;
    QTest::newRow("neither") << false << false << false << 0;
}

void TestProgramEntry::findsLangBesideTheProgram()
{
    QFETCH(bool, inWorkingDirectory);
    QFETCH(bool, besideProgram);
    QFETCH(bool, sameFolder);
    QTemporaryDir working, program;
    const QString programDir = sameFolder ? working.path() : program.path();
    const QString shipped = QString(ORVANE_BIN_DIR) + "/lang/orvane_shell_de.qm";
    for (const QString& dir : {inWorkingDirectory ? working.path() : QString(),
                               besideProgram ? programDir : QString()}) {
        if (!dir.isEmpty() && !QFile::exists(dir + "/lang/orvane_shell_de.qm")) {
            QVERIFY(QDir(dir).mkpath("lang"));
            QVERIFY(QFile::copy(shipped, dir + "/lang/orvane_shell_de.qm"));
        }
    }

    const QString previous = QDir::currentPath();
    QVERIFY(QDir::setCurrent(working.path()));
    auto translators = installGermanTranslations(*QCoreApplication::instance(), programDir);
    QDir::setCurrent(previous);

    QFETCH(int, installed);
    QCOMPARE(int(translators.size()), installed);
    QCOMPARE(QCoreApplication::translate("HelpCommandLineClass", "E&xit"),
             QString(installed ? "&Beenden" : "E&xit"));
}

QTEST_GUILESS_MAIN(TestProgramEntry)
#include "tst_programentry.moc"
