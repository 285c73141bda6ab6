#define _GNU_SOURCE

#include "ap_time.h"

#include <errno.h>
#include <sys/time.h>
#include <time.h>

/* Arbitrary offset so that the counter does not start near zero; only differences matter. */
#define AP_TIME_OFFSET_MS 0x6217E5E4u

uint32_t ap_time_get_internal(void)
{
    struct timeval tv;
    gettimeofday(&tv, NULL);
    uint64_t ms = (uint64_t)tv.tv_sec * 1000u + (uint64_t)tv.tv_usec / 1000u + AP_TIME_OFFSET_MS;
    return (uint32_t)ms;
}

uint32_t ap_time_diff_internal(uint32_t tm1, uint32_t tm0)
{
    return tm1 - tm0;
}

uint64_t ap_time_get_internal_highres(void)
{
    struct timeval tv;
    gettimeofday(&tv, NULL);
    return (uint64_t)tv.tv_sec * 1000000u + (uint64_t)tv.tv_usec;
}

void ap_time_millisleep(uint32_t delay_ms)
{
    struct timespec left;
    left.tv_sec = (time_t)(delay_ms / 1000u);
    left.tv_nsec = (long)(delay_ms % 1000u) * 1000000L;
    /* A signal handler (child-exit notification, for one) must not cut the
     * sleep short; nanosleep reports what is left. */
    while (nanosleep(&left, &left) != 0 && errno == EINTR) {
    }
}

int ap_gettimeofday(ap_timeval* tv, ap_timezone* tz)
{
    (void)tz;
    struct timeval now;
    gettimeofday(&now, NULL);
    if (tv) {
        tv->tv_sec = (uint64_t)now.tv_sec;
        tv->tv_usec = (uint64_t)now.tv_usec;
    }
    return 0;
}

void ap_time_inithighres_internal(void) {}

void ap_time_exithighres_internal(void) {}
