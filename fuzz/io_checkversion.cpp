// The data-path version check on arbitrary version texts: it is a total
// order (reflexive, and of two texts one is at least the other).
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

    // An empty minimum stands for v0.2.2, so only non-empty texts are reflexive.
    if (!actual.isEmpty() && !IOManagerUdpTcp::checkVersion(actual, actual))
        std::abort();
    const bool forward = IOManagerUdpTcp::checkVersion(actual, minimum);
    const bool backward = IOManagerUdpTcp::checkVersion(
        minimum.isEmpty() ? QStringLiteral("v0.2.2") : minimum, actual);
    if (!forward && !backward)
        std::abort();
    return 0;
}
