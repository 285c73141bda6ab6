#include "NetLab.h"

#include <QAtomicInt>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QHostAddress>
#include <QProcess>
#include <QRegularExpression>
#include <QThread>

#include <fcntl.h>
#include <sched.h>
#include <signal.h>
#include <sys/types.h>
#include <unistd.h>

#include <cerrno>

namespace {

const char* const kNetnsRun = "/run/netns/";
const char* const kNetnsEtc = "/etc/netns/";

bool runProgram(const QString& program, const QStringList& args, QString* output, int timeoutMs)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, args);
    if (!p.waitForStarted(timeoutMs)) {
        if (output)
            *output = p.errorString();
        return false;
    }
    if (!p.waitForFinished(timeoutMs)) {
        p.kill();
        p.waitForFinished(1000);
        if (output)
            *output = QString::fromLocal8Bit(p.readAll()) + QStringLiteral("\n(timed out)");
        return false;
    }
    if (output)
        *output = QString::fromLocal8Bit(p.readAll());
    return p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

bool processRuns(qint64 pid)
{
    if (pid <= 0)
        return false;
    return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
}

// Programs left running inside (a simulator of a failed or killed test) would
// keep the namespace alive after its name is gone.
void killInside(const QString& ns)
{
    QString out;
    if (!runProgram(QStringLiteral("ip"), {QStringLiteral("netns"), QStringLiteral("pids"), ns},
                    &out, 10000))
        return;
    const QStringList pids = out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (const QString& text : pids) {
        bool ok = false;
        const qint64 pid = text.trimmed().toLongLong(&ok);
        if (ok && pid > 1 && pid != ::getpid())
            ::kill(static_cast<pid_t>(pid), SIGKILL);
    }
}

void deleteNamespace(const QString& ns)
{
    killInside(ns);
    runProgram(QStringLiteral("ip"), {QStringLiteral("netns"), QStringLiteral("delete"), ns},
               nullptr, 10000);
    QDir(QString::fromLatin1(kNetnsEtc) + ns).removeRecursively();
}

QStringList existingNamespaces()
{
    return QDir(QString::fromLatin1(kNetnsRun)).entryList(QDir::Files | QDir::System);
}

// "192.0.2.10/24" -> "192.0.2.0/24", empty when cidr is not an IPv4 prefix.
QString subnetOf(const QString& cidr)
{
    const QPair<QHostAddress, int> net = QHostAddress::parseSubnet(cidr);
    if (net.first.protocol() != QAbstractSocket::IPv4Protocol || net.second < 0 ||
        net.second > 32 || !cidr.contains(QLatin1Char('/')))
        return {};
    const quint32 mask = net.second == 0 ? 0u : ~0u << (32 - net.second);
    return QHostAddress(net.first.toIPv4Address() & mask).toString() + QLatin1Char('/') +
           QString::number(net.second);
}

// A killed test cannot run its destructors.  A small shell watches for the end
// of this process (end of file on a pipe only we hold) and then removes what
// any lab of ours left behind.  It runs in its own session, so killing the
// test's process group does not take it along.
void startWatchdog()
{
    static bool started = false;
    if (started)
        return;
    started = true;
    const QByteArray me = QByteArray::number(::getpid());
    const QByteArray script =
        "cat >/dev/null; "
        "for f in /run/netns/orv" +
        me +
        "_*; do "
        "[ -e \"$f\" ] || continue; n=${f##*/}; "
        "for p in $(ip netns pids \"$n\"); do kill -9 \"$p\"; done; "
        "ip netns delete \"$n\"; done; "
        "rm -rf /etc/netns/orv" +
        me + "_*";
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0)
        return;
    const pid_t pid = ::fork();
    if (pid == 0) {
        // Only async-signal-safe calls between fork and exec.
        ::setsid();
        ::dup2(fds[0], 0);
        const int null = ::open("/dev/null", O_WRONLY);
        if (null >= 0) {
            ::dup2(null, 1);
            ::dup2(null, 2);
        }
        // Holding the test's sockets or pipes open would outlive their owner.
        for (int fd = 3; fd < 65536; ++fd)
            ::close(fd);
        ::execl("/bin/sh", "sh", "-c", script.constData(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(fds[0]);
    if (pid < 0)
        ::close(fds[1]);
    // On success the write end stays open, unused, until this process ends.
}

}  // namespace

bool NetLab::available(QString* whyNot)
{
    static int state = -1;  // -1 unknown, 0 no, 1 yes
    static QString reason;
    if (state < 0) {
        if (::geteuid() != 0) {
            reason = QStringLiteral("network namespaces need root");
            state = 0;
        } else {
            const QString probe = QStringLiteral("orv%1_probe").arg(::getpid());
            QString out;
            if (runProgram(QStringLiteral("ip"),
                           {QStringLiteral("netns"), QStringLiteral("add"), probe}, &out, 10000)) {
                deleteNamespace(probe);
                state = 1;
            } else {
                reason = QStringLiteral("cannot create a network namespace with 'ip netns add': ") +
                         out.trimmed();
                state = 0;
            }
        }
    }
    if (whyNot)
        *whyNot = reason;
    return state == 1;
}

void NetLab::removeStale()
{
    static const QRegularExpression owned(QStringLiteral("^orv(\\d+)_"));
    for (const QString& ns : existingNamespaces()) {
        const QRegularExpressionMatch m = owned.match(ns);
        if (m.hasMatch() && !processRuns(m.captured(1).toLongLong()))
            deleteNamespace(ns);
    }
    // Host files whose namespace has already gone.
    const QDir etc(QString::fromLatin1(kNetnsEtc));
    for (const QString& ns : etc.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        const QRegularExpressionMatch m = owned.match(ns);
        if (m.hasMatch() && !processRuns(m.captured(1).toLongLong()))
            QDir(etc.filePath(ns)).removeRecursively();
    }
}

NetLab::NetLab(const QString& tag) : m_prefix(QStringLiteral("orv%1_%2_").arg(::getpid()).arg(tag))
{
    removeStale();
    startWatchdog();
}

// Numbers are unique in the process, so two labs with one tag never collide.
QString NetLab::nextName(const QString& suffix)
{
    static QAtomicInt sequence;
    return m_prefix + suffix + QString::number(sequence.fetchAndAddRelaxed(1));
}

NetLab::~NetLab()
{
    leave();
    if (m_homeFd >= 0)
        ::close(m_homeFd);
    for (int i = m_namespaces.size() - 1; i >= 0; --i)
        deleteNamespace(m_namespaces.at(i));
}

bool NetLab::ip(const QStringList& args, QString* output)
{
    QString out;
    const bool ok = runProgram(QStringLiteral("ip"), args, &out, 10000);
    if (!ok)
        qWarning("NetLab: ip %s: %s", qPrintable(args.join(QLatin1Char(' '))),
                 qPrintable(out.trimmed()));
    if (output)
        *output = out;
    return ok;
}

bool NetLab::createNamespace(const QString& ns)
{
    if (!ip({QStringLiteral("netns"), QStringLiteral("add"), ns}))
        return false;
    m_namespaces << ns;
    return ip({QStringLiteral("-n"), ns, QStringLiteral("link"), QStringLiteral("set"),
               QStringLiteral("lo"), QStringLiteral("up")});
}

const NetLab::Host* NetLab::findHost(const QString& host) const
{
    for (const Host& h : m_hosts)
        if (h.name == host || h.ns == host)
            return &h;
    return nullptr;
}

NetLab::Host* NetLab::findHost(const QString& host)
{
    return const_cast<Host*>(static_cast<const NetLab*>(this)->findHost(host));
}

QString NetLab::addHost(const QString& name)
{
    if (name.isEmpty() || findHost(name))
        return {};
    const QString ns = nextName(QString());
    if (!createNamespace(ns))
        return {};
    m_hosts.append(Host{name, ns, 0});
    return ns;
}

QString NetLab::ns(const QString& host) const
{
    const Host* h = findHost(host);
    return h ? h->ns : QString();
}

QString NetLab::hubBridge(const QString& subnetKey)
{
    const auto it = m_bridges.constFind(subnetKey);
    if (it != m_bridges.constEnd())
        return it.value();
    if (m_hub.isEmpty()) {
        const QString hub = nextName(QStringLiteral("hub"));
        if (!createNamespace(hub))
            return {};
        m_hub = hub;
    }
    const QString bridge = QStringLiteral("br%1").arg(m_bridges.size());
    // Snooping off: without a multicast router on the switch it would drop group traffic.
    if (!ip({QStringLiteral("-n"), m_hub, QStringLiteral("link"), QStringLiteral("add"), bridge,
             QStringLiteral("type"), QStringLiteral("bridge"), QStringLiteral("mcast_snooping"),
             QStringLiteral("0")}) ||
        !ip({QStringLiteral("-n"), m_hub, QStringLiteral("link"), QStringLiteral("set"), bridge,
             QStringLiteral("up")}))
        return {};
    m_bridges.insert(subnetKey, bridge);
    return bridge;
}

QString NetLab::addInterface(const QString& host, const QString& cidr, const QString& mac)
{
    Host* h = findHost(host);
    const QString subnet = subnetOf(cidr);
    if (!h || subnet.isEmpty())
        return {};
    const QString bridge = hubBridge(subnet);
    if (bridge.isEmpty())
        return {};
    const QString ifname = QStringLiteral("eth%1").arg(h->interfaces);
    const QString port = QStringLiteral("p%1").arg(m_ports);
    const QString n = QStringLiteral("-n");
    const QString link = QStringLiteral("link");
    const QString set = QStringLiteral("set");
    const QString dev = QStringLiteral("dev");
    const QString up = QStringLiteral("up");
    if (!ip({n, h->ns, link, QStringLiteral("add"), ifname, QStringLiteral("type"),
             QStringLiteral("veth"), QStringLiteral("peer"), QStringLiteral("name"), port,
             QStringLiteral("netns"), m_hub}))
        return {};
    ++h->interfaces;
    ++m_ports;
    if (!ip({n, m_hub, link, set, port, QStringLiteral("master"), bridge, up}))
        return {};
    if (!mac.isEmpty() && !ip({n, h->ns, link, set, dev, ifname, QStringLiteral("address"), mac}))
        return {};
    if (!ip({n, h->ns, QStringLiteral("addr"), QStringLiteral("add"), cidr, QStringLiteral("brd"),
             QStringLiteral("+"), dev, ifname}) ||
        !ip({n, h->ns, link, set, dev, ifname, up}))
        return {};
    // A veth reports carrier a moment after "up"; traffic sent before that is lost,
    // which a loaded machine turns into a flaky first datagram.
    if (!waitForCarrier(h->ns, ifname) || !waitForCarrier(m_hub, port))
        return {};
    return ifname;
}

bool NetLab::waitForCarrier(const QString& ns, const QString& ifname)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 5000) {
        QString out;
        if (!ip({QStringLiteral("-n"), ns, QStringLiteral("-o"), QStringLiteral("link"),
                 QStringLiteral("show"), QStringLiteral("dev"), ifname},
                &out))
            return false;
        if (out.contains(QLatin1String("state UP")))
            return true;
        QThread::msleep(5);
    }
    qWarning("NetLab: %s in %s never came up", qPrintable(ifname), qPrintable(ns));
    return false;
}

QStringList NetLab::execPrefix(const QString& host) const
{
    return {QStringLiteral("ip"), QStringLiteral("netns"), QStringLiteral("exec"), ns(host)};
}

bool NetLab::run(const QString& host, const QStringList& argv, QString* output, int timeoutMs)
{
    const QString name = ns(host);
    if (name.isEmpty() || argv.isEmpty()) {
        if (output)
            *output = QStringLiteral("unknown host ") + host;
        return false;
    }
    QStringList args = execPrefix(host).mid(1);
    args << argv;
    return runProgram(QStringLiteral("ip"), args, output, timeoutMs);
}

bool NetLab::enter(const QString& host)
{
    const QString name = ns(host);
    if (name.isEmpty())
        return false;
    if (m_homeFd < 0) {
        m_homeFd = ::open("/proc/thread-self/ns/net", O_RDONLY | O_CLOEXEC);
        if (m_homeFd < 0)
            return false;
    }
    const int fd = ::open(QFile::encodeName(QString::fromLatin1(kNetnsRun) + name).constData(),
                          O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool ok = ::setns(fd, CLONE_NEWNET) == 0;
    ::close(fd);
    if (ok)
        m_entered = true;
    return ok;
}

void NetLab::leave()
{
    if (m_entered && m_homeFd >= 0 && ::setns(m_homeFd, CLONE_NEWNET) == 0)
        m_entered = false;
}

bool NetLab::setHosts(const QString& host, const QMap<QString, QString>& nameToIp)
{
    const QString name = ns(host);
    if (name.isEmpty())
        return false;
    const QString dir = QString::fromLatin1(kNetnsEtc) + name;
    if (!QDir().mkpath(dir))
        return false;
    QFile hosts(dir + QStringLiteral("/hosts"));
    if (!hosts.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    QByteArray text = "127.0.0.1\tlocalhost\n";
    for (auto it = nameToIp.constBegin(); it != nameToIp.constEnd(); ++it)
        text += it.value().toLatin1() + '\t' + it.key().toLatin1() + '\n';
    if (hosts.write(text) != text.size())
        return false;
    hosts.close();
    // An empty resolver configuration: anything not in hosts fails locally.
    QFile resolv(dir + QStringLiteral("/resolv.conf"));
    return resolv.open(QIODevice::WriteOnly | QIODevice::Truncate);
}

bool NetLab::hasQdisc(const QString& kind)
{
    const auto it = m_qdiscs.constFind(kind);
    if (it != m_qdiscs.constEnd())
        return it.value();
    if (m_probe.isEmpty()) {
        const QString probe = nextName(QStringLiteral("q"));
        if (!createNamespace(probe))
            return false;
        m_probe = probe;
    }
    const QString& probe = m_probe;
    QStringList args{QStringLiteral("netns"),
                     QStringLiteral("exec"),
                     probe,
                     QStringLiteral("tc"),
                     QStringLiteral("qdisc"),
                     QStringLiteral("replace"),
                     QStringLiteral("dev"),
                     QStringLiteral("lo"),
                     QStringLiteral("root"),
                     kind};
    if (kind == QLatin1String("tbf"))
        args << QStringLiteral("rate") << QStringLiteral("1mbit") << QStringLiteral("burst")
             << QStringLiteral("32kbit") << QStringLiteral("latency") << QStringLiteral("400ms");
    const bool ok = runProgram(QStringLiteral("ip"), args, nullptr, 10000);
    m_qdiscs.insert(kind, ok);
    return ok;
}
