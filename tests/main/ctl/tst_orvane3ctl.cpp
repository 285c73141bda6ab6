// orvane3ctl against the simulator on 127.0.60.x: each row a command line, what
// the user types, the controller's state, and what the user and the controller
// see afterwards.

#include <QDate>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonObject>
#include <QtTest>

#include <memory>

#include "CtlRunner.h"
#include "FrontendInfo.h"
#include "SimProcess.h"

namespace {

constexpr const char* kHeld = "127.0.61.250";

QString nextAddress()
{
    static int host = 0;
    ++host;
    return QStringLiteral("127.0.%1.%2").arg(60 + host / 200).arg(1 + host % 200);
}

}  // namespace

class TestOrvane3ctl : public QObject
{
    Q_OBJECT

private slots:
    void usage_data();
    void usage();
    void control_data();
    void control() { runRow(); }
    void password_data();
    void password() { runRow(); }
    void send_data();
    void send() { runRow(); }
    void report_data();
    void report() { runRow(); }
    void reportMatchesExport();
    void fileErrors_data();
    void fileErrors();

private:
    static void columns();
    static void row(const char* name, const QStringList& args, const QStringList& controls,
                    int exit, const QString& out = {}, const QString& err = {},
                    const QByteArray& input = {}, const QString& after = {},
                    const QString& afterAnswer = {});
    void runRow();
    bool startSim(SimProcess& sim, const QStringList& controls = {});
    CtlRunner m_ctl;
};

void TestOrvane3ctl::columns()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QStringList>("controls");  // the controller's state before the run
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<int>("exit");
    QTest::addColumn<QString>("out");          // on stdout; "json:KEY=VALUE" checks the document
    QTest::addColumn<QString>("err");          // on stderr
    QTest::addColumn<QString>("after");        // a control line afterwards ...
    QTest::addColumn<QString>("afterAnswer");  // ... and a part of its answer
}

void TestOrvane3ctl::row(const char* name, const QStringList& args, const QStringList& controls,
                         int exit, const QString& out, const QString& err, const QByteArray& input,
                         const QString& after, const QString& afterAnswer)
{
    QTest::newRow(name) << args << controls << input << exit << out << err << after << afterAnswer;
}

bool TestOrvane3ctl::startSim(SimProcess& sim, const QStringList& controls)
{
    if (!sim.start(nextAddress(), {QStringLiteral("--profile"), QStringLiteral("demo")}))
        return false;
    for (const QString& line : controls) {
        if (!sim.control(line).startsWith(QLatin1String("ok"))) {
            qWarning("control line '%s' refused", qPrintable(line));
            return false;
        }
    }
    return true;
}

void TestOrvane3ctl::runRow()
{
    QFETCH(QStringList, args);
    QFETCH(QStringList, controls);
    QFETCH(QByteArray, input);
    QFETCH(int, exit);
    QFETCH(QString, out);
    QFETCH(QString, err);
    QFETCH(QString, after);
    QFETCH(QString, afterAnswer);

    SimProcess sim;
    QVERIFY(startSim(sim, controls));
    const CtlRun run = m_ctl.run(withHost(args, sim.address()), input);
    QVERIFY2(run.exitCode == exit,
             qPrintable(QStringLiteral("exit %1, stderr: %2").arg(run.exitCode).arg(run.err)));
    if (out.startsWith(QLatin1String("json:"))) {
        const QString key = out.mid(5).section(QLatin1Char('='), 0, 0);
        const QString value = out.section(QLatin1Char('='), 1);
        QCOMPARE(run.json().object().value(key).toVariant().toString(), value);
    } else {
        QVERIFY2(run.out.contains(out), qPrintable(run.out));
    }
    QVERIFY2(run.err.contains(err), qPrintable(run.err));
    if (!after.isEmpty())
        QTRY_VERIFY2(sim.control(after).contains(afterAnswer), qPrintable(sim.control(after)));
}

void TestOrvane3ctl::usage_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("exit");
    QTest::addColumn<QString>("out");
    QTest::addColumn<QString>("err");
    const QString table = QStringLiteral("5  access held by another front-end");
    QTest::newRow("overall help") << QStringList{"--help"} << 0 << table << QString();
    QTest::newRow("subcommand help") << QStringList{"measure", "--help"} << 0
                                     << "Usage: orvane3ctl measure start|stop HOST" << QString();
    QTest::newRow("version") << QStringList{"--version"} << 0
                             << "orvane3ctl " + FrontendInfo::versionNumber() << QString();
    QTest::newRow("no subcommand") << QStringList{} << 2 << QString() << table;
    QTest::newRow("unknown subcommand") << QStringList{"jump"} << 2 << QString() << "jump";
    QTest::newRow("missing host") << QStringList{"measure", "start"} << 2 << QString()
                                  << "Usage: orvane3ctl measure";
    QTest::newRow("unknown action")
        << QStringList{"measure", "jump", "127.0.60.250"} << 2 << QString() << "jump";
    QTest::newRow("unknown option")
        << QStringList{"report", "--bogus", "127.0.60.250"} << 2 << QString() << "bogus";
    QTest::newRow("malformed MAC")
        << QStringList{"wake", "00:11:22:33:44"} << 2 << QString() << "MAC";
    QTest::newRow("command of two lines")
        << QStringList{"send", "127.0.60.250", "orvane2 get system hostname\norvane2 reinit"} << 2
        << QString() << "one line";
    QTest::newRow("export without file")
        << QStringList{"export", "127.0.60.250"} << 2 << QString() << "-o FILE";
}

void TestOrvane3ctl::usage()
{
    QFETCH(QStringList, args);
    QFETCH(int, exit);
    QFETCH(QString, out);
    QFETCH(QString, err);
    const CtlRun run = m_ctl.run(args);
    QCOMPARE(run.exitCode, exit);
    QVERIFY2(run.out.contains(out), qPrintable(run.out));
    QVERIFY2(run.err.contains(err), qPrintable(run.err));
}

void TestOrvane3ctl::control_data()
{
    columns();
    const QString state = QStringLiteral("get status active");
    const QStringList start{"measure", "start", "@"};
    const QStringList held{QStringLiteral("access ") + kHeld};
    const QStringList protectedSim{"password secret1"};
    row("start", start, {}, 0, "measurement started", {}, {}, state, "ok mea");
    row("start, JSON", QStringList{"--json"} + start, {}, 0, "json:state=mea");
    row("start while measuring", start, {"state mea"}, 0, "already running");
    row("start refused, similar bodies", start, {"refuse-tracking 2"}, 7, {},
        "bodies that are equal", {}, state, "ok none");
    row("start, tracking unavailable", start, {"set tracking available = no"}, 7, {},
        "measurement start unsuccessful!");
    row("start, access held", start, held, 5, {}, kHeld, {}, state, "ok none");
    row("start, password given", start, protectedSim, 0, "measurement started", {}, "secret1\n",
        state, "ok mea");
    row("start, password wrong", start, protectedSim, 6, {}, "wrong password", "secret2\n", state,
        "ok none");
    row("start, password missing", start, protectedSim, 6, {}, "requires a password");
    row("start, asleep", start, {"sleep"}, 4, {}, "asleep");
    row("start, silent", start, {"silent on"}, 3, {}, "no answer");
    row("stop", {"measure", "stop", "@"}, {"state mea"}, 0, "measurement stopped", {}, {}, state,
        "ok none");
    row("stop, access held", {"measure", "stop", "@"}, held + QStringList{"state mea"}, 5, {},
        kHeld, {}, state, "ok mea");
    row("shutdown", {"shutdown", "@"}, {}, 0, "shutting down", {}, {}, "stats", "power=asleep");
    row("shutdown, access held", {"shutdown", "@"}, held, 5, {}, kHeld, {}, "stats", "power=awake");
    row("reboot, JSON", {"--json", "reboot", "@"}, {"set system model = 21"}, 0,
        "json:result=controller rebooting", {}, {}, "stats", "power=rebooting");
    // The window offers no reboot for this model either.
    row("reboot, model without it", {"reboot", "@"}, {"set system model = 20"}, 7, {},
        "cannot be rebooted", {}, "stats", "power=awake");
}

void TestOrvane3ctl::password_data()
{
    columns();
    const QStringList check{"password", "check", "@"};
    const QStringList protectedSim{"password secret1"};
    const QString isNone = QStringLiteral("get config is_frontend_password none");
    row("check, none set", check, {}, 0, "no password set");
    row("check, none set, JSON", QStringList{"--json"} + check, {}, 0, "json:required=false");
    row("check, right", check, protectedSim, 0, "password accepted", {}, "secret1\n");
    row("check, wrong", check, protectedSim, 6, "password wrong", {}, "secret9\n");
    row("check, none given", check, protectedSim, 6, "password required");
    row("check while access is held", check, {QStringLiteral("access ") + kHeld}, 0,
        "no password set");
    row("set, none before", {"password", "set", "@"}, {}, 0, "password set", {}, "newpass1\n",
        isNone, "ok no");
    row("set, replacing", {"password", "set", "@"}, protectedSim, 0, "password set", {},
        "secret1\nnewpass2\n", "get config is_frontend_password 'newpass2'", "ok yes");
    row("set, wrong current", {"password", "set", "@"}, protectedSim, 6, {}, "wrong password",
        "secret2\nnewpass2\n", "get config is_frontend_password 'secret1'", "ok yes");
    row("set, character rule broken", {"password", "set", "@"}, {}, 2, {}, "_-+./", "bad pass\n",
        isNone, "ok yes");
    row("clear", {"password", "clear", "@"}, protectedSim, 0, "password cleared", {}, "secret1\n",
        isNone, "ok yes");
    row("clear, access held", {"password", "clear", "@"},
        protectedSim + QStringList{QStringLiteral("access ") + kHeld}, 5, {}, kHeld, "secret1\n",
        isNone, "ok no");
}

void TestOrvane3ctl::send_data()
{
    columns();
    const QString read = QStringLiteral("orvane2 get system hostname");
    const QString state = QStringLiteral("get status active");
    const QStringList held{QStringLiteral("access ") + kHeld};
    row("read", {"send", "@", read}, {}, 0, "orvane2 set system hostname ");
    row("read while access is held", {"send", "@", read}, held, 0, "orvane2 set system hostname");
    row("read, JSON", {"--json", "send", "@", read}, {}, 0, "json:command=" + read);
    row("read in words", {"send", "@", "orvane2", "get", "system", "hostname"}, {}, 0,
        "orvane2 set system hostname");
    row("change", {"send", "@", "orvane2 tracking start"}, {}, 0, "orvane2 ok", {}, {}, state,
        "ok mea");
    row("change while access is held", {"send", "@", "orvane2 tracking start"}, held, 5, {}, kHeld,
        {}, state, "ok none");
    row("error answer", {"send", "@", "orvane2 get no_such parameter"}, {}, 7, "orvane2 err");
    row("no answer", {"send", "@", read}, {"silent on"}, 3, {}, "no answer");
}

void TestOrvane3ctl::report_data()
{
    columns();
    const QStringList report{"report", "@"};
    row("JSON", QStringList{"--json"} + report, {}, 0,
        "\"report\": \"Export Controller configuration");
    // Reading takes nothing from the holder: its access stays.
    row("access held", report, {QStringLiteral("access ") + kHeld}, 0, "[System overview]", {}, {},
        "get system accessed_by", kHeld);
    row("asleep", report, {"sleep"}, 4, {}, "wake");
}

// The report is the export's first block: the same lines, time stamps and file names aside.
void TestOrvane3ctl::reportMatchesExport()
{
    SimProcess sim;
    QVERIFY(startSim(sim));
    const QString host = sim.control(QStringLiteral("get system hostname")).mid(3);
    const QString logs = m_ctl.home.path() + FrontendInfo::kUserFolder + QStringLiteral("/v") +
                         FrontendInfo::versionNumber() + QStringLiteral("/logs");
    QVERIFY(QDir().mkpath(logs));
    const auto logName = [&](int daysAgo) {
        return QStringLiteral("events-%1_%2.log")
            .arg(QDate::currentDate().addDays(-daysAgo).toString(QStringLiteral("yyyy-MM-dd")),
                 host);
    };
    for (int daysAgo : {0, 10}) {
        QFile log(logs + QLatin1Char('/') + logName(daysAgo));
        QVERIFY(log.open(QIODevice::WriteOnly));
        log.write("12:00:00 info: logged " + QByteArray::number(daysAgo) + " days ago\n");
    }

    const CtlRun report = m_ctl.run({QStringLiteral("report"), sim.address()});
    QCOMPARE(report.exitCode, 0);
    const QString file = m_ctl.home.path() + QStringLiteral("/export.txt");
    const CtlRun exported = m_ctl.run(
        {QStringLiteral("export"), sim.address(), QStringLiteral("-o"), file, "--days", "3"});
    QCOMPARE(exported.exitCode, 0);
    QVERIFY(exported.out.contains(logName(0)));
    QVERIFY(!exported.out.contains(logName(10)));

    QFile result(file);
    QVERIFY(result.open(QIODevice::ReadOnly | QIODevice::Text));
    const QStringList exportLines = QString::fromUtf8(result.readAll()).split(QLatin1Char('\n'));
    const int begin = exportLines.indexOf(QRegularExpression(QStringLiteral(".*<BOF>.*")));
    const int end = exportLines.indexOf(QRegularExpression(QStringLiteral(".*<EOF>.*")));
    QVERIFY(begin == 0 && end > begin);
    QStringList reportLines = report.out.split(QLatin1Char('\n'));
    reportLines.removeLast();  // after the last line end
    QCOMPARE(reportLines.size(), end - begin - 1);
    const QRegularExpression stamped(
        QStringLiteral("^(Generation time|File name|UTC date|UTC time) *:"));
    for (int i = 0; i < reportLines.size(); ++i) {
        if (!reportLines.at(i).contains(stamped))
            QCOMPARE(reportLines.at(i), exportLines.at(begin + 1 + i));
    }
    const QString rest = exportLines.mid(end).join(QLatin1Char('\n'));
    QVERIFY(rest.contains(QStringLiteral("logged 0 days ago")));
    QVERIFY(!rest.contains(QStringLiteral("logged 10 days ago")));
}

void TestOrvane3ctl::fileErrors_data()
{
    QTest::addColumn<QStringList>("args");
    const QString missing = QStringLiteral("/nonexistent-folder/out.txt");
    QTest::newRow("report") << QStringList{"report", "@", "-o", missing};
    QTest::newRow("export") << QStringList{"export", "@", "-o", missing};
}

void TestOrvane3ctl::fileErrors()
{
    QFETCH(QStringList, args);
    SimProcess sim;
    QVERIFY(startSim(sim));
    const CtlRun run = m_ctl.run(withHost(args, sim.address()));
    QCOMPARE(run.exitCode, 8);
    QVERIFY2(run.err.contains(QStringLiteral("nonexistent-folder")), qPrintable(run.err));
}

QTEST_GUILESS_MAIN(TestOrvane3ctl)
#include "tst_orvane3ctl.moc"
