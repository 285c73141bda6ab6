#pragma once

#include <atomic>
#include <mutex>
#include <string>
#include <utility>

#include "DataLines.h"
#include "Requester.h"

// The unparsed lines of one frame. At 300 Hz most frames are replaced before
// anybody looks at them, so the data thread only copies the text and the
// user interface parses the few frames it shows.
struct RawFrame
{
    enum Slot
    {
        FrameNumber,
        Bodies,
        Markers,
        Slots
    };
    // A later line of a kind replaces the earlier one, so a frame never holds
    // more than one datagram's worth of text, whatever the controller sends.
    std::string lines[Slots];
    // The data line kinds, in slot order; the ones the module asks the channel for.
    static constexpr const char* kIdentifiers[Slots] = {"fr", "6d", "3d"};

    static int slotOf(const char* identifier);
    bool hasFrameNumber() const { return !lines[FrameNumber].empty(); }
    // Empties the lines but keeps their memory, so refilling does not allocate.
    void clear();
};

// Hands the newest frame from the channel's data thread to the user interface.
// The lock is held only for swapping two frames' strings, so the data thread
// never waits for parsing or painting; frames nobody took are replaced unread.
class FrameExchange
{
public:
    void publish(RawFrame* frame)
    {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            std::swap(*frame, m_pending);
            m_fresh = true;
        }
        frame->clear();
        m_published.fetch_add(1, std::memory_order_relaxed);
    }

    // Parses the newest frame into *frame; false when none came since the
    // last take. Only one thread takes.
    bool take(MonitorFrame* frame);

    quint64 published() const { return m_published.load(std::memory_order_relaxed); }
    // Lines of the frames taken that did not follow their form.
    quint64 malformedLines() const { return m_malformed.load(std::memory_order_relaxed); }

private:
    std::mutex m_mutex;
    RawFrame m_pending;
    RawFrame m_taken;  // the taker's, kept to reuse its memory
    bool m_fresh = false;
    std::atomic<quint64> m_published{0};
    std::atomic<quint64> m_malformed{0};
};

// The data requester: keeps the lines of one frame on the data thread and
// publishes them when the next frame begins.
class FrameCollector : public Requester
{
public:
    int set_ascii_data(const char* identifier, const char* line) override;
    void set_mea_started() override {}
    void set_mea_stopped() override {}

    FrameExchange& exchange() { return m_exchange; }
    const FrameExchange& exchange() const { return m_exchange; }
    quint64 malformedLines() const { return m_exchange.malformedLines(); }

private:
    RawFrame m_building;
    FrameExchange m_exchange;
};
