// diagnose against every failure a user meets on the way to a controller: each
// row builds one broken path and checks the first failed step, its exit code,
// and that the walk changed nothing on the controller.

#include <QtTest>

#include <QNetworkDatagram>
#include <QUdpSocket>

#include <memory>

#include "CtlRunner.h"
#include "NetLab.h"
#include "SimProcess.h"

namespace {

const QString kController = QStringLiteral("127.0.63.1");
// A controller stand-in that answers UDP but has no TCP port open.
const QString kUdpOnly = QStringLiteral("127.0.63.4");

enum Setup
{
    Simulator,       // trackbox-sim on kController with the row's arguments
    UdpOnly,         // only a UDP answer on kUdpOnly
    NamespaceAlone,  // nothing but this PC, in a network namespace of the test's own
};

// Answers the version question over UDP, so that only TCP is missing.
class UdpOnlyController : public QObject
{
public:
    bool start()
    {
        if (!m_socket.bind(QHostAddress(kUdpOnly), 50105))
            return false;
        connect(&m_socket, &QUdpSocket::readyRead, this, [this] {
            while (m_socket.hasPendingDatagrams()) {
                const QNetworkDatagram d = m_socket.receiveDatagram();
                const QByteArray answer = d.data().startsWith("orvane2 get system version")
                                              ? QByteArray("orvane2 set system version v1.27.0")
                                              : QByteArray("orvane2 err 3 unknown parameter");
                m_socket.writeDatagram(d.makeReply(answer + '\0'));
            }
        });
        return true;
    }

private:
    QUdpSocket m_socket;
};

}  // namespace

Q_DECLARE_METATYPE(Setup)

class TestCtlDiagnose : public QObject
{
    Q_OBJECT

private slots:
    void failures_data();
    void failures();

private:
    // Runs diagnose on host inside a namespace that holds only this PC on 192.0.2.10/24.
    CtlRun runAlone(const QString& host);
};

void TestCtlDiagnose::failures_data()
{
    QTest::addColumn<Setup>("setup");
    QTest::addColumn<QStringList>("simArgs");
    QTest::addColumn<QString>("host");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("step");     // id of the first failed step, or of the one to look at
    QTest::addColumn<QString>("verdict");  // of that step
    QTest::addColumn<QString>("seen");     // part of what that step saw

    const QStringList demo{"--profile", "demo"};
    QTest::newRow("healthy, measuring")
        << Simulator << (demo + QStringList{"--state", "mea"}) << kController << 0 << "data_path"
        << "ok"
        << "monitoring datagram reached";
    QTest::newRow("healthy, idle") << Simulator << demo << kController << 0 << "data_path"
                                   << "warning"
                                   << "does not measure";
    QTest::newRow("unknown name") << NamespaceAlone << QStringList{} << "tracking.invalid" << 3
                                  << "name"
                                  << "failed"
                                  << "does not resolve";
    QTest::newRow("no route") << NamespaceAlone << QStringList{} << "198.51.100.7" << 3 << "route"
                              << "failed"
                              << "no local interface";
    QTest::newRow("silent") << Simulator << (demo + QStringList{"--silent"}) << kController << 3
                            << "udp"
                            << "failed"
                            << "TCP connections are accepted";
    QTest::newRow("TCP refused") << UdpOnly << QStringList{} << kUdpOnly << 3 << "tcp"
                                 << "failed"
                                 << "refused";
    QTest::newRow("asleep") << Simulator << (demo + QStringList{"--control", "sleep"})
                            << kController << 4 << "udp"
                            << "failed"
                            << "refused";
    QTest::newRow("access held") << Simulator << (demo + QStringList{"--access", "127.0.63.200"})
                                 << kController << 5 << "access"
                                 << "failed"
                                 << "ip 127.0.63.200";
    QTest::newRow("password set") << Simulator << (demo + QStringList{"--password", "secret1"})
                                  << kController << 0 << "password"
                                  << "warning"
                                  << "password is set";
    QTest::newRow("data blocked") << Simulator
                                  << (demo + QStringList{"--state", "mea", "--data", "stop"})
                                  << kController << 3 << "data_path"
                                  << "failed"
                                  << "no monitoring datagram";
}

void TestCtlDiagnose::failures()
{
    QFETCH(Setup, setup);
    QFETCH(QStringList, simArgs);
    QFETCH(QString, host);
    QFETCH(int, exitCode);
    QFETCH(QString, step);
    QFETCH(QString, verdict);
    QFETCH(QString, seen);

    SimProcess sim;
    UdpOnlyController udpOnly;
    CtlRun run;
    if (setup == Simulator) {
        QVERIFY2(sim.start(kController, simArgs + QStringList{"--log"}),
                 qPrintable(sim.errorOutput()));
        run = CtlRunner().run({"--json", "diagnose", host});
    } else if (setup == UdpOnly) {
        QVERIFY(udpOnly.start());
        run = CtlRunner().run({"--json", "diagnose", host});
    } else {
        run = runAlone(host);
        if (run.exitCode == -2)
            return;
    }
    QCOMPARE(run.exitCode, exitCode);
    const QJsonObject doc = run.object();
    QCOMPARE(doc.value("exit_code").toInt(), exitCode);
    const QJsonArray steps = doc.value("steps").toArray();
    QCOMPARE(steps.size(), 9);
    QJsonObject found;
    for (const QJsonValue& s : steps) {
        const QJsonObject o = s.toObject();
        if (o.value("id").toString() == step) {
            found = o;
            break;
        }
        // Nothing before the step of the row fails.
        QVERIFY2(o.value("verdict").toString() != QLatin1String("failed"),
                 qPrintable(o.value("step").toString()));
    }
    QCOMPARE(found.value("verdict").toString(), verdict);
    QVERIFY2(found.value("seen").toString().contains(seen),
             qPrintable(found.value("seen").toString()));
    if (verdict == QLatin1String("failed"))
        QVERIFY(!found.value("advice").toString().isEmpty());

    if (setup == Simulator) {
        for (const QString& line : sim.takeOutputLines()) {
            QVERIFY2(!line.contains(QLatin1String("orvane2 init")), qPrintable(line));
            QVERIFY2(!line.contains(QLatin1String("system access full")), qPrintable(line));
        }
        // The monitoring output goes back where it pointed before.
        QCOMPARE(sim.control("get output net chmon"), QString("ok none"));
        // The text form says the same in one line per step and a summary.
        const CtlRun text = CtlRunner().run({"diagnose", host});
        QCOMPARE(text.exitCode, exitCode);
        QCOMPARE(text.out.count('\n'), 10);
        QVERIFY(text.out.contains("summary: "));
    }
}

CtlRun TestCtlDiagnose::runAlone(const QString& host)
{
    QString whyNot;
    if (!NetLab::available(&whyNot)) {
        QTest::qSkip(qPrintable(whyNot), __FILE__, __LINE__);
        CtlRun skipped;
        skipped.exitCode = -2;
        return skipped;
    }
    NetLab lab(QStringLiteral("ctldiag"));
    lab.addHost(QStringLiteral("pc"));
    lab.addInterface(QStringLiteral("pc"), QStringLiteral("192.0.2.10/24"));
    // No name server: an unknown name fails inside the namespace and asks nobody outside.
    lab.setHosts(QStringLiteral("pc"), {});
    return CtlRunner().run({"--json", "diagnose", host}, {}, lab.execPrefix(QStringLiteral("pc")));
}

QTEST_GUILESS_MAIN(TestCtlDiagnose)
#include "tst_ctldiagnose.moc"
