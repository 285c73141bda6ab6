#ifndef IOMANAGERUDP_H
#define IOMANAGERUDP_H

#include <QString>

#include <cstdint>

#include "IOManager.h"
#include "ap_udptcp.h"

// Connection-less command channel: every command is one UDP datagram to the
// destination, and the first datagram that comes back (from any sender) is the
// answer.  Used for discovery, the controller selection and password checks.
// A receive time-out is -1 here; an answer of 200 bytes or more is -3.
class IOManagerUdp : public IOManager
{
public:
    explicit IOManagerUdp(MessageBoxProvider* mbp = nullptr);
    ~IOManagerUdp() override;

    bool isSocketValid() const { return bSocketValid; }
    // For questions to single controllers on the same socket; stays this channel's.
    ap_ip_socket_type socket() const { return socket_udp; }

    int set_destination(unsigned int ip, unsigned short port);
    // Resolves host (Latin-1); an unresolvable name gives -1 and keeps the old
    // destination.
    int set_destination(QString host, unsigned short port);
    // While set, commands are not sent; the channel only waits for a datagram.
    void set_only_receive(bool onlyRec);
    void get_last_received(unsigned int* ip, unsigned short* port);
    // Sends cmd with its terminating zero byte to the destination, nothing else.
    int send_broadcast(const char* cmd);

    int register_request(const char* identifier, Requester* requester) override;
    int unregister_request(const char* identifier, Requester* requester) override;

protected:
    int execute_command(char* result, const char* cmd) override;

private:
    ap_ip_socket_type socket_udp = nullptr;
    uint32_t dest_ip = 0;
    uint16_t dest_port = 0;
    uint32_t last_ip = 0;
    uint16_t last_port = 0;
    bool bOnlyReceive = false;
    bool bSocketValid = false;
};

#endif
