// The namespace helper the multi-host tests stand on: hosts see each other on
// their subnet, broadcasts arrive, names resolve from the per-host hosts file,
// and nothing is left behind.

#include <QDir>
#include <QFileInfo>
#include <QtTest>

#include <csignal>
#include <cstdio>

#include <sys/wait.h>
#include <unistd.h>

#include "NetLab.h"
#include "ap_udptcp.h"

namespace {

QStringList namespacesWithPrefix(const QString& prefix)
{
    QStringList found;
    for (const QString& ns :
         QDir(QStringLiteral("/run/netns")).entryList(QDir::Files | QDir::System))
        if (ns.startsWith(prefix))
            found << ns;
    return found;
}

// Gone, or a zombie waiting for whoever reaps orphans here.
bool hasEnded(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return true;
    const QByteArray text = stat.readAll();
    const int close = text.lastIndexOf(')');
    return close < 0 || text.mid(close + 2, 1) == "Z";
}

bool isInside(const QString& ns, qint64 pid)
{
    QProcess p;
    p.start(QStringLiteral("ip"), {QStringLiteral("netns"), QStringLiteral("pids"), ns});
    p.waitForFinished();
    return QString::fromLatin1(p.readAll()).split(QLatin1Char('\n')).contains(QString::number(pid));
}

// A socket created while the thread is inside host stays in host's namespace.
ap_ip_socket_type udpSocketIn(NetLab& lab, const QString& host, uint16_t port)
{
    ap_ip_socket_type s = nullptr;
    if (!lab.enter(host))
        return nullptr;
    const int rc = ap_udp_init(&s, port, AP_SOCK_BROADCAST);
    lab.leave();
    return rc == 0 ? s : nullptr;
}

}  // namespace

class TestNetLab : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QString why;
        if (!NetLab::available(&why))
            QSKIP(qPrintable(why));
    }

    void datagramAndBroadcastBetweenHosts()
    {
        const QString prefix = QStringLiteral("orv%1_xchg_").arg(::getpid());
        {
            NetLab lab(QStringLiteral("xchg"));
            QVERIFY(!lab.addHost(QStringLiteral("pc")).isEmpty());
            QVERIFY(!lab.addHost(QStringLiteral("tb")).isEmpty());
            QCOMPARE(lab.addInterface(QStringLiteral("pc"), QStringLiteral("192.0.2.10/24")),
                     QStringLiteral("eth0"));
            QCOMPARE(lab.addInterface(QStringLiteral("tb"), QStringLiteral("192.0.2.20/24"),
                                      QStringLiteral("02:00:5e:00:00:20")),
                     QStringLiteral("eth0"));
            QVERIFY(namespacesWithPrefix(prefix).size() >= 3);

            QString out;
            QVERIFY(lab.run(QStringLiteral("tb"),
                            {QStringLiteral("ip"), QStringLiteral("-o"), QStringLiteral("link"),
                             QStringLiteral("show"), QStringLiteral("eth0")},
                            &out));
            QVERIFY2(out.contains(QLatin1String("02:00:5e:00:00:20")), qPrintable(out));

            ap_ip_socket_type rx = udpSocketIn(lab, QStringLiteral("tb"), 50105);
            ap_ip_socket_type tx = udpSocketIn(lab, QStringLiteral("pc"), 0);
            QVERIFY(rx && tx);

            const QByteArray direct("direct");
            QCOMPARE(
                ap_udp_send(tx, direct.constData(), direct.size(), 0xC0000214u, 50105, 1000000), 0);
            char buf[64];
            uint32_t from = 0;
            int n = ap_udp_receive_from(rx, buf, sizeof buf, &from, nullptr, 2000000, 0);
            QCOMPARE(QByteArray(buf, qMax(n, 0)), direct);
            QCOMPARE(from, 0xC000020Au);

            const QByteArray bcast("broadcast");
            QCOMPARE(ap_udp_send(tx, bcast.constData(), bcast.size(), 0xC00002FFu, 50105, 1000000),
                     0);
            n = ap_udp_receive_from(rx, buf, sizeof buf, &from, nullptr, 2000000, 0);
            QCOMPARE(QByteArray(buf, qMax(n, 0)), bcast);
            QCOMPARE(from, 0xC000020Au);

            ap_udp_exit(rx);
            ap_udp_exit(tx);
        }
        QCOMPARE(namespacesWithPrefix(prefix), QStringList());
    }

    void subnetsAreSeparateSwitches()
    {
        NetLab lab(QStringLiteral("split"));
        lab.addHost(QStringLiteral("pc"));
        lab.addHost(QStringLiteral("other"));
        QCOMPARE(lab.addInterface(QStringLiteral("pc"), QStringLiteral("192.0.2.10/24")),
                 QStringLiteral("eth0"));
        QCOMPARE(lab.addInterface(QStringLiteral("pc"), QStringLiteral("198.51.100.10/24")),
                 QStringLiteral("eth1"));
        // Same address range as pc's first subnet but attached to the second switch.
        lab.addInterface(QStringLiteral("other"), QStringLiteral("198.51.100.30/24"));

        ap_ip_socket_type rx = udpSocketIn(lab, QStringLiteral("other"), 50105);
        ap_ip_socket_type tx = udpSocketIn(lab, QStringLiteral("pc"), 0);
        QVERIFY(rx && tx);
        const QByteArray msg("x");
        QCOMPARE(ap_udp_send(tx, msg.constData(), 1, 0xC00002FFu, 50105, 1000000), 0);
        char buf[8];
        QCOMPARE(ap_udp_receive(rx, buf, sizeof buf, 300000, 0), -1);
        QCOMPARE(ap_udp_send(tx, msg.constData(), 1, 0xC63364FFu, 50105, 1000000), 0);
        QCOMPARE(ap_udp_receive(rx, buf, sizeof buf, 2000000, 0), 1);
        ap_udp_exit(rx);
        ap_udp_exit(tx);
    }

    void hostsFileResolvesInsideOnly()
    {
        QString ns;
        {
            NetLab lab(QStringLiteral("names"));
            ns = lab.addHost(QStringLiteral("pc"));
            QVERIFY(lab.setHosts(QStringLiteral("pc"),
                                 {{QStringLiteral("trackbox-a"), QStringLiteral("192.0.2.20")}}));
            QString out;
            QVERIFY(lab.run(
                QStringLiteral("pc"),
                {QStringLiteral("getent"), QStringLiteral("hosts"), QStringLiteral("trackbox-a")},
                &out));
            QVERIFY2(out.startsWith(QLatin1String("192.0.2.20")), qPrintable(out));
            QVERIFY(
                QFileInfo::exists(QStringLiteral("/etc/netns/") + ns + QStringLiteral("/hosts")));
            QVERIFY(!lab.run(QStringLiteral("pc"), {QStringLiteral("false")}));
            QVERIFY(!lab.run(QStringLiteral("nosuchhost"), {QStringLiteral("true")}));
        }
        QVERIFY(!QFileInfo::exists(QStringLiteral("/etc/netns/") + ns));
    }

    void staleNamespacesOfDeadOwnersAreRemoved()
    {
        const pid_t child = ::fork();
        if (child == 0)
            ::_exit(0);
        QVERIFY(child > 0);
        ::waitpid(child, nullptr, 0);
        const QString stale = QStringLiteral("orv%1_stale_0").arg(child);
        QVERIFY(QProcess::execute(QStringLiteral("ip"),
                                  {QStringLiteral("netns"), QStringLiteral("add"), stale}) == 0);
        const QString mine = QStringLiteral("orv%1_alive_x").arg(::getpid());
        QVERIFY(QProcess::execute(QStringLiteral("ip"),
                                  {QStringLiteral("netns"), QStringLiteral("add"), mine}) == 0);
        // A program the dead owner left running inside goes with its namespace.
        qint64 orphan = 0;
        QVERIFY(QProcess::startDetached(QStringLiteral("ip"),
                                        {QStringLiteral("netns"), QStringLiteral("exec"), stale,
                                         QStringLiteral("sleep"), QStringLiteral("300")},
                                        QString(), &orphan));
        // Another test process's lab may sweep the stale namespace first; either way
        // it and its program must be gone once a lab has been built here.
        QTRY_VERIFY(isInside(stale, orphan) || namespacesWithPrefix(stale).isEmpty());
        NetLab lab(QStringLiteral("sweep"));
        QVERIFY(namespacesWithPrefix(stale).isEmpty());
        QTRY_VERIFY(hasEnded(orphan));
        QCOMPARE(namespacesWithPrefix(mine), QStringList{mine});
        QProcess::execute(QStringLiteral("ip"),
                          {QStringLiteral("netns"), QStringLiteral("delete"), mine});
    }

    void threadsStartedInsideInheritTheHost()
    {
        NetLab lab(QStringLiteral("thr"));
        lab.addHost(QStringLiteral("pc"));
        lab.addInterface(QStringLiteral("pc"), QStringLiteral("203.0.113.5/24"));
        QVERIFY(lab.enter(QStringLiteral("pc")));
        QString seen;
        QThread* t = QThread::create([&seen] {
            QFile f(QStringLiteral("/proc/thread-self/net/dev"));
            if (f.open(QIODevice::ReadOnly))
                seen = QString::fromLatin1(f.readAll());
        });
        t->start();
        t->wait();
        delete t;
        lab.leave();
        QVERIFY2(seen.contains(QLatin1String("eth0:")), qPrintable(seen));
    }

    void programsLeftRunningAreStopped()
    {
        qint64 pid = 0;
        {
            NetLab lab(QStringLiteral("left"));
            lab.addHost(QStringLiteral("tb"));
            QStringList cmd = lab.execPrefix(QStringLiteral("tb"));
            cmd << QStringLiteral("sleep") << QStringLiteral("300");
            QVERIFY(QProcess::startDetached(cmd.takeFirst(), cmd, QString(), &pid));
            QTRY_VERIFY(isInside(lab.ns(QStringLiteral("tb")), pid));
        }
        QTRY_VERIFY(hasEnded(pid));
    }

    void killedOwnerLeavesNothingBehind()
    {
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("ORVANE_NETLAB_ORPHAN"), QStringLiteral("1"));
        child.setProcessEnvironment(env);
        child.start(QCoreApplication::applicationFilePath(), QStringList());
        QVERIFY(child.waitForFinished(20000));
        QCOMPARE(child.exitStatus(), QProcess::CrashExit);
        const QString ns = QString::fromLatin1(child.readAllStandardOutput()).trimmed();
        QVERIFY2(ns.startsWith(QLatin1String("orv")), qPrintable(ns));
        QTRY_VERIFY_WITH_TIMEOUT(namespacesWithPrefix(ns).isEmpty(), 10000);
    }

    void trafficControlProbe()
    {
        NetLab lab(QStringLiteral("tc"));
        QVERIFY(lab.hasQdisc(QStringLiteral("tbf")));
        QVERIFY(!lab.hasQdisc(QStringLiteral("nosuchqdisc")));
    }
};

// With ORVANE_NETLAB_ORPHAN set the executable builds one host, prints its
// namespace and dies the way a test killed by its time-out does.
int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (qEnvironmentVariableIsSet("ORVANE_NETLAB_ORPHAN")) {
        NetLab lab(QStringLiteral("orphan"));
        const QString ns = lab.addHost(QStringLiteral("h"));
        lab.run(QStringLiteral("h"), {QStringLiteral("true")});
        printf("%s\n", qPrintable(ns));
        fflush(stdout);
        ::raise(SIGKILL);
    }
    TestNetLab test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_netlab.moc"
