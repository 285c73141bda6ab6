// The data-path version check on arbitrary version texts: it is a total
// order (reflexive, and of two texts one is at least the other), and an empty
// minimum is v0.2.2.
// Input: two texts separated by a newline.

#include <QString>

#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "IOManagerUdpTcp.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const char* text = reinterpret_cast<const char*>(data);
    const char* split = static_cast<const char*>(std::memchr(text, '\n', size));
    const int firstSize = split ? int(split - text) : int(size);
    const QString actual = QString::fromLatin1(text, firstSize);
    const QString minimum =
        split ? QString::fromLatin1(split + 1, int(size) - firstSize - 1) : QString();

    // An empty minimum stands for v0.2.2; as an actual version it is 0.0.0.
    if (IOManagerUdpTcp::checkVersion(actual, QString()) !=
        IOManagerUdpTcp::checkVersion(actual, QStringLiteral("v0.2.2")))
        std::abort();
    if (actual.isEmpty() || minimum.isEmpty())
        return 0;
    if (!IOManagerUdpTcp::checkVersion(actual, actual))
        std::abort();
    // Of two versions one is always at least the other.
    if (!IOManagerUdpTcp::checkVersion(actual, minimum) &&
        !IOManagerUdpTcp::checkVersion(minimum, actual))
        std::abort();
    return 0;
}
