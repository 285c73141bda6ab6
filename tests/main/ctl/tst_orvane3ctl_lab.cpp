// orvane3ctl's scans and wake-ups inside a lab network of namespaces: a PC on
// 192.0.2.0/24 and simulated controllers beside it.

#include <QJsonArray>
#include <QJsonObject>
#include <QtTest>

#include <memory>
#include <vector>

#include "CtlRunner.h"
#include "NetLab.h"
#include "SimProcess.h"

class TestOrvane3ctlLab : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void discover_data();
    void discover();
    void wake_data();
    void wake();

private:
    SimProcess* addController(const QString& host, const QString& address,
                              const QStringList& controls);
    CtlRun runOnPc(const QStringList& args) { return m_ctl.run(args, {}, m_lab->execPrefix("pc")); }

    std::unique_ptr<NetLab> m_lab;
    std::vector<std::unique_ptr<SimProcess>> m_sims;
    SimProcess* m_sleeper = nullptr;
    QString m_sleeperMac;
    CtlRunner m_ctl;
};

SimProcess* TestOrvane3ctlLab::addController(const QString& host, const QString& address,
                                             const QStringList& controls)
{
    auto sim = std::make_unique<SimProcess>();
    if (m_lab->addHost(host).isEmpty() || m_lab->addInterface(host, address + "/24").isEmpty() ||
        !sim->start(QStringLiteral("0.0.0.0"), {}, m_lab->ns(host)))
        return nullptr;
    for (const QString& line : controls)
        if (!sim->control(line).startsWith(QLatin1String("ok")))
            return nullptr;
    m_sims.push_back(std::move(sim));
    return m_sims.back().get();
}

void TestOrvane3ctlLab::initTestCase()
{
    QString why;
    if (!NetLab::available(&why))
        QSKIP(qPrintable("scan and wake-up tests need network namespaces: " + why));
    m_lab = std::make_unique<NetLab>(QStringLiteral("ctl"));
    QVERIFY(!m_lab->addHost("pc").isEmpty() &&
            !m_lab->addInterface("pc", "192.0.2.10/24").isEmpty());
    QVERIFY(addController("tb1", "192.0.2.21", {}));
    QVERIFY(addController("tb2", "192.0.2.22", {"access 192.0.2.99"}));
    // Its own MAC: the others answer with the profile's.
    m_sleeper = addController("tb3", "192.0.2.23",
                              {"boot-time 200", "set system ethernet_mac = 02:00:00:00:00:23"});
    QVERIFY(m_sleeper);
    m_sleeperMac = m_sleeper->control("get system ethernet_mac").mid(3).trimmed();
    QVERIFY(!m_sleeperMac.isEmpty());
}

void TestOrvane3ctlLab::cleanupTestCase()
{
    m_sims.clear();
    m_lab.reset();
}

void TestOrvane3ctlLab::discover_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("exit");
    QTest::addColumn<QStringList>("out");
    QTest::addColumn<int>("jsonCount");  // -1: text output
    const QStringList all{"192.0.2.21", "192.0.2.22", "192.0.2.23"};
    QTest::newRow("every subnet") << QStringList{"discover"} << 0
                                  << all + QStringList{"NAME", "192.0.2.99"} << -1;
    QTest::newRow("JSON") << QStringList{"--json", "discover"} << 0 << QStringList{"accessed_by"}
                          << 3;
    QTest::newRow("one address") << QStringList{"--json", "discover", "--subnet", "192.0.2.22"} << 0
                                 << QStringList{"192.0.2.99"} << 1;
    QTest::newRow("subnet broadcast")
        << QStringList{"discover", "--subnet", "192.0.2.255"} << 0 << all << -1;
    QTest::newRow("nobody there") << QStringList{"--json", "discover", "--subnet", "198.51.100.255"}
                                  << 3 << QStringList{} << 0;
}

void TestOrvane3ctlLab::discover()
{
    QFETCH(QStringList, args);
    QFETCH(int, exit);
    QFETCH(QStringList, out);
    QFETCH(int, jsonCount);
    const CtlRun run = runOnPc(args);
    QVERIFY2(run.exitCode == exit, qPrintable(run.err));
    for (const QString& part : out)
        QVERIFY2(run.out.contains(part), qPrintable(run.out));
    if (jsonCount >= 0)
        QCOMPARE(run.json().array().size(), jsonCount);
}

void TestOrvane3ctlLab::wake_data()
{
    QTest::addColumn<QStringList>("args");  // "MAC" stands for the sleeping controller's
    QTest::addColumn<int>("exit");
    QTest::addColumn<QString>("out");
    QTest::newRow("another MAC, time is up")
        << QStringList{"wake", "02:00:00:00:00:99", "--wait", "2"} << 4 << QString();
    QTest::newRow("every subnet") << QStringList{"wake", "MAC", "--wait", "60"} << 0
                                  << "192.0.2.23";
    QTest::newRow("one subnet, JSON")
        << QStringList{"--json", "wake", "MAC", "--subnet", "192.0.2.255", "--wait", "60"} << 0
        << "\"answered\": true";
    QTest::newRow("send only") << QStringList{"wake", "MAC", "--wait", "0"} << 0 << QString();
}

void TestOrvane3ctlLab::wake()
{
    QFETCH(QStringList, args);
    QFETCH(int, exit);
    QFETCH(QString, out);
    QVERIFY(m_sleeper->control("sleep").startsWith(QLatin1String("ok wol")));
    const CtlRun run = runOnPc(args.replaceInStrings(QStringLiteral("MAC"), m_sleeperMac));
    QVERIFY2(run.exitCode == exit, qPrintable(run.err));
    QVERIFY2(run.out.contains(out), qPrintable(run.out));
    // Only the right packets wake it.
    const bool woken = exit == 0;
    QTRY_COMPARE_WITH_TIMEOUT(m_sleeper->control("stats").contains(QLatin1String("power=asleep")),
                              !woken, 10000);
}

QTEST_GUILESS_MAIN(TestOrvane3ctlLab)
#include "tst_orvane3ctl_lab.moc"
