#pragma once

#include <QMutex>

#include <atomic>
#include <utility>

#include "DataLines.h"
#include "Requester.h"

// Hands the newest frame from the channel's data thread to the user interface.
// The lock is held only for swapping two frames' vectors, so the data thread
// never waits for painting; frames the interface did not take are replaced.
class FrameExchange
{
public:
    void publish(MonitorFrame* frame)
    {
        {
            QMutexLocker lock(&m_mutex);
            std::swap(*frame, m_pending);
            m_fresh = true;
        }
        frame->reset();
        m_published.fetch_add(1, std::memory_order_relaxed);
    }

    // Replaces *frame with the newest one; false when none came since the last take.
    bool take(MonitorFrame* frame)
    {
        QMutexLocker lock(&m_mutex);
        if (!m_fresh)
            return false;
        std::swap(*frame, m_pending);
        m_fresh = false;
        return true;
    }

    quint64 published() const { return m_published.load(std::memory_order_relaxed); }

private:
    QMutex m_mutex;
    MonitorFrame m_pending;
    bool m_fresh = false;
    std::atomic<quint64> m_published{0};
};

// The data requester: collects the lines of one frame on the data thread and
// publishes the frame when the next one begins.
class FrameCollector : public Requester
{
public:
    int set_ascii_data(const char* identifier, const char* line) override;
    void set_mea_started() override {}
    void set_mea_stopped() override {}

    FrameExchange& exchange() { return m_exchange; }
    const FrameExchange& exchange() const { return m_exchange; }
    quint64 malformedLines() const { return m_malformed.load(std::memory_order_relaxed); }

private:
    MonitorFrame m_building;
    FrameExchange m_exchange;
    std::atomic<quint64> m_malformed{0};
};
