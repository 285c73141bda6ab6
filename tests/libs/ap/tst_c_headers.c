/* The portability headers must stay plain C: this file is compiled as C11. */
#include <math.h>
#include <stdio.h>

#include "am_locrot.h"
#include "ap_ethernet.h"
#include "ap_thread.h"
#include "ap_time.h"
#include "ap_udptcp.h"

static int routine(void* arg)
{
    ap_mutex_handle_type m = (ap_mutex_handle_type)arg;
    ap_mutex_lock(m);
    ap_mutex_unlock(m);
    return 0;
}

int main(void)
{
    int failures = 0;
    uint32_t t0 = ap_time_get_internal();
    failures += ap_time_diff_internal(t0 + 7u, t0) != 7u;

    ap_mutex_handle_type m;
    failures += ap_mutex_init(&m) != 0;
    failures += ap_thread_create(routine, m) != 0;
    ap_time_millisleep(10);
    failures += ap_mutex_destroy(m) != 0;

    failures += ap_ip_num2ip(127, 0, 1, 1) != 0x7F000101u;
    ap_ip_socket_type s;
    failures += ap_udp_init(&s, 0, AP_SOCK_ANYPORT) != 0;
    uint16_t port = 0;
    failures += ap_ip_getsockaddr(s, NULL, &port) != 0 || port == 0;
    failures += ap_udp_exit(s) != 0;

    failures += ap_eth_getsocket(NULL, NULL, NULL, NULL, -1) != 1;

    double rot[9];
    const double ang[3] = {0.0, 0.0, 0.0};
    am_rot_equals_ang(rot, ang);
    failures += fabs(am_rot_angle(rot)) > 1e-12;

    if (failures)
        fprintf(stderr, "%d C interface checks failed\n", failures);
    return failures ? 1 : 0;
}
