// status and metrics as a script runs them: the built orvane3ctl against the
// simulator, exit codes, JSON and the Prometheus text checked as a collector would.

#include <QtTest>

#include <memory>

#include "CtlRunner.h"
#include "SimProcess.h"

namespace {

const QString kController = QStringLiteral("127.0.62.1");
const QString kSecond = QStringLiteral("127.0.62.2");
const QString kNobody = QStringLiteral("127.0.62.9");

}  // namespace

class TestCtlStatus : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();

    void status_data();
    void status();
    void watchPrintsOneDocumentPerRound();
    void usage_data();
    void usage();
    void metrics();

private:
    // A simulator logging the commands it receives.
    SimProcess* startSim(const QString& address, const QStringList& args);
    // Fails the test when a read-only run changed anything on the controller.
    void verifyReadOnly(SimProcess* sim);

    std::vector<std::unique_ptr<SimProcess>> m_sims;
};

void TestCtlStatus::cleanup()
{
    m_sims.clear();
}

SimProcess* TestCtlStatus::startSim(const QString& address, const QStringList& args)
{
    m_sims.push_back(std::make_unique<SimProcess>());
    SimProcess* sim = m_sims.back().get();
    if (!sim->start(address, args + QStringList{"--log"}))
        return nullptr;
    return sim;
}

void TestCtlStatus::verifyReadOnly(SimProcess* sim)
{
    for (const QString& line : sim->takeOutputLines()) {
        QVERIFY2(!line.contains(QLatin1String("orvane2 init")), qPrintable(line));
        QVERIFY2(!line.contains(QLatin1String("orvane2 set ")), qPrintable(line));
    }
}

void TestCtlStatus::status_data()
{
    QTest::addColumn<QStringList>("simArgs");
    QTest::addColumn<QStringList>("controls");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("state");
    QTest::addColumn<int>("cameras");  // entries of "cameras", that is per-camera rays read

    QTest::newRow("idle") << QStringList{"--profile", "demo"} << QStringList{} << 0 << "none" << 0;
    QTest::newRow("measuring") << QStringList{"--profile", "demo", "--state", "mea"}
                               << QStringList{} << 0 << "mea" << 6;
    QTest::newRow("held by another front-end")
        << QStringList{"--profile", "demo", "--access", "127.0.62.200"} << QStringList{} << 0
        << "none" << 0;
    QTest::newRow("hostile measuring") << QStringList{"--profile", "hostile", "--state", "mea"}
                                       << QStringList{} << 0 << "mea" << -1;
    QTest::newRow("below every threshold")
        << QStringList{"--profile", "old"} << QStringList{} << 0 << "none" << 0;
    QTest::newRow("silent") << QStringList{"--silent"} << QStringList{} << 3 << QString() << 0;
    QTest::newRow("asleep") << QStringList{} << QStringList{"sleep"} << 4 << QString() << 0;
}

void TestCtlStatus::status()
{
    QFETCH(QStringList, simArgs);
    QFETCH(QStringList, controls);
    QFETCH(int, exitCode);
    QFETCH(QString, state);
    QFETCH(int, cameras);

    SimProcess* sim = startSim(kController, simArgs);
    QVERIFY(sim);
    for (const QString& line : controls)
        QVERIFY(sim->control(line).startsWith(QLatin1String("ok")));

    const CtlRun json = CtlRunner().run({"--json", "status", kController});
    QCOMPARE(json.exitCode, exitCode);
    const QJsonObject doc = json.object();
    QCOMPARE(doc.value("answered").toBool(), exitCode == 0);
    QCOMPARE(doc.value("state").toString(), state);
    if (cameras >= 0)
        QCOMPARE(doc.value("cameras").toArray().size(), cameras);
    QVERIFY(doc.value("camera_count").toInt() <= 99);
    QVERIFY(doc.value("cameras").toArray().size() <= 99);

    const CtlRun text = CtlRunner().run({"status", kController});
    QCOMPARE(text.exitCode, exitCode);
    if (exitCode == 0) {
        // One line per value, whatever the controller put into its texts.
        QCOMPARE(text.out.count('\n'), 14);
        QVERIFY(!text.out.contains('\r'));
        QVERIFY(text.out.contains("Protocol version"));
        if (simArgs.contains("--access"))
            QVERIFY(text.out.contains("held by ip 127.0.62.200"));
    } else {
        QVERIFY(text.out.isEmpty());
        QVERIFY(!text.err.isEmpty());
    }
    verifyReadOnly(sim);
}

void TestCtlStatus::watchPrintsOneDocumentPerRound()
{
    SimProcess* sim = startSim(kController, {"--profile", "demo", "--state", "mea"});
    QVERIFY(sim);
    QProcess watch;
    watch.start(CtlRunner::program(), {"status", kController, "--watch", "1", "--json"});
    QVERIFY(watch.waitForStarted());
    QByteArray lines;
    QTRY_VERIFY_WITH_TIMEOUT((lines += watch.readAllStandardOutput()).count('\n') >= 2, 20000);
    watch.kill();
    watch.waitForFinished();
    for (const QByteArray& line : lines.split('\n').mid(0, 2)) {
        QJsonParseError error{};
        const QJsonDocument doc = QJsonDocument::fromJson(line, &error);
        QCOMPARE(error.error, QJsonParseError::NoError);
        QCOMPARE(doc.object().value("state").toString(), QString("mea"));
    }
    verifyReadOnly(sim);
}

void TestCtlStatus::usage_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");

    QTest::newRow("status without host") << QStringList{"status"} << 2;
    QTest::newRow("status with two hosts") << QStringList{"status", kNobody, kNobody} << 2;
    QTest::newRow("watch zero") << QStringList{"status", kNobody, "--watch", "0"} << 2;
    QTest::newRow("watch word") << QStringList{"status", kNobody, "--watch", "often"} << 2;
    QTest::newRow("unknown option") << QStringList{"status", kNobody, "--fast"} << 2;
    QTest::newRow("metrics without host") << QStringList{"metrics"} << 2;
    QTest::newRow("status help") << QStringList{"status", "--help"} << 0;
    QTest::newRow("metrics help") << QStringList{"metrics", "--help"} << 0;
}

void TestCtlStatus::usage()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    const CtlRun run = CtlRunner().run(arguments);
    QCOMPARE(run.exitCode, exitCode);
    if (exitCode == 0) {
        QVERIFY(run.out.contains("Exit codes:"));
        QVERIFY(run.err.isEmpty());
    } else {
        QVERIFY(run.out.isEmpty());
        QVERIFY(run.err.contains("Usage:"));
    }
}

void TestCtlStatus::metrics()
{
    QVERIFY(startSim(kController, {"--profile", "demo", "--state", "mea"}));
    QVERIFY(startSim(kSecond, {"--profile", "hostile", "--state", "mea"}));
    // Names from the command line are label values as well, quotes and all.
    const QString oddName = QStringLiteral("no\"such\\host.invalid");
    const CtlRun run = CtlRunner().run({"metrics", kController, kSecond, kNobody, oddName});
    QCOMPARE(run.exitCode, 0);
    const QByteArray up1 = "orvane3_up{controller=\"" + kController.toLatin1() + "\"} 1\n";
    const QByteArray down = "orvane3_up{controller=\"" + kNobody.toLatin1() + "\"} 0\n";
    QVERIFY2(run.out.contains(up1), qPrintable(run.out));
    QVERIFY(run.out.contains(down));
    QVERIFY(run.out.contains("orvane3_up{controller=\"no\\\"such\\\\host.invalid\"} 0\n"));
    QVERIFY(run.out.contains("orvane3_camera_rays{controller=\"127.0.62.1\",camera=\"c06\"}"));
    QVERIFY(run.out.contains("orvane3_info{controller=\"127.0.62.1\",model=\"KESTRELBOX\""));

    const QString promtool = QStandardPaths::findExecutable(QStringLiteral("promtool"));
    if (promtool.isEmpty())
        QSKIP("promtool is not installed (Debian package prometheus); the format was not checked");
    QProcess check;
    check.start(promtool, {"check", "metrics"});
    QVERIFY(check.waitForStarted());
    check.write(run.out.toUtf8());
    check.closeWriteChannel();
    QVERIFY(check.waitForFinished(30000));
    const QByteArray complaints = check.readAllStandardOutput() + check.readAllStandardError();
    QVERIFY2(check.exitCode() == 0, complaints.constData());
}

QTEST_GUILESS_MAIN(TestCtlStatus)
#include "tst_ctlstatus.moc"
