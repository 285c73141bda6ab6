#ifndef DATALINES_P_H
#define DATALINES_P_H

// Internal to the command channel (and its fuzz harness): how one monitoring
// datagram becomes the lines the requesters get, free of any socket.

#include <cstddef>
#include <cstring>

namespace iomanager_detail {

// A controller that packs more lines into one datagram is cut here, so one
// datagram cannot hold the data thread for long.
constexpr int MaxLinesPerDatagram = 200;

// The identifier is the line's first word: everything before the first blank.
inline size_t dataLineIdentifierLength(const char* line, size_t lineLength)
{
    const void* blank = std::memchr(line, ' ', lineLength);
    return blank ? size_t(static_cast<const char*>(blank) - line) : lineLength;
}

// Splits data[0, length) in place at CR and LF and calls deliver(line, lineLength)
// for each non-empty line, at most MaxLinesPerDatagram of them.  A zero byte
// inside a line ends it early.  data[length] must be writable.  Returns the
// number of lines delivered.
template <typename Deliver>
int splitDataLines(char* data, int length, Deliver&& deliver)
{
    char* p = data;
    char* const end = data + length;
    int lines = 0;
    while (p < end && lines < MaxLinesPerDatagram) {
        char* q = p;
        while (q < end && *q != '\r' && *q != '\n')
            ++q;
        *q = '\0';
        const size_t lineLength = std::strlen(p);
        if (lineLength > 0) {
            ++lines;
            deliver(static_cast<const char*>(p), lineLength);
        }
        p = q + 1;
    }
    return lines;
}

}  // namespace iomanager_detail

#endif
