#ifndef AP_THREAD_P_H
#define AP_THREAD_P_H

/* Records behind the opaque handles of ap_thread.h. */

#include <pthread.h>
#include <sys/time.h>
#include <time.h>

#include "ap_thread.h"

struct _thread_handle_struct
{
    pthread_t id;
};

/* Start record handed to a new thread; lives in the creator's stack frame until
 * the new thread has set isstarted. */
struct _thread_struct
{
    ap_thread_routine start_routine;
    void* arg;
    int isstarted;
};

struct _ap_os_mutex_handle_struct
{
    pthread_mutex_t phandle;
};

struct _ap_os_cond_handle_struct
{
    pthread_cond_t phandle;
};

#ifdef __cplusplus
extern "C" {
#endif

/* Absolute deadline of a timed wait: now plus timeout_ms, nanoseconds carried into seconds. */
void ap_cond_deadline_internal(struct timespec* deadline, const struct timeval* now,
                               unsigned int timeout_ms);

#ifdef __cplusplus
}
#endif

#endif
