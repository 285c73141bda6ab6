#ifndef AP_ETHERNET_H
#define AP_ETHERNET_H

/* Look-up of the machine's IPv4 interfaces that are up and not loop-back.
 * Results: 0 found, ap_eth_getsocket 1 / ap_eth_searchsocket -1 when there is no
 * such entry, -11 interface list or query socket unavailable, -12 hardware
 * address unreadable.  Every output pointer is optional; hw takes 6 bytes. */

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

int ap_eth_getsocket(uint32_t* ip, uint32_t* brip, uint32_t* subnetmask, unsigned char* hw, int id);
int ap_eth_searchsocket(uint32_t* ip, uint32_t* brip, unsigned char* hw, uint32_t subnetip,
                        uint32_t subnetmask);

#ifdef __cplusplus
}
#endif

#endif
