#include "FrameExchange.h"

#include <cstring>

int RawFrame::slotOf(const char* identifier)
{
    for (int slot = 0; identifier && slot < Slots; ++slot) {
        if (std::strcmp(identifier, kIdentifiers[slot]) == 0)
            return slot;
    }
    return -1;
}

void RawFrame::clear()
{
    for (std::string& line : lines)
        line.clear();
}

bool FrameExchange::take(MonitorFrame* frame)
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (!m_fresh)
            return false;
        std::swap(m_taken, m_pending);
        m_fresh = false;
    }
    frame->reset();
    for (const std::string& line : m_taken.lines) {
        if (!line.empty() &&
            DataLineParser::parse(line.c_str(), frame) == DataLineParser::Result::Malformed)
            m_malformed.fetch_add(1, std::memory_order_relaxed);
    }
    return true;
}

int FrameCollector::set_ascii_data(const char* identifier, const char* line)
{
    const int slot = RawFrame::slotOf(identifier);
    if (slot < 0 || !line)
        return 0;
    // The frame number comes first in every datagram, so it closes the frame before.
    if (slot == RawFrame::FrameNumber && m_building.hasFrameNumber())
        m_exchange.publish(&m_building);
    m_building.lines[slot].assign(line);
    return 0;
}
