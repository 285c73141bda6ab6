#define _GNU_SOURCE

#include "ap_udptcp.h"

#include <arpa/inet.h>
#include <errno.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <stdlib.h>
#include <string.h>
#include <sys/select.h>
#include <sys/socket.h>
#include <unistd.h>

#include "ap_udptcp_p.h"

/* ---- creation and release ---------------------------------------------- */

/* select() cannot represent descriptors at or above FD_SETSIZE; FD_SET on one
 * would write past the set, so such descriptors are refused everywhere. */
static int fd_fits(int fd)
{
    return fd >= 0 && fd < FD_SETSIZE;
}

/* Close-on-exec: a document viewer or helper the program starts must not
 * inherit, and so keep open, the connection to the controller. */
static int open_socket(int type)
{
    int fd = socket(AF_INET, type | SOCK_CLOEXEC, 0);
    if (fd == 0) {
        /* Descriptor 0 is never used as a socket; it stays allocated. */
        fd = socket(AF_INET, type | SOCK_CLOEXEC, 0);
    }
    return fd;
}

/* Wraps an open descriptor in a record whose set holds just that descriptor;
 * on failure the descriptor is closed. */
static struct _ip_socket_struct* wrap_descriptor(int fd, uint16_t options)
{
    if (fd < 0)
        return NULL;
    if (!fd_fits(fd)) {
        close(fd);
        return NULL;
    }
    struct _ip_socket_struct* s = (struct _ip_socket_struct*)calloc(1, sizeof *s);
    if (!s) {
        close(fd);
        return NULL;
    }
    s->ossock = fd;
    s->options = options;
    FD_ZERO(&s->ossockset);
    FD_SET(fd, &s->ossockset);
    s->prev = NULL;
    s->next = NULL;
    return s;
}

static int create_record(ap_ip_socket_type* out, int type, uint16_t options)
{
    struct _ip_socket_struct* s = wrap_descriptor(open_socket(type), options);
    if (!s)
        return -2;
    *out = s;
    return 0;
}

static int set_int_option(int fd, int level, int name, int value)
{
    return setsockopt(fd, level, name, &value, sizeof value) == 0 ? 0 : -2;
}

static int bind_any(int fd, uint16_t port)
{
    struct sockaddr_in addr;
    memset(&addr, 0, sizeof addr);
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_ANY);
    addr.sin_port = htons(port);
    return bind(fd, (struct sockaddr*)&addr, sizeof addr) == 0 ? 0 : -2;
}

static struct _ip_socket_struct* server_of(struct _ip_socket_struct* conn)
{
    struct _ip_socket_struct* s = conn->prev;
    while (s->prev)
        s = s->prev;
    return s;
}

static void unlink_connection(struct _ip_socket_struct* conn)
{
    struct _ip_socket_struct* server = server_of(conn);
    conn->prev->next = conn->next;
    if (conn->next)
        conn->next->prev = conn->prev;
    conn->prev = NULL;
    conn->next = NULL;
    FD_CLR(conn->ossock, &server->ossockset);
    if (!server->next)
        FD_SET(server->ossock, &server->ossockset);
}

static int release(ap_ip_socket_type sock)
{
    if (!sock)
        return -2;
    if (sock->prev) {
        unlink_connection(sock);
    } else {
        while (sock->next) {
            struct _ip_socket_struct* conn = sock->next;
            unlink_connection(conn);
            close(conn->ossock);
            free(conn);
        }
    }
    int rc = close(sock->ossock) == 0 ? 0 : -2;
    free(sock);
    return rc;
}

int ap_udp_init(ap_ip_socket_type* sock, uint16_t port, uint16_t options)
{
    if (!sock)
        return -2;
    ap_ip_socket_type s;
    if (create_record(&s, SOCK_DGRAM, options) != 0)
        return -2;
    int rc = 0;
    if (options & AP_SOCK_BROADCAST)
        rc = set_int_option(s->ossock, SOL_SOCKET, SO_BROADCAST, 1);
    if (rc == 0)
        rc = set_int_option(s->ossock, SOL_SOCKET, SO_REUSEADDR, 1);
    if (rc == 0) {
        if (options & AP_SOCK_ANYPORT)
            rc = bind_any(s->ossock, 0);
        else if (port != 0)
            rc = bind_any(s->ossock, port);
    }
    if (rc != 0) {
        release(s);
        return -2;
    }
    *sock = s;
    return 0;
}

int ap_udp_exit(ap_ip_socket_type sock)
{
    return release(sock);
}

int ap_tcp_exit(ap_ip_socket_type sock)
{
    return release(sock);
}

int ap_tcp_client_init(ap_ip_socket_type* sock, uint32_t ip, uint16_t port)
{
    /* As for ap_udp_send: 0.0.0.0 would connect to this host. */
    if (!sock || ip == 0)
        return -2;
    ap_ip_socket_type s;
    if (create_record(&s, SOCK_STREAM, 0) != 0)
        return -2;
    struct sockaddr_in addr;
    memset(&addr, 0, sizeof addr);
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(ip);
    addr.sin_port = htons(port);
    int rc;
    do {
        rc = connect(s->ossock, (struct sockaddr*)&addr, sizeof addr);
    } while (rc != 0 && errno == EINTR);
    if (rc != 0) {
        release(s);
        return -2;
    }
    *sock = s;
    return 0;
}

int ap_tcp_server_init(ap_ip_socket_type* sock, uint16_t port, uint16_t options)
{
    if (!sock)
        return -2;
    ap_ip_socket_type s;
    if (create_record(&s, SOCK_STREAM, options) != 0)
        return -2;
    int rc = set_int_option(s->ossock, SOL_SOCKET, SO_REUSEADDR, 1);
    if (rc == 0)
        rc = bind_any(s->ossock, (options & AP_SOCK_ANYPORT) ? 0 : port);
    if (rc == 0 && listen(s->ossock, 5) != 0)
        rc = -2;
    if (rc != 0) {
        release(s);
        return -2;
    }
    *sock = s;
    return 0;
}

int ap_tcp_set_keepalive(ap_ip_socket_type sock, unsigned int tidle_s, int repeats,
                         unsigned int trepeat_s)
{
    if (!sock)
        return -2;
    if (set_int_option(sock->ossock, SOL_SOCKET, SO_KEEPALIVE, 1) != 0)
        return -2;
    if (set_int_option(sock->ossock, IPPROTO_TCP, TCP_KEEPIDLE, (int)tidle_s) != 0)
        return -2;
    if (set_int_option(sock->ossock, IPPROTO_TCP, TCP_KEEPCNT, repeats) != 0)
        return -2;
    if (set_int_option(sock->ossock, IPPROTO_TCP, TCP_KEEPINTVL, (int)trepeat_s) != 0)
        return -2;
    return 0;
}

/* ---- multicast --------------------------------------------------------- */

int ap_udp_setmulticast(ap_ip_socket_type sock, int ttl, int loopback)
{
    if (!sock)
        return -2;
    if (ttl != 0 && set_int_option(sock->ossock, IPPROTO_IP, IP_MULTICAST_TTL, ttl) != 0)
        return -2;
    if (loopback != -1 &&
        set_int_option(sock->ossock, IPPROTO_IP, IP_MULTICAST_LOOP, loopback ? 1 : 0) != 0)
        return -2;
    return 0;
}

static int membership(ap_ip_socket_type sock, uint32_t mcip, int name)
{
    if (!sock)
        return -2;
    struct ip_mreq req;
    memset(&req, 0, sizeof req);
    req.imr_multiaddr.s_addr = htonl(mcip);
    req.imr_interface.s_addr = htonl(INADDR_ANY);
    return setsockopt(sock->ossock, IPPROTO_IP, name, &req, sizeof req) == 0 ? 0 : -2;
}

int ap_udp_joingroup(ap_ip_socket_type sock, uint32_t mcip)
{
    return membership(sock, mcip, IP_ADD_MEMBERSHIP);
}

int ap_udp_dropgroup(ap_ip_socket_type sock, uint32_t mcip)
{
    return membership(sock, mcip, IP_DROP_MEMBERSHIP);
}

/* ---- readiness waits ----------------------------------------------------- */

static int highest_fd(const struct _ip_socket_struct* sock)
{
    int top = sock->ossock;
    for (const struct _ip_socket_struct* c = sock->next; c; c = c->next)
        if (c->ossock > top)
            top = c->ossock;
    return top;
}

static struct timeval split_timeout(unsigned int tout_us)
{
    struct timeval tv;
    tv.tv_sec = tout_us / 1000000u;
    tv.tv_usec = tout_us % 1000000u;
    return tv;
}

/* 0 or more ready descriptors, -2 on a wait error.  set is modified. */
static int wait_set(fd_set* set, int nfds, unsigned int tout_us, int for_write)
{
    struct timeval tv = split_timeout(tout_us);
    int n = select(nfds, for_write ? NULL : set, for_write ? set : NULL, NULL, &tv);
    return n < 0 ? -2 : n;
}

/* Readiness of one socket's own descriptor: 0 ready, -1 time-out, -2 error. */
static int wait_own(ap_ip_socket_type sock, unsigned int tout_us, int for_write)
{
    if (!fd_fits(sock->ossock))
        return -2;
    fd_set set;
    FD_ZERO(&set);
    FD_SET(sock->ossock, &set);
    int n = wait_set(&set, sock->ossock + 1, tout_us, for_write);
    if (n < 0)
        return -2;
    return n == 0 ? -1 : 0;
}

/* Readiness on the socket's descriptor set: 0 ready (ready set in *out), -1, -2. */
static int wait_readable(ap_ip_socket_type sock, unsigned int tout_us, fd_set* out)
{
    *out = sock->ossockset;
    int n = wait_set(out, highest_fd(sock) + 1, tout_us, 0);
    if (n < 0)
        return -2;
    return n == 0 ? -1 : 0;
}

/* ---- UDP transfer ---------------------------------------------------------- */

int ap_udp_send(ap_ip_socket_type sock, const void* buffer, int len, uint32_t ip, uint16_t port,
                unsigned int tout_us)
{
    /* Linux delivers a datagram for 0.0.0.0 to this very host, so "no address yet" would
     * quietly become "whatever listens here". */
    if (!sock || len < 0 || (!buffer && len > 0) || ip == 0)
        return -2;
    int rc = wait_own(sock, tout_us, 1);
    if (rc != 0)
        return rc;
    struct sockaddr_in addr;
    memset(&addr, 0, sizeof addr);
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(ip);
    addr.sin_port = htons(port);
    ssize_t sent =
        sendto(sock->ossock, buffer, (size_t)len, 0, (struct sockaddr*)&addr, sizeof addr);
    return sent == (ssize_t)len ? 0 : -2;
}

static int read_one(ap_ip_socket_type sock, void* buffer, int maxlen, uint32_t* ip, uint16_t* port)
{
    struct sockaddr_storage from;
    socklen_t fromlen = sizeof from;
    memset(&from, 0, sizeof from);
    ssize_t n =
        recvfrom(sock->ossock, buffer, (size_t)maxlen, 0, (struct sockaddr*)&from, &fromlen);
    if (n < 0)
        return -2;
    if (ip || port) {
        if (from.ss_family != AF_INET)
            return -2;
        const struct sockaddr_in* in = (const struct sockaddr_in*)&from;
        if (ip)
            *ip = ntohl(in->sin_addr.s_addr);
        if (port)
            *port = ntohs(in->sin_port);
    }
    return (int)n;
}

/* Steps 2 to 4 of a UDP receive, once the socket is known to be readable. */
static int read_datagram(ap_ip_socket_type sock, void* buffer, int maxlen, uint32_t* ip,
                         uint16_t* port, uint16_t options)
{
    int n = read_one(sock, buffer, maxlen, ip, port);
    if (n < 0)
        return n;
    if (options & AP_RECV_NEWEST) {
        for (;;) {
            fd_set set;
            if (wait_readable(sock, 0, &set) != 0)
                break;
            n = read_one(sock, buffer, maxlen, ip, port);
            if (n < 0)
                return n;
        }
    }
    if ((options & AP_RECV_FULLBUF) || n < maxlen)
        return n;
    return -3;
}

static int udp_receive(ap_ip_socket_type sock, void* buffer, int maxlen, uint32_t* ip,
                       uint16_t* port, unsigned int tout_us, uint16_t options)
{
    if (!sock || maxlen < 0 || (!buffer && maxlen > 0))
        return -2;
    fd_set ready;
    int rc = wait_readable(sock, tout_us, &ready);
    if (rc != 0)
        return rc;
    return read_datagram(sock, buffer, maxlen, ip, port, options);
}

int ap_udp_receive(ap_ip_socket_type sock, void* buffer, int maxlen, unsigned int tout_us,
                   uint16_t options)
{
    return udp_receive(sock, buffer, maxlen, NULL, NULL, tout_us, options);
}

int ap_udp_receive_from(ap_ip_socket_type sock, void* buffer, int maxlen, uint32_t* ip,
                        uint16_t* port, unsigned int tout_us, uint16_t options)
{
    return udp_receive(sock, buffer, maxlen, ip, port, tout_us, options);
}

int ap_udp_receive_multisocket(ap_ip_socket_type* sock, int nsock, int* isock, void* buffer,
                               int maxlen, unsigned int tout_us, uint16_t options)
{
    if (nsock < 1 || !sock) {
        struct timeval tv = split_timeout(tout_us);
        return select(0, NULL, NULL, NULL, &tv) < 0 ? -2 : -1;
    }
    if (maxlen < 0 || (!buffer && maxlen > 0))
        return -2;
    fd_set set;
    FD_ZERO(&set);
    int top = -1;
    for (int i = 0; i < nsock; ++i) {
        if (!sock[i] || !fd_fits(sock[i]->ossock))
            return -2;
        FD_SET(sock[i]->ossock, &set);
        if (sock[i]->ossock > top)
            top = sock[i]->ossock;
    }
    int n = wait_set(&set, top + 1, tout_us, 0);
    if (n < 0)
        return -2;
    if (n == 0)
        return -1;
    for (int i = 0; i < nsock; ++i) {
        if (FD_ISSET(sock[i]->ossock, &set)) {
            if (isock)
                *isock = i;
            return read_datagram(sock[i], buffer, maxlen, NULL, NULL, options);
        }
    }
    return -2;
}

/* ---- TCP transfer ------------------------------------------------------------ */

int ap_tcp_send(ap_ip_socket_type sock, const void* buffer, int len, unsigned int tout_us)
{
    if (!sock || len < 0 || (!buffer && len > 0))
        return -2;
    int rc = wait_own(sock, tout_us, 1);
    if (rc != 0)
        return rc;
    /* A peer that has gone must give -2, not end the process with SIGPIPE. */
    ssize_t sent = send(sock->ossock, buffer, (size_t)len, MSG_NOSIGNAL);
    return sent == (ssize_t)len ? 0 : -2;
}

static int tcp_read(ap_ip_socket_type sock, void* buffer, int maxlen)
{
    ssize_t n = recv(sock->ossock, buffer, (size_t)maxlen, 0);
    if (n == 0)
        return -22;
    return n < 0 ? -2 : (int)n;
}

int ap_tcp_receive(ap_ip_socket_type sock, void* buffer, int maxlen, unsigned int tout_us)
{
    if (!sock || maxlen < 0 || (!buffer && maxlen > 0))
        return -2;
    fd_set ready;
    int rc = wait_readable(sock, tout_us, &ready);
    if (rc != 0)
        return rc;
    return tcp_read(sock, buffer, maxlen);
}

static int accept_connection(ap_ip_socket_type server, ap_ip_socket_type* conn)
{
    int fd;
    do {
        fd = accept4(server->ossock, NULL, NULL, SOCK_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    struct _ip_socket_struct* c = wrap_descriptor(fd, 0);
    if (!c)
        return -2;
    c->prev = server;
    c->next = server->next;
    if (server->next)
        server->next->prev = c;
    server->next = c;
    FD_SET(fd, &server->ossockset);
    if (!(server->options & AP_SOCK_MULTICONN))
        FD_CLR(server->ossock, &server->ossockset);
    if (conn)
        *conn = c;
    return -21;
}

int ap_tcp_server_receive(ap_ip_socket_type sock, ap_ip_socket_type* conn, void* buffer, int maxlen,
                          unsigned int tout_us)
{
    if (!sock || maxlen < 0 || (!buffer && maxlen > 0))
        return -2;
    fd_set ready;
    int rc = wait_readable(sock, tout_us, &ready);
    if (rc != 0)
        return rc;
    if (FD_ISSET(sock->ossock, &ready))
        return accept_connection(sock, conn);
    for (struct _ip_socket_struct* c = sock->next; c; c = c->next) {
        if (FD_ISSET(c->ossock, &ready)) {
            if (conn)
                *conn = c;
            return tcp_read(c, buffer, maxlen);
        }
    }
    return -2;
}

/* ---- addresses ------------------------------------------------------------------ */

uint32_t ap_ip_num2ip(int ip1, int ip2, int ip3, int ip4)
{
    if (ip1 < 0 || ip1 > 255 || ip2 < 0 || ip2 > 255 || ip3 < 0 || ip3 > 255 || ip4 < 0 ||
        ip4 > 255)
        return 0;
    return ((uint32_t)ip1 << 24) | ((uint32_t)ip2 << 16) | ((uint32_t)ip3 << 8) | (uint32_t)ip4;
}

void ap_ip_ip2num(int* ip1, int* ip2, int* ip3, int* ip4, uint32_t ip)
{
    if (ip1)
        *ip1 = (int)((ip >> 24) & 0xFFu);
    if (ip2)
        *ip2 = (int)((ip >> 16) & 0xFFu);
    if (ip3)
        *ip3 = (int)((ip >> 8) & 0xFFu);
    if (ip4)
        *ip4 = (int)(ip & 0xFFu);
}

/* Four decimal parts 0..255, nothing else.  Operators write "192.168.010.005" meaning
 * decimal; inet_addr would read the zero-led parts as octal (192.168.8.5). */
static int parse_dotted_decimal(const char* text, uint32_t* ip)
{
    uint32_t result = 0;
    int parts = 0;
    const char* p = text;
    while (parts < 4) {
        if (*p < '0' || *p > '9')
            return 0;
        unsigned int value = 0;
        while (*p >= '0' && *p <= '9') {
            value = value * 10u + (unsigned int)(*p - '0');
            if (value > 255u)
                return 0;
            ++p;
        }
        result = (result << 8) | value;
        ++parts;
        if (parts < 4) {
            if (*p != '.')
                return 0;
            ++p;
        }
    }
    if (*p != '\0')
        return 0;
    *ip = result;
    return 1;
}

uint32_t ap_ip_name2ip(const char* name)
{
    if (!name || !*name)
        return 0;
    uint32_t direct = 0;
    if (parse_dotted_decimal(name, &direct))
        return direct;
    /* getaddrinfo rather than gethostbyname: the discovery thread resolves
     * concurrently with the GUI thread. */
    struct addrinfo hints;
    memset(&hints, 0, sizeof hints);
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_DGRAM;
    struct addrinfo* res = NULL;
    if (getaddrinfo(name, NULL, &hints, &res) != 0 || !res)
        return 0;
    uint32_t ip = 0;
    for (struct addrinfo* ai = res; ai; ai = ai->ai_next) {
        if (ai->ai_family == AF_INET && ai->ai_addr) {
            ip = ntohl(((const struct sockaddr_in*)ai->ai_addr)->sin_addr.s_addr);
            break;
        }
    }
    freeaddrinfo(res);
    return ip;
}

static int query_address(ap_ip_socket_type sock, uint32_t* ip, uint16_t* port, int peer)
{
    if (!sock)
        return -2;
    struct sockaddr_storage addr;
    socklen_t len = sizeof addr;
    memset(&addr, 0, sizeof addr);
    int rc = peer ? getpeername(sock->ossock, (struct sockaddr*)&addr, &len)
                  : getsockname(sock->ossock, (struct sockaddr*)&addr, &len);
    if (rc != 0 || addr.ss_family != AF_INET)
        return -2;
    const struct sockaddr_in* in = (const struct sockaddr_in*)&addr;
    if (ip)
        *ip = ntohl(in->sin_addr.s_addr);
    if (port)
        *port = ntohs(in->sin_port);
    return 0;
}

int ap_ip_getsockaddr(ap_ip_socket_type sock, uint32_t* ip, uint16_t* port)
{
    return query_address(sock, ip, port, 0);
}

int ap_ip_getpeeraddr(ap_ip_socket_type sock, uint32_t* ip, uint16_t* port)
{
    return query_address(sock, ip, port, 1);
}
