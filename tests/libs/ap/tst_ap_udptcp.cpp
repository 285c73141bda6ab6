// UDP and TCP sockets of the portability layer, on real sockets over the
// loop-back addresses 127.0.1.1 to 127.0.1.9 (and a namespace for multicast).

#include <QScopeGuard>
#include <QtTest>

#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <unistd.h>

#include <vector>

#include "NetLab.h"
#include "ap_udptcp.h"
#include "ap_udptcp_p.h"

namespace {

constexpr uint32_t kLo1 = 0x7F000101u;  // 127.0.1.1
constexpr uint32_t kLo2 = 0x7F000102u;
constexpr unsigned kWait = 2000000;  // generous: the suite runs on a loaded machine

struct Udp
{
    ap_ip_socket_type s = nullptr;
    explicit Udp(uint16_t port = 0, uint16_t options = AP_SOCK_ANYPORT)
    {
        if (ap_udp_init(&s, port, options) != 0)
            s = nullptr;
    }
    ~Udp()
    {
        if (s)
            ap_udp_exit(s);
    }
    uint16_t port() const
    {
        uint16_t p = 0;
        ap_ip_getsockaddr(s, nullptr, &p);
        return p;
    }
    int send(const QByteArray& data, uint32_t ip, uint16_t port) const
    {
        return ap_udp_send(s, data.constData(), data.size(), ip, port, kWait);
    }
};

// Waits without reading, so the library's own wait is what the test observes.
bool readable(ap_ip_socket_type s)
{
    pollfd pfd{s->ossock, POLLIN, 0};
    return ::poll(&pfd, 1, 2000) == 1;
}

int intOption(ap_ip_socket_type s, int level, int name)
{
    int value = -1;
    socklen_t len = sizeof value;
    getsockopt(s->ossock, level, name, &value, &len);
    return value;
}

// A TCP server on a system-chosen port with one connected client.
struct TcpPair
{
    ap_ip_socket_type server = nullptr;
    ap_ip_socket_type client = nullptr;
    ap_ip_socket_type conn = nullptr;
    uint16_t port = 0;

    bool open(uint16_t options = 0)
    {
        if (ap_tcp_server_init(&server, 0, options | AP_SOCK_ANYPORT) != 0)
            return false;
        ap_ip_getsockaddr(server, nullptr, &port);
        if (ap_tcp_client_init(&client, kLo1, port) != 0)
            return false;
        char buf[8];
        return ap_tcp_server_receive(server, &conn, buf, sizeof buf, kWait) == -21;
    }
    ~TcpPair()
    {
        if (client)
            ap_tcp_exit(client);
        if (server)
            ap_tcp_exit(server);  // also releases conn
    }
};

}  // namespace

class TestApUdpTcp : public QObject
{
    Q_OBJECT

private slots:
    void udpInitOptions()
    {
        Udp unbound(0, 0);
        QVERIFY(unbound.s);
        QCOMPARE(unbound.port(), uint16_t(0));
        QCOMPARE(intOption(unbound.s, SOL_SOCKET, SO_REUSEADDR), 1);
        QCOMPARE(intOption(unbound.s, SOL_SOCKET, SO_BROADCAST), 0);
        QVERIFY(fcntl(unbound.s->ossock, F_GETFD) & FD_CLOEXEC);

        Udp any(0, AP_SOCK_ANYPORT);
        QVERIFY(any.port() != 0);
        // The system assigns the unbound socket a port at its first send.
        QCOMPARE(unbound.send("x", kLo1, any.port()), 0);
        QVERIFY(unbound.port() != 0);

        // Option 4 ignores the given port.
        Udp both(1, AP_SOCK_BROADCAST | AP_SOCK_ANYPORT);
        QVERIFY(both.s);
        QVERIFY(both.port() != 0 && both.port() != 1);
        QCOMPARE(intOption(both.s, SOL_SOCKET, SO_BROADCAST), 1);

        const uint16_t freePort = both.port();
        ap_udp_exit(both.s);
        both.s = nullptr;
        Udp fixed(freePort, 0);
        QVERIFY(fixed.s);
        QCOMPARE(fixed.port(), freePort);
        uint32_t ip = 1;
        QCOMPARE(ap_ip_getsockaddr(fixed.s, &ip, nullptr), 0);
        QCOMPARE(ip, 0u);  // wildcard
    }

    void receiveKeepsFirstOrNewest()
    {
        Udp rx, tx;
        for (const char* d : {"one", "two", "three"})
            QCOMPARE(tx.send(d, kLo1, rx.port()), 0);
        char buf[32];
        QCOMPARE(ap_udp_receive(rx.s, buf, sizeof buf, kWait, 0), 3);
        QCOMPARE(QByteArray(buf, 3), QByteArray("one"));
        QCOMPARE(ap_udp_receive(rx.s, buf, sizeof buf, kWait, 0), 3);
        QCOMPARE(QByteArray(buf, 3), QByteArray("two"));
        QCOMPARE(ap_udp_receive(rx.s, buf, sizeof buf, kWait, 0), 5);

        for (const char* d : {"one", "two", "three"})
            QCOMPARE(tx.send(d, kLo1, rx.port()), 0);
        QCOMPARE(ap_udp_receive(rx.s, buf, sizeof buf, kWait, AP_RECV_NEWEST), 5);
        QCOMPARE(QByteArray(buf, 5), QByteArray("three"));
        QCOMPARE(ap_udp_receive(rx.s, buf, sizeof buf, 0, 0), -1);
    }

    void fullBufferIsTruncationUnlessAllowed()
    {
        Udp rx, tx;
        char buf[8];
        QCOMPARE(tx.send("12345678", kLo1, rx.port()), 0);
        QCOMPARE(ap_udp_receive(rx.s, buf, sizeof buf, kWait, 0), -3);
        QCOMPARE(tx.send("12345678", kLo1, rx.port()), 0);
        QCOMPARE(ap_udp_receive(rx.s, buf, sizeof buf, kWait, AP_RECV_FULLBUF), 8);
        QCOMPARE(tx.send("123456789abc", kLo1, rx.port()), 0);
        QCOMPARE(ap_udp_receive(rx.s, buf, sizeof buf, kWait, 0), -3);
        QCOMPARE(tx.send("1234567", kLo1, rx.port()), 0);
        QCOMPARE(ap_udp_receive(rx.s, buf, sizeof buf, kWait, 0), 7);
        // Newest-wins judges the datagram it keeps.
        QCOMPARE(tx.send("12345678", kLo1, rx.port()), 0);
        QCOMPARE(tx.send("short", kLo1, rx.port()), 0);
        QCOMPARE(ap_udp_receive(rx.s, buf, sizeof buf, kWait, AP_RECV_NEWEST), 5);
    }

    void timeoutLeavesBufferUntouched()
    {
        Udp rx;
        char buf[4] = {'a', 'b', 'c', 'd'};
        QCOMPARE(ap_udp_receive(rx.s, buf, sizeof buf, 0, 0), -1);
        QElapsedTimer t;
        t.start();
        QCOMPARE(ap_udp_receive(rx.s, buf, sizeof buf, 100000, 0), -1);
        QVERIFY(t.elapsed() >= 95);
        QCOMPARE(QByteArray(buf, 4), QByteArray("abcd"));
    }

    void receiveFromReportsSender()
    {
        Udp rx, tx;
        QCOMPARE(tx.send("hi", kLo2, rx.port()), 0);
        char buf[8];
        uint32_t ip = 0;
        uint16_t port = 0;
        QCOMPARE(ap_udp_receive_from(rx.s, buf, sizeof buf, &ip, &port, kWait, 0), 2);
        QCOMPARE(port, tx.port());
        QCOMPARE(ip >> 24, 127u);
        // Both outputs are optional.
        QCOMPARE(tx.send("hi", kLo2, rx.port()), 0);
        QCOMPARE(ap_udp_receive_from(rx.s, buf, sizeof buf, nullptr, nullptr, kWait, 0), 2);
    }

    void multisocketPicksFirstReadyInArrayOrder()
    {
        Udp a, b, c, tx;
        ap_ip_socket_type socks[3] = {a.s, b.s, c.s};
        char buf[16];
        int index = -1;
        QCOMPARE(ap_udp_receive_multisocket(socks, 3, &index, buf, sizeof buf, 0, 0), -1);

        QCOMPARE(tx.send("to-b", kLo1, b.port()), 0);
        QCOMPARE(ap_udp_receive_multisocket(socks, 3, &index, buf, sizeof buf, kWait, 0), 4);
        QCOMPARE(index, 1);
        QCOMPARE(QByteArray(buf, 4), QByteArray("to-b"));

        QCOMPARE(tx.send("to-c", kLo1, c.port()), 0);
        QCOMPARE(tx.send("to-a", kLo1, a.port()), 0);
        QVERIFY(readable(c.s) && readable(a.s));
        QCOMPARE(ap_udp_receive_multisocket(socks, 3, &index, buf, sizeof buf, kWait, 0), 4);
        QCOMPARE(index, 0);
        QCOMPARE(QByteArray(buf, 4), QByteArray("to-a"));
        QCOMPARE(ap_udp_receive_multisocket(socks, 3, &index, buf, sizeof buf, kWait, 0), 4);
        QCOMPARE(index, 2);

        QElapsedTimer t;
        t.start();
        QCOMPARE(ap_udp_receive_multisocket(socks, 0, &index, buf, sizeof buf, 50000, 0), -1);
        QVERIFY(t.elapsed() >= 45);
    }

    void multicastCalls()
    {
        Udp s;
        QCOMPARE(ap_udp_setmulticast(s.s, 0, -1), 0);
        QCOMPARE(intOption(s.s, IPPROTO_IP, IP_MULTICAST_TTL), 1);
        QCOMPARE(intOption(s.s, IPPROTO_IP, IP_MULTICAST_LOOP), 1);
        QCOMPARE(ap_udp_setmulticast(s.s, 4, 0), 0);
        QCOMPARE(intOption(s.s, IPPROTO_IP, IP_MULTICAST_TTL), 4);
        QCOMPARE(intOption(s.s, IPPROTO_IP, IP_MULTICAST_LOOP), 0);
        QCOMPARE(ap_udp_setmulticast(s.s, 0, 7), 0);
        QCOMPARE(intOption(s.s, IPPROTO_IP, IP_MULTICAST_TTL), 4);
        QCOMPARE(intOption(s.s, IPPROTO_IP, IP_MULTICAST_LOOP), 1);
        QCOMPARE(ap_udp_setmulticast(s.s, 300, -1), -2);
    }

    void multicastGroupBetweenHosts()
    {
        // Joining on the default interface would announce the group on the
        // machine's own network, so this runs between two namespaced hosts.
        QString why;
        if (!NetLab::available(&why))
            QSKIP(qPrintable(why));
        NetLab lab(QStringLiteral("mcast"));
        for (const char* h : {"pc", "tb"}) {
            const QString host = QLatin1String(h);
            lab.addHost(host);
            lab.addInterface(host, host == QLatin1String("pc") ? QStringLiteral("192.0.2.10/24")
                                                               : QStringLiteral("192.0.2.20/24"));
            QVERIFY(lab.run(host, {QStringLiteral("ip"), QStringLiteral("route"),
                                   QStringLiteral("add"), QStringLiteral("224.0.0.0/4"),
                                   QStringLiteral("dev"), QStringLiteral("eth0")}));
        }
        const uint32_t group = ap_ip_num2ip(239, 192, 0, 7);
        QVERIFY(lab.enter(QStringLiteral("tb")));
        Udp rx(0, AP_SOCK_ANYPORT);
        QVERIFY(lab.enter(QStringLiteral("pc")));
        Udp tx(0, AP_SOCK_ANYPORT);
        lab.leave();
        QVERIFY(rx.s && tx.s);

        QCOMPARE(ap_udp_dropgroup(rx.s, group), -2);  // not a member yet
        QCOMPARE(ap_udp_joingroup(rx.s, group), 0);
        QCOMPARE(ap_udp_setmulticast(tx.s, 1, 0), 0);
        char buf[16];
        QCOMPARE(tx.send("group", group, rx.port()), 0);
        QCOMPARE(ap_udp_receive(rx.s, buf, sizeof buf, kWait, 0), 5);
        QCOMPARE(ap_udp_dropgroup(rx.s, group), 0);
        QCOMPARE(tx.send("group", group, rx.port()), 0);
        QCOMPARE(ap_udp_receive(rx.s, buf, sizeof buf, 300000, 0), -1);
        QCOMPARE(ap_udp_joingroup(rx.s, ap_ip_num2ip(192, 0, 2, 1)), -2);  // not a group
    }

    void singleConnectionServerAcceptsOneAtATime()
    {
        TcpPair p;
        QVERIFY(p.open());
        QCOMPARE(ap_tcp_send(p.client, "hello", 5, kWait), 0);
        char buf[16];
        ap_ip_socket_type from = nullptr;
        QCOMPARE(ap_tcp_server_receive(p.server, &from, buf, sizeof buf, kWait), 5);
        QCOMPARE(from, p.conn);
        QCOMPARE(QByteArray(buf, 5), QByteArray("hello"));

        // A second client completes its handshake in the backlog but is not accepted.
        ap_ip_socket_type second = nullptr;
        QCOMPARE(ap_tcp_client_init(&second, kLo2, p.port), 0);
        auto closeSecond = qScopeGuard([&] { ap_tcp_exit(second); });
        QCOMPARE(ap_tcp_server_receive(p.server, &from, buf, sizeof buf, 200000), -1);

        QCOMPARE(ap_tcp_exit(p.client), 0);
        p.client = nullptr;
        QCOMPARE(ap_tcp_server_receive(p.server, &from, buf, sizeof buf, kWait), -22);
        QCOMPARE(from, p.conn);
        QCOMPARE(ap_tcp_exit(p.conn), 0);
        QVERIFY(p.server->next == nullptr);

        // With the connection gone the server listens again.
        ap_ip_socket_type conn2 = nullptr;
        QCOMPARE(ap_tcp_server_receive(p.server, &conn2, buf, sizeof buf, kWait), -21);
        uint16_t peerPort = 0, secondPort = 0;
        QCOMPARE(ap_ip_getpeeraddr(conn2, nullptr, &peerPort), 0);
        QCOMPARE(ap_ip_getsockaddr(second, nullptr, &secondPort), 0);
        QCOMPARE(peerPort, secondPort);
    }

    void multiConnectionServerListsNewestFirst()
    {
        TcpPair p;
        QVERIFY(p.open(AP_SOCK_MULTICONN));
        ap_ip_socket_type second = nullptr;
        QCOMPARE(ap_tcp_client_init(&second, kLo2, p.port), 0);
        auto closeSecond = qScopeGuard([&] { ap_tcp_exit(second); });
        char buf[16];
        ap_ip_socket_type conn2 = nullptr;
        QCOMPARE(ap_tcp_server_receive(p.server, &conn2, buf, sizeof buf, kWait), -21);
        QVERIFY(conn2 != p.conn);
        QVERIFY(fcntl(conn2->ossock, F_GETFD) & FD_CLOEXEC);
        QCOMPARE(p.server->next, conn2);
        QCOMPARE(conn2->next, p.conn);
        QCOMPARE(p.conn->prev, conn2);
        QCOMPARE(conn2->prev, p.server);

        QCOMPARE(ap_tcp_send(p.client, "old", 3, kWait), 0);
        QCOMPARE(ap_tcp_send(second, "new", 3, kWait), 0);
        QVERIFY(readable(p.conn) && readable(conn2));
        ap_ip_socket_type from = nullptr;
        QCOMPARE(ap_tcp_server_receive(p.server, &from, buf, sizeof buf, kWait), 3);
        QCOMPARE(from, conn2);
        QCOMPARE(QByteArray(buf, 3), QByteArray("new"));
        QCOMPARE(ap_tcp_server_receive(p.server, &from, buf, sizeof buf, kWait), 3);
        QCOMPARE(from, p.conn);

        // Releasing the middle of the list keeps the rest linked.
        QCOMPARE(ap_tcp_exit(conn2), 0);
        QCOMPARE(p.server->next, p.conn);
        QCOMPARE(p.conn->prev, p.server);
        QCOMPARE(ap_tcp_send(p.client, "more", 4, kWait), 0);
        QCOMPARE(ap_tcp_server_receive(p.server, &from, buf, sizeof buf, kWait), 4);
        QCOMPARE(from, p.conn);
    }

    void serverExitClosesItsConnections()
    {
        TcpPair p;
        QVERIFY(p.open());
        QCOMPARE(ap_tcp_exit(p.server), 0);
        p.server = nullptr;
        char buf[4];
        QCOMPARE(ap_tcp_receive(p.client, buf, sizeof buf, kWait), -22);
    }

    void tcpReceivePollAndPeerClose()
    {
        TcpPair p;
        QVERIFY(p.open());
        char buf[16] = {};
        QElapsedTimer t;
        t.start();
        QCOMPARE(ap_tcp_receive(p.client, buf, sizeof buf, 0), -1);
        QVERIFY(t.elapsed() < 500);
        QCOMPARE(ap_tcp_send(p.conn, "abc", 3, kWait), 0);
        QCOMPARE(ap_tcp_receive(p.client, buf, sizeof buf, kWait), 3);
        QCOMPARE(ap_tcp_exit(p.server), 0);  // closes conn too
        p.server = nullptr;
        QCOMPARE(ap_tcp_receive(p.client, buf, sizeof buf, kWait), -22);

        // Sending into a closed connection fails with -2 instead of killing the
        // process with SIGPIPE.
        int rc = 0;
        for (int i = 0; i < 20 && rc == 0; ++i) {
            rc = ap_tcp_send(p.client, "x", 1, kWait);
            if (rc == 0)
                QTest::qWait(10);
        }
        QCOMPARE(rc, -2);
    }

    void connectFailures()
    {
        Udp probe;
        const uint16_t unused = probe.port();  // a UDP port: no TCP listener there
        ap_ip_socket_type s = reinterpret_cast<ap_ip_socket_type>(0x1);
        QCOMPARE(ap_tcp_client_init(&s, kLo1, unused), -2);
        QCOMPARE(s, reinterpret_cast<ap_ip_socket_type>(0x1));  // no handle left behind

        TcpPair p;
        QVERIFY(p.open());
        ap_ip_socket_type other = nullptr;
        // Address reuse does not allow two listeners on one port.
        QCOMPARE(ap_tcp_server_init(&other, p.port, 0), -2);
    }

    // On Linux 0.0.0.0 is this host: a controller address not known yet must reach nobody,
    // not whatever listens here.
    void addressZeroReachesNobody()
    {
        Udp rx(0, AP_SOCK_ANYPORT);
        Udp tx;
        QVERIFY(rx.s && tx.s);
        QCOMPARE(tx.send("orvane2 get system version", 0, rx.port()), -2);
        pollfd pfd{rx.s->ossock, POLLIN, 0};
        QCOMPARE(::poll(&pfd, 1, 200), 0);

        ap_ip_socket_type server = nullptr;
        QCOMPARE(ap_tcp_server_init(&server, 0, AP_SOCK_ANYPORT), 0);
        uint16_t port = 0;
        ap_ip_getsockaddr(server, nullptr, &port);
        ap_ip_socket_type client = nullptr;
        QCOMPARE(ap_tcp_client_init(&client, 0, port), -2);
        QCOMPARE(client, ap_ip_socket_type(nullptr));
        ap_tcp_exit(server);
    }

    void keepAliveSettings()
    {
        TcpPair p;
        QVERIFY(p.open());
        QCOMPARE(ap_tcp_set_keepalive(p.client, 30, 4, 5), 0);
        QCOMPARE(intOption(p.client, SOL_SOCKET, SO_KEEPALIVE), 1);
        QCOMPARE(intOption(p.client, IPPROTO_TCP, TCP_KEEPIDLE), 30);
        QCOMPARE(intOption(p.client, IPPROTO_TCP, TCP_KEEPCNT), 4);
        QCOMPARE(intOption(p.client, IPPROTO_TCP, TCP_KEEPINTVL), 5);
        QCOMPARE(ap_tcp_set_keepalive(p.client, 30, -1, 5), -2);
        QCOMPARE(ap_tcp_set_keepalive(p.client, 0, 4, 5), -2);
    }

    void addressHelpers()
    {
        QCOMPARE(ap_ip_num2ip(192, 168, 0, 256), 0u);
        QCOMPARE(ap_ip_num2ip(-1, 0, 0, 1), 0u);
        QCOMPARE(ap_ip_num2ip(127, 0, 1, 9), 0x7F000109u);
        int a = -1, b = -1, c = -1, d = -1;
        ap_ip_ip2num(&a, &b, &c, &d, ap_ip_num2ip(10, 0, 0, 1));
        QCOMPARE(QVector<int>({a, b, c, d}), QVector<int>({10, 0, 0, 1}));
        ap_ip_ip2num(&a, &b, &c, &d, 0xFFFFFFFFu);
        QCOMPARE(QVector<int>({a, b, c, d}), QVector<int>({255, 255, 255, 255}));

        QCOMPARE(ap_ip_name2ip("127.0.1.7"), 0x7F000107u);
        QCOMPARE(ap_ip_name2ip("255.255.255.255"), 0xFFFFFFFFu);
        QCOMPARE(ap_ip_name2ip("localhost"), 0x7F000001u);
        QCOMPARE(ap_ip_name2ip(""), 0u);
        QCOMPARE(ap_ip_name2ip(nullptr), 0u);

        QString why;
        if (NetLab::available(&why)) {
            // An unknown name is looked up only where the look-up cannot leave the machine.
            NetLab lab(QStringLiteral("names"));
            lab.addHost(QStringLiteral("alone"));
            QVERIFY(lab.enter(QStringLiteral("alone")));
            const uint32_t ip = ap_ip_name2ip("no-such-trackbox.invalid");
            lab.leave();
            QCOMPARE(ip, 0u);
        }

        TcpPair p;
        QVERIFY(p.open());
        uint32_t ip = 0;
        uint16_t port = 0;
        QCOMPARE(ap_ip_getpeeraddr(p.client, &ip, &port), 0);
        QCOMPARE(ip, kLo1);
        QCOMPARE(port, p.port);
        QCOMPARE(ap_ip_getpeeraddr(p.server, &ip, &port), -2);  // a listener has no peer
        QCOMPARE(ap_ip_getsockaddr(p.conn, &ip, nullptr), 0);
        QCOMPARE(ip, kLo1);
    }

    // Four decimal parts are an address as the operator wrote it, leading zeros included;
    // other numeric forms still go to the system's conversion.
    void dottedTextIsDecimal_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<uint>("ip");
        QTest::newRow("zero-padded") << "192.168.010.005" << 0xC0A80A05u;
        QTest::newRow("all padded") << "010.000.000.001" << 0x0A000001u;
        QTest::newRow("long zero run") << "127.0.0009.00000001" << 0x7F000901u;
        QTest::newRow("plain") << "10.20.30.40" << 0x0A141E28u;
        QTest::newRow("all ones") << "255.255.255.255" << 0xFFFFFFFFu;
        QTest::newRow("zero") << "0.0.0.0" << 0u;
        QTest::newRow("short form to system") << "127.1" << 0x7F000001u;
        QTest::newRow("hex part to system") << "0x7f.0.0.1" << 0x7F000001u;
    }

    void dottedTextIsDecimal()
    {
        QFETCH(QString, text);
        QFETCH(uint, ip);
        QCOMPARE(ap_ip_name2ip(text.toLatin1().constData()), ip);
    }

    void descriptorsBeyondTheWaitSetAreRefused()
    {
        // Occupy every descriptor below FD_SETSIZE so the next one lies above it.
        rlimit saved{};
        QCOMPARE(getrlimit(RLIMIT_NOFILE, &saved), 0);
        rlimit raised = saved;
        if (raised.rlim_cur < FD_SETSIZE + 64) {
            raised.rlim_cur = FD_SETSIZE + 64;
            if (raised.rlim_max < raised.rlim_cur)
                raised.rlim_max = raised.rlim_cur;
            if (setrlimit(RLIMIT_NOFILE, &raised) != 0)
                QSKIP("cannot raise the descriptor limit above FD_SETSIZE");
        }
        TcpPair p;  // created while descriptors are still low
        QVERIFY(p.open());
        ap_tcp_exit(p.conn);  // the single-connection server listens again
        std::vector<int> fillers;
        auto release = qScopeGuard([&] {
            for (int fd : fillers)
                ::close(fd);
            setrlimit(RLIMIT_NOFILE, &saved);
        });
        for (;;) {
            const int fd = ::open("/dev/null", O_RDONLY);
            QVERIFY(fd >= 0);
            fillers.push_back(fd);
            if (fd >= FD_SETSIZE - 1)
                break;
        }

        ap_ip_socket_type s = nullptr;
        QCOMPARE(ap_udp_init(&s, 0, AP_SOCK_ANYPORT), -2);
        QCOMPARE(ap_tcp_server_init(&s, 0, AP_SOCK_ANYPORT), -2);
        QCOMPARE(ap_tcp_client_init(&s, kLo1, p.port), -2);
        QVERIFY(s == nullptr);

        // The accepted descriptor of a raw client would be above the limit too.
        const int raw = ::socket(AF_INET, SOCK_STREAM, 0);
        QVERIFY(raw >= FD_SETSIZE);
        fillers.push_back(raw);
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = htonl(kLo1);
        addr.sin_port = htons(p.port);
        QCOMPARE(::connect(raw, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
        char buf[4];
        ap_ip_socket_type conn = nullptr;
        const fd_set before = p.server->ossockset;
        QCOMPARE(ap_tcp_server_receive(p.server, &conn, buf, sizeof buf, kWait), -2);
        QVERIFY(conn == nullptr);
        QVERIFY(memcmp(&before, &p.server->ossockset, sizeof before) == 0);
        QVERIFY(p.server->next == nullptr);

        // Sockets created earlier keep working: the client sees its released peer's close.
        QCOMPARE(ap_tcp_receive(p.client, buf, sizeof buf, kWait), -22);
    }
};

QTEST_GUILESS_MAIN(TestApUdpTcp)
#include "tst_ap_udptcp.moc"
