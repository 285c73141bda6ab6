#include "FrameExchange.h"

#include <cstring>

int FrameCollector::set_ascii_data(const char* identifier, const char* line)
{
    // The frame number comes first in every datagram, so it closes the frame before.
    if (identifier && std::strcmp(identifier, "fr") == 0 && m_building.number >= 0)
        m_exchange.publish(&m_building);
    if (DataLineParser::parse(line, &m_building) == DataLineParser::Result::Malformed)
        m_malformed.fetch_add(1, std::memory_order_relaxed);
    return 0;
}
