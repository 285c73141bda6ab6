#define _GNU_SOURCE

#include "ap_ethernet.h"

#include <arpa/inet.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <netinet/in.h>
#include <string.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

typedef struct
{
    uint32_t ip;
    uint32_t brip;
    uint32_t mask;
    const char* name;
} eth_entry;

/* Up, not loop-back, IPv4 with a netmask: the entries both look-ups count. */
static int qualifies(const struct ifaddrs* ifa)
{
    return ifa->ifa_addr && ifa->ifa_addr->sa_family == AF_INET && ifa->ifa_netmask &&
           (ifa->ifa_flags & IFF_UP) && !(ifa->ifa_flags & IFF_LOOPBACK);
}

static uint32_t ipv4_of(const struct sockaddr* sa)
{
    if (!sa || sa->sa_family != AF_INET)
        return 0;
    return ntohl(((const struct sockaddr_in*)sa)->sin_addr.s_addr);
}

static eth_entry entry_of(const struct ifaddrs* ifa)
{
    eth_entry e;
    e.ip = ipv4_of(ifa->ifa_addr);
    e.mask = ipv4_of(ifa->ifa_netmask);
    e.brip = (ifa->ifa_flags & IFF_BROADCAST) ? ipv4_of(ifa->ifa_broadaddr) : 0;
    e.name = ifa->ifa_name;
    return e;
}

static int read_hw(int fd, const char* name, unsigned char* hw)
{
    struct ifreq req;
    memset(&req, 0, sizeof req);
    strncpy(req.ifr_name, name, IFNAMSIZ - 1);
    if (ioctl(fd, SIOCGIFHWADDR, &req) != 0)
        return -12;
    if (hw)
        memcpy(hw, req.ifr_hwaddr.sa_data, 6);
    return 0;
}

/* Finds the qualifying entry number id (id >= 0), or the first one in the subnet
 * (id < 0), and reports it.  1 when there is no such entry. */
static int lookup(int id, uint32_t subnetip, uint32_t subnetmask, uint32_t* ip, uint32_t* brip,
                  uint32_t* mask, unsigned char* hw)
{
    int fd = socket(AF_INET, SOCK_DGRAM, 0);
    if (fd < 0)
        return -11;
    struct ifaddrs* list = NULL;
    if (getifaddrs(&list) != 0) {
        close(fd);
        return -11;
    }
    int rc = 1;
    int n = 0;
    for (const struct ifaddrs* ifa = list; ifa; ifa = ifa->ifa_next) {
        if (!qualifies(ifa))
            continue;
        eth_entry e = entry_of(ifa);
        int match = id >= 0 ? (n++ == id) : (e.mask == subnetmask && (e.ip & e.mask) == subnetip);
        if (!match)
            continue;
        rc = read_hw(fd, e.name, hw);
        if (rc == 0) {
            if (ip)
                *ip = e.ip;
            if (brip)
                *brip = e.brip;
            if (mask)
                *mask = e.mask;
        }
        break;
    }
    freeifaddrs(list);
    close(fd);
    return rc;
}

int ap_eth_getsocket(uint32_t* ip, uint32_t* brip, uint32_t* subnetmask, unsigned char* hw, int id)
{
    if (id < 0)
        return 1;
    return lookup(id, 0, 0, ip, brip, subnetmask, hw);
}

int ap_eth_searchsocket(uint32_t* ip, uint32_t* brip, unsigned char* hw, uint32_t subnetip,
                        uint32_t subnetmask)
{
    int rc = lookup(-1, subnetip, subnetmask, ip, brip, NULL, hw);
    return rc == 1 ? -1 : rc;
}
