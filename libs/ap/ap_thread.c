#define _GNU_SOURCE

#include "ap_thread.h"

#include <errno.h>
#include <sched.h>
#include <stdint.h>
#include <stdlib.h>
#include <sys/time.h>
#include <time.h>

#include "ap_thread_p.h"

static void* thread_entry(void* p)
{
    struct _thread_struct* start = (struct _thread_struct*)p;
    ap_thread_routine routine = start->start_routine;
    void* arg = start->arg;
    /* After this store the creator may return and its start record is gone. */
    __atomic_store_n(&start->isstarted, 1, __ATOMIC_RELEASE);
    return (void*)(intptr_t)routine(arg);
}

int ap_thread_create(ap_thread_routine start_routine, void* arg)
{
    return ap_thread_create_withhandle(NULL, start_routine, arg);
}

int ap_thread_create_withhandle(ap_thread_handle_type* threadhandle,
                                ap_thread_routine start_routine, void* arg)
{
    struct _thread_handle_struct* handle = NULL;
    if (threadhandle) {
        handle = (struct _thread_handle_struct*)calloc(1, sizeof *handle);
        if (!handle)
            return -11;
    }

    struct _thread_struct start;
    start.start_routine = start_routine;
    start.arg = arg;
    start.isstarted = 0;

    pthread_attr_t attr;
    pthread_t id;
    int rc = pthread_attr_init(&attr);
    if (rc == 0) {
        pthread_attr_setdetachstate(&attr, PTHREAD_CREATE_DETACHED);
        rc = pthread_create(&id, &attr, thread_entry, &start);
        pthread_attr_destroy(&attr);
    }
    if (rc != 0) {
        free(handle);
        return -1;
    }

    while (!__atomic_load_n(&start.isstarted, __ATOMIC_ACQUIRE))
        sched_yield();

    if (handle) {
        handle->id = id;
        *threadhandle = handle;
    }
    return 0;
}

int ap_thread_destroy_handle(ap_thread_handle_type threadhandle)
{
    free(threadhandle);
    return 0;
}

void ap_thread_exit(int retval)
{
    pthread_exit((void*)(intptr_t)retval);
}

int ap_thread_is_self(ap_thread_handle_type threadhandle)
{
    if (!threadhandle)
        return 0;
    return pthread_equal(threadhandle->id, pthread_self()) ? 1 : 0;
}

int ap_mutex_init(ap_mutex_handle_type* mutex)
{
    if (!mutex)
        return -1;
    struct _ap_os_mutex_handle_struct* m = (struct _ap_os_mutex_handle_struct*)calloc(1, sizeof *m);
    if (!m)
        return -11;
    pthread_mutexattr_t attr;
    pthread_mutexattr_init(&attr);
    pthread_mutexattr_settype(&attr, PTHREAD_MUTEX_RECURSIVE);
    int rc = pthread_mutex_init(&m->phandle, &attr);
    pthread_mutexattr_destroy(&attr);
    if (rc != 0) {
        free(m);
        return -1;
    }
    *mutex = m;
    return 0;
}

int ap_mutex_destroy(ap_mutex_handle_type mutex)
{
    if (!mutex)
        return -1;
    int rc = pthread_mutex_destroy(&mutex->phandle);
    free(mutex);
    return rc == 0 ? 0 : -1;
}

int ap_mutex_lock(ap_mutex_handle_type mutex)
{
    if (!mutex)
        return -1;
    return pthread_mutex_lock(&mutex->phandle) == 0 ? 0 : -1;
}

int ap_mutex_unlock(ap_mutex_handle_type mutex)
{
    if (!mutex)
        return -1;
    return pthread_mutex_unlock(&mutex->phandle) == 0 ? 0 : -1;
}

int ap_mutex_trylock(ap_mutex_handle_type mutex)
{
    if (!mutex)
        return -1;
    int rc = pthread_mutex_trylock(&mutex->phandle);
    if (rc == 0)
        return 0;
    return rc == EBUSY ? 1 : -1;
}

int ap_cond_init(ap_cond_handle_type* cond)
{
    if (!cond)
        return -1;
    struct _ap_os_cond_handle_struct* c = (struct _ap_os_cond_handle_struct*)calloc(1, sizeof *c);
    if (!c)
        return -11;
    if (pthread_cond_init(&c->phandle, NULL) != 0) {
        free(c);
        return -1;
    }
    *cond = c;
    return 0;
}

int ap_cond_destroy(ap_cond_handle_type cond)
{
    if (!cond)
        return -1;
    int rc = pthread_cond_destroy(&cond->phandle);
    free(cond);
    return rc == 0 ? 0 : -1;
}

int ap_cond_signal(ap_cond_handle_type cond)
{
    if (cond)
        pthread_cond_signal(&cond->phandle);
    return 0;
}

int ap_cond_broadcast(ap_cond_handle_type cond)
{
    if (cond)
        pthread_cond_broadcast(&cond->phandle);
    return 0;
}

int ap_cond_wait(ap_cond_handle_type cond, ap_mutex_handle_type mutex)
{
    if (cond && mutex)
        pthread_cond_wait(&cond->phandle, &mutex->phandle);
    return 0;
}

/* The default condition clock is the wall clock, so the deadline is taken from it. */
void ap_cond_deadline_internal(struct timespec* deadline, const struct timeval* now,
                               unsigned int timeout_ms)
{
    deadline->tv_sec = now->tv_sec + (time_t)(timeout_ms / 1000u);
    long nsec = (long)now->tv_usec * 1000L + (long)(timeout_ms % 1000u) * 1000000L;
    if (nsec >= 1000000000L) {
        deadline->tv_sec += nsec / 1000000000L;
        nsec %= 1000000000L;
    }
    deadline->tv_nsec = nsec;
}

int ap_cond_timedwait(ap_cond_handle_type cond, ap_mutex_handle_type mutex, unsigned int timeout)
{
    if (!cond || !mutex)
        return -1;
    struct timeval now;
    gettimeofday(&now, NULL);
    struct timespec deadline;
    ap_cond_deadline_internal(&deadline, &now, timeout);
    int rc = pthread_cond_timedwait(&cond->phandle, &mutex->phandle, &deadline);
    if (rc == 0)
        return 0;
    if (rc == ETIMEDOUT || rc == EINTR)
        return 1;
    return -1;
}
