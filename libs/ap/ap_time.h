#ifndef AP_TIME_H
#define AP_TIME_H

/* Millisecond clock, sleeps and wall-clock time. */

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef struct
{
    uint64_t tv_sec;
    uint64_t tv_usec;
} ap_timeval;

typedef struct
{
    int tz_minuteswest;
    int tz_dsttime;
} ap_timezone;

/* Wrapping 32-bit millisecond counter; compare readings only with ap_time_diff_internal. */
uint32_t ap_time_get_internal(void);
/* tm1 - tm0, right across a wrap of the counter. */
uint32_t ap_time_diff_internal(uint32_t tm1, uint32_t tm0);
/* Microseconds since the epoch. */
uint64_t ap_time_get_internal_highres(void);
void ap_time_millisleep(uint32_t delay_ms);
int ap_gettimeofday(ap_timeval* tv, ap_timezone* tz);
void ap_time_inithighres_internal(void);
void ap_time_exithighres_internal(void);

#ifdef __cplusplus
}
#endif

#endif
