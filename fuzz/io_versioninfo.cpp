// VersionInfo's reading rules on arbitrary texts and the ordering of the results:
// parts are -1 or the converted numbers, and the six comparisons agree.
// Input: two texts separated by a newline.

#include <QString>

#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "VersionInfo.h"

static void checkOrder(const VersionInfo& a, const VersionInfo& b)
{
    const bool lt = a<b, gt = a> b, eq = a == b;
    if (int(lt) + int(gt) + int(eq) != 1)
        std::abort();
    if ((a <= b) != (lt || eq) || (a >= b) != (gt || eq) || (a != b) == eq)
        std::abort();
    if ((b < a) != gt)
        std::abort();
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const char* text = reinterpret_cast<const char*>(data);
    const char* split = static_cast<const char*>(std::memchr(text, '\n', size));
    const int firstSize = split ? int(split - text) : int(size);
    const QString first = QString::fromLatin1(text, firstSize);
    const QString second =
        split ? QString::fromLatin1(split + 1, int(size) - firstSize - 1) : QString();

    bool ok = true;
    const VersionInfo a = VersionInfo::fromString(first, &ok);
    const VersionInfo lenient = VersionInfo::fromString(first);
    const VersionInfo b = VersionInfo::fromString(second);
    // A part missing in front means the later ones are missing too.
    if (a.getMajor() == -1 && (a.getMinor() != -1 || a.getPatch() != -1) && ok)
        std::abort();
    if (a.getMinor() == -1 && a.getPatch() != -1)
        std::abort();
    // The strict parse stops early but never disagrees on what it read.
    if (a.getMajor() != lenient.getMajor())
        std::abort();
    checkOrder(a, b);
    checkOrder(a, a);
    // What toString writes reads back the same.
    if (a.getMajor() >= 0 && a.getMinor() >= 0 && a.getPatch() >= 0 &&
        !(VersionInfo::fromString(a.toString()) == a))
        std::abort();

    // The other reading rules: never a missing part, and the first word of a
    // text reads like the text itself when it has no blank.
    bool allThree = false;
    const VersionInfo blanked = VersionInfo::fromLettersAsBlanks(first, &allThree);
    const VersionInfo dataPath = VersionInfo::fromDataPathText(first);
    if (blanked.getPatch() == -1 && !allThree && blanked.getMajor() == -1)
        std::abort();
    checkOrder(blanked, dataPath);
    if (!first.contains(QLatin1Char(' ')) && !first.isEmpty() &&
        !(VersionInfo::fromFirstWord(first) == lenient))
        std::abort();
    const QList<int> folder = VersionInfo::folderNumbers(second);
    if (folder.size() > second.size() + 1)
        std::abort();
    return 0;
}
