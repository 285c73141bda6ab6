#pragma once

#include <QMap>
#include <QString>
#include <QStringList>
#include <QVector>

// A throw-away multi-host network built from Linux network namespaces, for tests
// that need several machines (discovery broadcasts, wake-on-LAN, controllers on
// other subnets).  Needs root; tests call available() first and QSKIP with the
// reason it gives.
//
//   NetLab lab("scan");
//   lab.addHost("pc");   lab.addInterface("pc", "192.0.2.10/24");
//   lab.addHost("tb1");  lab.addInterface("tb1", "192.0.2.20/24");
//   QStringList cmd = lab.execPrefix("tb1") + simulatorArgs;
//   QProcess sim;  sim.start(cmd.takeFirst(), cmd);
//   lab.enter("pc");     // this thread (and threads it starts) now live in "pc"
//   ... run the scanner ...
//   lab.leave();
//
// Topology: every host is a namespace "orv<pid>_<tag>_<n>" with "lo" up and no
// default route (send broadcasts to the subnet's broadcast address).  Each
// interface is one end of a veth pair named "eth<k>" inside its host; the other
// end is a port of the subnet's switch, a bridge in one hidden hub namespace
// ("orv<pid>_<tag>_hub<n>", one bridge per subnet).  Hosts on the same subnet reach
// each other, broadcasts included; different subnets are not routed.  No name
// or address is created in the machine's own namespace, so deleting the
// namespaces removes every veth and bridge with them.
//
// Named namespaces rather than ones that vanish with their process (unshare):
// programs started with "ip netns exec" need a name to join, and only named
// namespaces get the /etc/netns files of setHosts().
//
// Clean-up: the destructor deletes everything the lab made, and kills programs
// still running inside its hosts.  A test killed by its time-out cannot run it,
// so the first lab of a process also starts a watchdog process that does the
// same once the test process has ended, however it ended; and every
// constructor sweeps the namespaces (and /etc/netns entries) of "orv<pid>_..."
// owners whose process has gone.
//
// Traffic control: this kernel has "tbf" but no "netem".  A test that needs a
// missing queueing discipline asks hasQdisc() and QSKIPs with a clear message.
class NetLab
{
public:
    // True when we are root and namespaces can be created; otherwise *whyNot
    // (if given) says why, fit for QSKIP.
    static bool available(QString* whyNot = nullptr);

    // tag: a short word naming the test (letters, digits), part of every name.
    explicit NetLab(const QString& tag);
    ~NetLab();
    NetLab(const NetLab&) = delete;
    NetLab& operator=(const NetLab&) = delete;

    // A new host with only "lo" up.  Returns its namespace name (empty on failure).
    QString addHost(const QString& name);

    // A new interface in host with the address cidr ("192.0.2.10/24"), the
    // subnet's broadcast address and, when given, the MAC "02:00:00:00:00:01",
    // attached to the subnet's switch and up.  A host may have several, also on
    // one subnet.  Returns the interface name ("eth0", ...), empty on failure.
    QString addInterface(const QString& host, const QString& cidr, const QString& mac = {});

    // Namespace name of a host (the name given to addHost), empty if unknown.
    QString ns(const QString& host) const;

    // Runs argv inside host and waits for it; true when it exited with 0.
    // stdout and stderr are merged into *output.
    bool run(const QString& host, const QStringList& argv, QString* output = nullptr,
             int timeoutMs = 10000);

    // {"ip", "netns", "exec", <namespace>}: prepend to a program's argv to start
    // it inside host with QProcess (for long-running programs such as the
    // simulator).  Programs started this way see the files of setHosts().
    QStringList execPrefix(const QString& host) const;

    // Moves the calling thread into host's network namespace; threads it starts
    // afterwards inherit it.  leave() (from the same thread) moves it back; the
    // destructor does so too.  Only the network is switched: name look-ups in
    // this process still read the machine's /etc/hosts, because the
    // /etc/netns files of setHosts() are applied by "ip netns exec" alone.
    bool enter(const QString& host);
    void leave();

    // Writes /etc/netns/<namespace>/hosts with these entries (plus localhost)
    // and an empty resolv.conf, so programs started with execPrefix()/run()
    // resolve the names without any DNS traffic.  Removed by the destructor.
    bool setHosts(const QString& host, const QMap<QString, QString>& nameToIp);

    // Whether the kernel accepts the queueing discipline kind ("tbf", "netem").
    bool hasQdisc(const QString& kind);

    // Deletes the namespaces of "orv<pid>_" owners that no longer run.
    static void removeStale();

private:
    struct Host
    {
        QString name;
        QString ns;
        int interfaces = 0;
    };

    bool ip(const QStringList& args, QString* output = nullptr);
    bool waitForCarrier(const QString& ns, const QString& ifname);
    QString nextName(const QString& suffix);
    bool createNamespace(const QString& ns);
    QString hubBridge(const QString& subnetKey);
    const Host* findHost(const QString& host) const;
    Host* findHost(const QString& host);

    QString m_prefix;
    QString m_hub;
    QString m_probe;
    QVector<Host> m_hosts;
    QStringList m_namespaces;          // everything to delete, in creation order
    QMap<QString, QString> m_bridges;  // subnet -> bridge in the hub
    QMap<QString, bool> m_qdiscs;
    int m_ports = 0;
    int m_homeFd = -1;
    bool m_entered = false;
};
