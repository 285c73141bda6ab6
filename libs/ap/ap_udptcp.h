#ifndef AP_UDPTCP_H
#define AP_UDPTCP_H

/* IPv4 UDP and TCP sockets behind opaque handles.  Addresses and ports are in
 * host byte order; time-outs are in microseconds.
 *
 * Result codes: 0 success (receives: byte count), -1 time-out, -2 system error
 * (also a short send, or a descriptor the readiness wait cannot hold), -3 UDP
 * datagram filled the whole buffer, -21 TCP server: new connection accepted,
 * -22 TCP: peer closed the connection.
 *
 * Address 0 is refused (-2) by ap_udp_send and ap_tcp_client_init: on Linux it
 * reaches this host, never a peer that was meant. */

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef struct _ip_socket_struct* ap_ip_socket_type;

/* Creation options. */
#define AP_SOCK_BROADCAST 1 /* UDP: may send to broadcast addresses */
#define AP_SOCK_MULTICONN 1 /* TCP server: keep accepting while connected */
#define AP_SOCK_ANYPORT 4   /* bind to a port chosen by the system */
/* UDP receive options. */
#define AP_RECV_NEWEST 1  /* drain the queue, keep the newest datagram */
#define AP_RECV_FULLBUF 2 /* a datagram filling the buffer is not an error */

int ap_udp_init(ap_ip_socket_type* sock, uint16_t port, uint16_t options);
int ap_udp_exit(ap_ip_socket_type sock);
int ap_tcp_exit(ap_ip_socket_type sock);
int ap_tcp_client_init(ap_ip_socket_type* sock, uint32_t ip, uint16_t port);
int ap_tcp_server_init(ap_ip_socket_type* sock, uint16_t port, uint16_t options);
int ap_tcp_set_keepalive(ap_ip_socket_type sock, unsigned int tidle_s, int repeats,
                         unsigned int trepeat_s);

int ap_udp_setmulticast(ap_ip_socket_type sock, int ttl, int loopback);
int ap_udp_joingroup(ap_ip_socket_type sock, uint32_t mcip);
int ap_udp_dropgroup(ap_ip_socket_type sock, uint32_t mcip);

int ap_udp_send(ap_ip_socket_type sock, const void* buffer, int len, uint32_t ip, uint16_t port,
                unsigned int tout_us);
int ap_udp_receive(ap_ip_socket_type sock, void* buffer, int maxlen, unsigned int tout_us,
                   uint16_t options);
int ap_udp_receive_from(ap_ip_socket_type sock, void* buffer, int maxlen, uint32_t* ip,
                        uint16_t* port, unsigned int tout_us, uint16_t options);
int ap_udp_receive_multisocket(ap_ip_socket_type* sock, int nsock, int* isock, void* buffer,
                               int maxlen, unsigned int tout_us, uint16_t options);

int ap_tcp_send(ap_ip_socket_type sock, const void* buffer, int len, unsigned int tout_us);
int ap_tcp_receive(ap_ip_socket_type sock, void* buffer, int maxlen, unsigned int tout_us);
int ap_tcp_server_receive(ap_ip_socket_type sock, ap_ip_socket_type* conn, void* buffer, int maxlen,
                          unsigned int tout_us);

uint32_t ap_ip_num2ip(int ip1, int ip2, int ip3, int ip4);
void ap_ip_ip2num(int* ip1, int* ip2, int* ip3, int* ip4, uint32_t ip);
uint32_t ap_ip_name2ip(const char* name);
int ap_ip_getsockaddr(ap_ip_socket_type sock, uint32_t* ip, uint16_t* port);
int ap_ip_getpeeraddr(ap_ip_socket_type sock, uint32_t* ip, uint16_t* port);

#ifdef __cplusplus
}
#endif

#endif
