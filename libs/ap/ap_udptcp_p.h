#ifndef AP_UDPTCP_P_H
#define AP_UDPTCP_P_H

/* The record behind ap_ip_socket_type. */

#include <stdint.h>
#include <sys/select.h>

#include "ap_udptcp.h"

typedef int _os_socket_type;

struct _ip_socket_struct
{
    _os_socket_type ossock;
    uint16_t options;
    /* What receives wait on: the own descriptor, or for a TCP server the listening
     * descriptor (while it accepts) and every open connection. */
    fd_set ossockset;
    /* Server connection list: a server's next is its newest connection; the first
     * connection's prev is the server itself. */
    struct _ip_socket_struct* prev;
    struct _ip_socket_struct* next;
};

#endif
