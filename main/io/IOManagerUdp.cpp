#include "IOManagerUdp.h"

#include <cstring>

#include "ControllerProbe.h"

namespace {

constexpr unsigned int DefaultReceiveTimeoutUs = 500000;
constexpr unsigned int DefaultBroadcastSendTimeoutUs = 250000;

}  // namespace

IOManagerUdp::IOManagerUdp(MessageBoxProvider* mbp) : IOManager(mbp)
{
    bSocketValid = ap_udp_init(&socket_udp, 0, AP_SOCK_BROADCAST | AP_SOCK_ANYPORT) == 0;
    if (!bSocketValid)
        socket_udp = nullptr;
}

IOManagerUdp::~IOManagerUdp()
{
    if (socket_udp)
        ap_udp_exit(socket_udp);
}

int IOManagerUdp::set_destination(unsigned int ip, unsigned short port)
{
    dest_ip = ip;
    dest_port = port;
    return 0;
}

int IOManagerUdp::set_destination(QString host, unsigned short port)
{
    const uint32_t ip = ControllerAddress::resolve(host);
    if (ip == 0)
        return -1;
    return set_destination(ip, port);
}

void IOManagerUdp::set_only_receive(bool onlyRec)
{
    bOnlyReceive = onlyRec;
}

void IOManagerUdp::get_last_received(unsigned int* ip, unsigned short* port)
{
    if (ip)
        *ip = last_ip;
    if (port)
        *port = last_port;
}

int IOManagerUdp::send_broadcast(const char* cmd)
{
    if (!bSocketValid)
        return -2;
    if (!cmd)
        return -1;
    if (!isOneLine(cmd))
        return CommandNotOneLine;
    const size_t len = std::strlen(cmd);
    if (len > size_t(MaxTextLength))
        return -1;
    const int timeoutMs = configuredTimeoutMs();
    const unsigned int tout = timeoutMs == -1 ? DefaultBroadcastSendTimeoutUs
                                              : static_cast<unsigned int>(timeoutMs) * 1000u / 2u;
    return ap_udp_send(socket_udp, cmd, static_cast<int>(len) + 1, dest_ip, dest_port, tout);
}

int IOManagerUdp::register_request(const char*, Requester*)
{
    return ResultNoAnswer;
}

int IOManagerUdp::unregister_request(const char*, Requester*)
{
    return ResultNoAnswer;
}

int IOManagerUdp::execute_command(char* result, const char* cmd)
{
    result[0] = '\0';
    if (!bSocketValid)
        return -2;
    const int timeoutMs = configuredTimeoutMs();
    const unsigned int receiveTout =
        timeoutMs >= 0 ? static_cast<unsigned int>(timeoutMs) * 1000u : DefaultReceiveTimeoutUs;

    if (!bOnlyReceive) {
        const size_t len = std::strlen(cmd);
        if (len > size_t(MaxTextLength))
            return -1;
        // An answer that arrived after an earlier command gave up is not the
        // answer to this one.
        // (Bounded, so that a flood of datagrams cannot hold the command up.)
        char stale[MaxTextLength + 1];
        for (int i = 0; i < 64; ++i) {
            if (ap_udp_receive(socket_udp, stale, MaxTextLength, 0, AP_RECV_FULLBUF) < 0)
                break;
        }
        const int sent = ap_udp_send(socket_udp, cmd, static_cast<int>(len) + 1, dest_ip, dest_port,
                                     receiveTout / 2);
        if (sent != 0)
            return sent;
    }

    uint32_t ip = 0;
    uint16_t port = 0;
    const int n =
        ap_udp_receive_from(socket_udp, result, MaxTextLength, &ip, &port, receiveTout, 0);
    if (n >= 0 || n == -3) {
        last_ip = ip;
        last_port = port;
    }
    if (n < 0)
        return n;
    // The answer ends at its first zero byte or at the end of the datagram.
    result[n] = '\0';
    return 0;
}
