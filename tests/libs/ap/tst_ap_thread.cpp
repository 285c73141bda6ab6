// Clock, detached threads, recursive mutexes and condition variables.

#include <QtTest>

#include <atomic>
#include <chrono>
#include <csignal>
#include <cstring>
#include <thread>

#include <pthread.h>
#include <signal.h>

#include "ap_thread.h"
#include "ap_thread_p.h"
#include "ap_time.h"

namespace {

// Runs f on another thread and waits for it.
template <typename F>
int onOtherThread(F f)
{
    int result = 0;
    std::thread t([&] { result = f(); });
    t.join();
    return result;
}

struct Slot
{
    std::atomic<int> seen{0};
    std::atomic<bool> done{false};
};

int recordArg(void* arg)
{
    Slot* slot = static_cast<Slot*>(arg);
    slot->seen.store(slot->seen.load() + 1);
    slot->done.store(true);
    return 0;
}

// Starts the thread from a frame of its own; the start record dies with it.
int startFromShortLivedFrame(Slot* slot)
{
    volatile char pad[64];
    std::memset(const_cast<char*>(pad), 0, sizeof pad);
    return ap_thread_create(recordArg, slot);
}

// Overwrites the stack area the previous frame used.
void scribbleStack()
{
    volatile char junk[4096];
    std::memset(const_cast<char*>(junk), 0xA5, sizeof junk);
}

struct Exiting
{
    std::atomic<bool> before{false};
    std::atomic<bool> after{false};
    std::atomic<bool> finished{false};
};

void exitHelper(Exiting* e)
{
    e->finished.store(true);
    ap_thread_exit(7);
}

int exitsEarly(void* arg)
{
    Exiting* e = static_cast<Exiting*>(arg);
    e->before.store(true);
    exitHelper(e);
    e->after.store(true);
    return 0;
}

struct SelfCheck
{
    ap_thread_handle_type handle = nullptr;
    std::atomic<bool> go{false};
    std::atomic<int> result{-1};
};

int checkSelf(void* arg)
{
    SelfCheck* c = static_cast<SelfCheck*>(arg);
    while (!c->go.load())
        ap_time_millisleep(1);
    c->result.store(ap_thread_is_self(c->handle));
    return 0;
}

struct Waiter
{
    ap_cond_handle_type cond = nullptr;
    ap_mutex_handle_type mutex = nullptr;
    bool flag = false;
    std::atomic<int> waiting{0};
    std::atomic<int> woken{0};
};

int waitForFlag(void* arg)
{
    Waiter* w = static_cast<Waiter*>(arg);
    ap_mutex_lock(w->mutex);
    w->waiting.fetch_add(1);
    while (!w->flag)
        ap_cond_wait(w->cond, w->mutex);
    ap_mutex_unlock(w->mutex);
    w->woken.fetch_add(1);
    return 0;
}

}  // namespace

class TestApThread : public QObject
{
    Q_OBJECT

private slots:
    void counterDifferenceSurvivesWrap()
    {
        const uint32_t before = 0xFFFFFFFFu - 4u;  // 5 ms before the wrap
        const uint32_t after = before + 10u;
        QCOMPARE(after, 5u);
        QCOMPARE(ap_time_diff_internal(after, before), 10u);
        QCOMPARE(ap_time_diff_internal(before, before), 0u);
    }

    void clocksFollowTheWallClock()
    {
        ap_timeval tv{};
        QCOMPARE(ap_gettimeofday(&tv, nullptr), 0);
        QVERIFY(tv.tv_usec < 1000000u);
        const uint32_t expected = uint32_t(tv.tv_sec * 1000u + tv.tv_usec / 1000u + 0x6217E5E4u);
        const uint32_t counter = ap_time_get_internal();
        QVERIFY(ap_time_diff_internal(counter, expected) < 1000u);

        const uint64_t us = ap_time_get_internal_highres();
        const uint64_t fromTv = tv.tv_sec * 1000000u + tv.tv_usec;
        QVERIFY(us >= fromTv && us - fromTv < 1000000u);

        ap_time_inithighres_internal();
        ap_time_exithighres_internal();
        ap_timezone tz{-1, -1};
        QCOMPARE(ap_gettimeofday(&tv, &tz), 0);
        QCOMPARE(tz.tz_minuteswest, -1);  // never filled
    }

    void millisleepSleepsAtLeastTheDelay()
    {
        const uint32_t t0 = ap_time_get_internal();
        ap_time_millisleep(30);
        QVERIFY(ap_time_diff_internal(ap_time_get_internal(), t0) >= 29u);
        QElapsedTimer t;
        t.start();
        ap_time_millisleep(1100);  // longer than one microsecond sleep may take
        QVERIFY(t.elapsed() >= 1095);
    }

    void millisleepOutlastsSignals()
    {
        struct sigaction sa
        {
        };
        sa.sa_handler = [](int) {};
        sigemptyset(&sa.sa_mask);
        struct sigaction old
        {
        };
        QCOMPARE(sigaction(SIGUSR1, &sa, &old), 0);
        const pthread_t sleeper = pthread_self();
        std::atomic<bool> stop{false};
        std::thread poker([&] {
            while (!stop.load()) {
                pthread_kill(sleeper, SIGUSR1);
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
            }
        });
        QElapsedTimer t;
        t.start();
        ap_time_millisleep(200);
        const qint64 took = t.elapsed();
        stop.store(true);
        poker.join();
        sigaction(SIGUSR1, &old, nullptr);
        QVERIFY2(took >= 198, qPrintable(QString::number(took)));
    }

    void startRecordMayVanishAfterCreate()
    {
        Slot records[32];
        for (Slot& s : records) {
            QCOMPARE(startFromShortLivedFrame(&s), 0);
            scribbleStack();
        }
        for (Slot& s : records) {
            QTRY_VERIFY(s.done.load());
            QCOMPARE(s.seen.load(), 1);
        }
    }

    void threadExitEndsTheRoutine()
    {
        Exiting e;
        QCOMPARE(ap_thread_create(exitsEarly, &e), 0);
        QTRY_VERIFY(e.finished.load());
        QVERIFY(e.before.load());
        QTest::qWait(50);
        QVERIFY(!e.after.load());
    }

    void handleIdentifiesTheThread()
    {
        SelfCheck c;
        QCOMPARE(ap_thread_create_withhandle(&c.handle, checkSelf, &c), 0);
        QVERIFY(c.handle);
        QCOMPARE(ap_thread_is_self(c.handle), 0);
        c.go.store(true);
        QTRY_COMPARE(c.result.load(), 1);
        QCOMPARE(ap_thread_destroy_handle(c.handle), 0);
        QCOMPARE(ap_thread_destroy_handle(nullptr), 0);
        QCOMPARE(ap_thread_is_self(nullptr), 0);
    }

    void recursiveMutexAgainstSecondThread()
    {
        ap_mutex_handle_type m = nullptr;
        QCOMPARE(ap_mutex_init(&m), 0);
        QCOMPARE(ap_mutex_lock(m), 0);
        QCOMPARE(ap_mutex_lock(m), 0);
        QCOMPARE(ap_mutex_trylock(m), 0);  // the owner may take it a third time
        QCOMPARE(ap_mutex_unlock(m), 0);
        const auto tryFromOther = [m] {
            return onOtherThread([m] {
                const int rc = ap_mutex_trylock(m);
                if (rc == 0)
                    ap_mutex_unlock(m);
                return rc;
            });
        };
        QCOMPARE(tryFromOther(), 1);
        QCOMPARE(ap_mutex_unlock(m), 0);
        QCOMPARE(tryFromOther(), 1);
        QCOMPARE(ap_mutex_unlock(m), 0);
        QCOMPARE(tryFromOther(), 0);
        QCOMPARE(ap_mutex_unlock(m), -1);  // not held
        QCOMPARE(ap_mutex_destroy(m), 0);
    }

    void destroyingAHeldMutexIsRefused()
    {
        ap_mutex_handle_type m = nullptr;
        QCOMPARE(ap_mutex_init(&m), 0);
        QCOMPARE(ap_mutex_lock(m), 0);
        QCOMPARE(ap_mutex_destroy(m), -1);  // freed all the same
    }

    void timedWaitRunsOut()
    {
        ap_mutex_handle_type m = nullptr;
        ap_cond_handle_type c = nullptr;
        QCOMPARE(ap_mutex_init(&m), 0);
        QCOMPARE(ap_cond_init(&c), 0);
        QCOMPARE(ap_mutex_lock(m), 0);
        QElapsedTimer t;
        t.start();
        QCOMPARE(ap_cond_timedwait(c, m, 1500), 1);
        const qint64 took = t.elapsed();
        QVERIFY2(took >= 1490 && took < 10000, qPrintable(QString::number(took)));
        QCOMPARE(ap_mutex_unlock(m), 0);  // the wait gave the mutex back locked
        QCOMPARE(ap_cond_destroy(c), 0);
        QCOMPARE(ap_mutex_destroy(m), 0);
    }

    void deadlineCarriesNanoseconds()
    {
        timespec d{};
        timeval now{100, 999999};
        ap_cond_deadline_internal(&d, &now, 1);
        QCOMPARE(qint64(d.tv_sec), qint64(101));
        QCOMPARE(long(d.tv_nsec), 999000L);
        now = {100, 500000};
        ap_cond_deadline_internal(&d, &now, 2999);
        QCOMPARE(qint64(d.tv_sec), qint64(103));
        QCOMPARE(long(d.tv_nsec), 499000000L);
        now = {100, 0};
        ap_cond_deadline_internal(&d, &now, 0);
        QCOMPARE(qint64(d.tv_sec), qint64(100));
        QCOMPARE(long(d.tv_nsec), 0L);

        // Started at an arbitrary microsecond, a 999 ms wait almost always
        // carries; an uncarried deadline would be rejected and show up as -1.
        ap_mutex_handle_type m = nullptr;
        ap_cond_handle_type c = nullptr;
        QCOMPARE(ap_mutex_init(&m), 0);
        QCOMPARE(ap_cond_init(&c), 0);
        ap_mutex_lock(m);
        QCOMPARE(ap_cond_timedwait(c, m, 999), 1);
        ap_mutex_unlock(m);
        ap_cond_destroy(c);
        ap_mutex_destroy(m);
    }

    void signalAndBroadcastWakeWaiters()
    {
        Waiter w;
        QCOMPARE(ap_mutex_init(&w.mutex), 0);
        QCOMPARE(ap_cond_init(&w.cond), 0);
        QCOMPARE(ap_thread_create(waitForFlag, &w), 0);
        QCOMPARE(ap_thread_create(waitForFlag, &w), 0);
        QTRY_COMPARE(w.waiting.load(), 2);
        ap_mutex_lock(w.mutex);
        w.flag = true;
        QCOMPARE(ap_cond_broadcast(w.cond), 0);
        ap_mutex_unlock(w.mutex);
        QTRY_COMPARE(w.woken.load(), 2);

        // A signalled timed wait returns 0 well before its time-out.
        std::atomic<bool> signalled{false};
        ap_mutex_lock(w.mutex);
        std::thread signaller([&] {
            ap_mutex_lock(w.mutex);  // only once the waiter has released it
            signalled.store(true);
            ap_cond_signal(w.cond);
            ap_mutex_unlock(w.mutex);
        });
        int rc = 0;
        while (!signalled.load() && rc == 0)
            rc = ap_cond_timedwait(w.cond, w.mutex, 5000);
        ap_mutex_unlock(w.mutex);
        signaller.join();
        QCOMPARE(rc, 0);
        QVERIFY(signalled.load());
        QCOMPARE(ap_cond_destroy(w.cond), 0);
        QCOMPARE(ap_mutex_destroy(w.mutex), 0);
    }
};

QTEST_GUILESS_MAIN(TestApThread)
#include "tst_ap_thread.moc"
