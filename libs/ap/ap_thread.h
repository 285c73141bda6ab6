#ifndef AP_THREAD_H
#define AP_THREAD_H

/* Detached threads, recursive mutexes and condition variables behind opaque handles.
 * Result 0 is success throughout. */

#ifdef __cplusplus
extern "C" {
#endif

typedef struct _thread_handle_struct* ap_thread_handle_type;
typedef struct _ap_os_mutex_handle_struct* ap_mutex_handle_type;
typedef struct _ap_os_cond_handle_struct* ap_cond_handle_type;

typedef int (*ap_thread_routine)(void* arg);

int ap_thread_create(ap_thread_routine start_routine, void* arg);
int ap_thread_create_withhandle(ap_thread_handle_type* threadhandle,
                                ap_thread_routine start_routine, void* arg);
int ap_thread_destroy_handle(ap_thread_handle_type threadhandle);
void ap_thread_exit(int retval);
int ap_thread_is_self(ap_thread_handle_type threadhandle);

int ap_mutex_init(ap_mutex_handle_type* mutex);
int ap_mutex_destroy(ap_mutex_handle_type mutex);
int ap_mutex_lock(ap_mutex_handle_type mutex);
int ap_mutex_unlock(ap_mutex_handle_type mutex);
/* 0 acquired, 1 held by another thread, -1 error. */
int ap_mutex_trylock(ap_mutex_handle_type mutex);

int ap_cond_init(ap_cond_handle_type* cond);
int ap_cond_destroy(ap_cond_handle_type cond);
int ap_cond_signal(ap_cond_handle_type cond);
int ap_cond_broadcast(ap_cond_handle_type cond);
int ap_cond_wait(ap_cond_handle_type cond, ap_mutex_handle_type mutex);
/* 0 signalled, 1 timed out or interrupted, -1 other error; timeout in milliseconds. */
int ap_cond_timedwait(ap_cond_handle_type cond, ap_mutex_handle_type mutex, unsigned int timeout);

#ifdef __cplusplus
}
#endif

#endif
