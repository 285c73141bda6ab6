// The Debian package as a fresh machine gets it: built with CPack from this
// build tree, its control fields, its files, and its commands run from the
// unpacked tree.

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

class TestDebianPackage : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void packageDeclaresDependencies_data();
    void packageDeclaresDependencies();
    void packageHoldsInstalledTree_data();
    void packageHoldsInstalledTree();
    void commandsRunFromAnyDirectory();
    void manualPageFollowsHelp();
    void desktopEntryStartsInstalledCommand();

private:
    static QString run(const QString& program, const QStringList& args, int* exitCode = nullptr,
                       const QString& workDir = {});
    QString field(const QString& name);

    QTemporaryDir m_dir;
    QString m_deb;
    QString m_root;  // the package unpacked
};

QString TestDebianPackage::run(const QString& program, const QStringList& args, int* exitCode,
                               const QString& workDir)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    if (!workDir.isEmpty())
        p.setWorkingDirectory(workDir);
    p.start(program, args);
    if (!p.waitForFinished(180000))
        p.kill();
    if (exitCode)
        *exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    return QString::fromUtf8(p.readAll());
}

QString TestDebianPackage::field(const QString& name)
{
    return run(ORVANE_DPKG_DEB, {"-f", m_deb, name}).trimmed();
}

void TestDebianPackage::initTestCase()
{
    QVERIFY(m_dir.isValid());
    int code = -1;
    const QString log =
        run(ORVANE_CPACK,
            {"--config", ORVANE_BUILD_DIR "/CPackConfig.cmake", "-G", "DEB", "-B", m_dir.path()},
            &code);
    QVERIFY2(code == 0, qPrintable(log));
    const QStringList debs = QDir(m_dir.path()).entryList({"*.deb"}, QDir::Files);
    QCOMPARE(debs.size(), 1);
    m_deb = m_dir.filePath(debs[0]);
    m_root = m_dir.filePath("root");
    run(ORVANE_DPKG_DEB, {"-x", m_deb, m_root}, &code);
    QCOMPARE(code, 0);
}

void TestDebianPackage::packageDeclaresDependencies_data()
{
    QTest::addColumn<QString>("package");
    // The linked libraries (found by dpkg-shlibdeps) and what runs without
    // being linked: the Qt modules of every subsystem and a font to draw with.
    for (const char* p : {"libc6", "libstdc++6", "libqt5core5a", "libqt5gui5", "libqt5widgets5",
                          "libqt5network5", "libqt5xml5", "fonts-dejavu-core"})
        QTest::newRow(p) << p;
}

void TestDebianPackage::packageDeclaresDependencies()
{
    QFETCH(QString, package);
    QCOMPARE(field("Package"), QString("orvane3"));
    QCOMPARE(field("Version"), QString(ORVANE_PACKAGE_VERSION));
    const QStringList depends = field("Depends").split(QRegularExpression(",\\s*|\\s*\\|\\s*"));
    bool found = false;
    for (const QString& d : depends)
        found = found || d.section(' ', 0, 0) == package;
    QVERIFY2(found, qPrintable(field("Depends")));
}

void TestDebianPackage::packageHoldsInstalledTree_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("executable");
    const QString app = "usr/lib/orvane3/";
    QTest::newRow("program") << app + "bin/orvane3" << true;
    QTest::newRow("simulator") << app + "bin/trackbox-sim" << true;
    QTest::newRow("command-line tool") << app + "bin/orvane3ctl" << true;
    QTest::newRow("default preferences") << app + "bin/config/default-preferences.xml" << false;
    QTest::newRow("shell translation") << app + "bin/lang/orvane_shell_de.qm" << false;
    QTest::newRow("access control translation") << app + "bin/lang/orvane_access_de.qm" << false;
    QTest::newRow("service translation") << app + "bin/lang/orvane_service_de.qm" << false;
    QTest::newRow("plug-in folder") << app + "bin/plugins" << true;
    QTest::newRow("user's guide") << app + "doc/ORVANE3_Users-Guide.pdf" << false;
    QTest::newRow("programmer's guide") << app + "doc/ORVANE3_Programmers-Guide.pdf" << false;
    QTest::newRow("hardware guide") << app + "doc/QOR_Hardware_Installation-Guide.pdf" << false;
    QTest::newRow("open-source notice") << app + "license/QOR_OSD.pdf" << false;
    QTest::newRow("command orvane3") << "usr/bin/orvane3" << true;
    QTest::newRow("command trackbox-sim") << "usr/bin/trackbox-sim" << true;
    QTest::newRow("command orvane3ctl") << "usr/bin/orvane3ctl" << true;
    QTest::newRow("orvane3ctl manual page") << "usr/share/man/man1/orvane3ctl.1.gz" << false;
    QTest::newRow("orvane3ctl completion")
        << "usr/share/bash-completion/completions/orvane3ctl" << false;
    QTest::newRow("desktop entry") << "usr/share/applications/orvane3.desktop" << false;
    QTest::newRow("copyright") << "usr/share/doc/orvane3/copyright" << false;
    QTest::newRow("module interface header") << "usr/include/orvane3/ModuleInterface.h" << false;
    QTest::newRow("channel header") << "usr/include/orvane3/IOManager.h" << false;
    QTest::newRow("icon") << "usr/share/icons/hicolor/scalable/apps/orvane3.svg" << false;
}

void TestDebianPackage::packageHoldsInstalledTree()
{
    QFETCH(QString, path);
    QFETCH(bool, executable);
    const QFileInfo info(m_root + "/" + path);
    QVERIFY2(info.exists(), qPrintable(path));
    QCOMPARE(info.isExecutable(), executable);
    if (path.endsWith(".pdf")) {
        QFile pdf(info.filePath());
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        QVERIFY(pdf.read(5) == "%PDF-");
        QVERIFY2(info.size() > 10000, "a rendered guide, not an empty file");
    }
}

void TestDebianPackage::commandsRunFromAnyDirectory()
{
    // The command in usr/bin finds the program in its own tree, wherever that
    // tree was unpacked and whatever the working directory.
    int code = -1;
    const QString help = run(m_root + "/usr/bin/trackbox-sim", {"--help"}, &code, QDir::tempPath());
    QCOMPARE(code, 0);
    QVERIFY2(help.contains("--profile"), qPrintable(help));
    const QString ctlHelp =
        run(m_root + "/usr/bin/orvane3ctl", {"--help"}, &code, QDir::tempPath());
    QCOMPARE(code, 0);
    QVERIFY2(ctlHelp.contains("wake MAC"), qPrintable(ctlHelp));
}

void TestDebianPackage::manualPageFollowsHelp()
{
    int code = -1;
    const QString page = run("gzip", {"-dc", m_root + "/usr/share/man/man1/orvane3ctl.1.gz"}, &code,
                             QDir::tempPath());
    QCOMPARE(code, 0);
    for (const char* part :
         {".TH ORVANE3CTL \"1\"", "password check|set|clear HOST", "access held by another front"})
        QVERIFY2(page.contains(QLatin1String(part)), part);
}

void TestDebianPackage::desktopEntryStartsInstalledCommand()
{
    QFile entry(m_root + "/usr/share/applications/orvane3.desktop");
    QVERIFY(entry.open(QIODevice::ReadOnly | QIODevice::Text));
    const QString text = QString::fromUtf8(entry.readAll());
    QVERIFY(text.startsWith("[Desktop Entry]\n"));
    QVERIFY(text.contains("\nType=Application\n"));
    QVERIFY(text.contains("\nExec=orvane3\n"));
    QVERIFY(text.contains("\nIcon=orvane3\n"));
}

QTEST_GUILESS_MAIN(TestDebianPackage)
#include "tst_debianpackage.moc"
