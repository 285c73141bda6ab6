#ifndef AP_MUTEX_LOCKER_H
#define AP_MUTEX_LOCKER_H

#include "ap_thread.h"

#ifdef __cplusplus

// Holds an ap mutex for one scope, so that no early return can leave it
// locked. unlock() lets go before the scope ends, for work that must run
// outside the lock (notices to requesters, messages to receivers).
class ApMutexLocker
{
public:
    explicit ApMutexLocker(ap_mutex_handle_type mutex) : m_mutex(mutex) { ap_mutex_lock(m_mutex); }
    ~ApMutexLocker() { unlock(); }

    void unlock()
    {
        if (m_mutex) {
            ap_mutex_unlock(m_mutex);
            m_mutex = nullptr;
        }
    }

    ApMutexLocker(const ApMutexLocker&) = delete;
    ApMutexLocker& operator=(const ApMutexLocker&) = delete;

private:
    ap_mutex_handle_type m_mutex;
};

#endif

#endif
