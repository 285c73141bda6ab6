// Monitoring datagrams as the requesters get them: every line handed on is
// non-empty, holds no line break or zero byte, lies inside the datagram and
// starts with its identifier, which holds no blank; at most 200 lines per
// datagram, and the datagram's text outside the delivered lines is never read.
// Input: one datagram.

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "DataLines_p.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // The channel's receive buffer holds one byte more than the datagram.
    std::vector<char> buffer(data, data + size);
    buffer.push_back('\0');
    const char* const begin = buffer.data();
    const char* const end = begin + size;

    int seen = 0;
    const int delivered = iomanager_detail::splitDataLines(
        buffer.data(), int(size), [&](const char* line, size_t length) {
            ++seen;
            if (length == 0 || line < begin || line + length > end || line[length] != '\0')
                std::abort();
            if (std::strpbrk(line, "\r\n"))
                std::abort();
            const size_t id = iomanager_detail::dataLineIdentifierLength(line, length);
            if (id > length || std::memchr(line, ' ', id) || (id < length && line[id] != ' '))
                std::abort();
        });
    if (delivered != seen || delivered > iomanager_detail::MaxLinesPerDatagram)
        std::abort();
    return 0;
}
