#include "SavedWindowState.h"

#include <QDataStream>
#include <QIODevice>

namespace {

// The markers QMainWindow writes (Qt 5's qmainwindowlayout, qdockarealayout
// and qtoolbararealayout).
constexpr int kVersionMarker = 0xff;
constexpr quint8 kToolBarMarker = 0xfe;
constexpr quint8 kToolBarMarkerEx = 0xfc;
constexpr quint8 kDockAreasMarker = 0xfd;
constexpr quint8 kFloatingTabsMarker = 0xf9;
constexpr quint8 kSequenceMarker = 0xfc;
constexpr quint8 kTabMarker = 0xfa;
constexpr quint8 kWidgetMarker = 0xfb;

constexpr int kAreaCount = 4;
// Qt nests a sequence only where docks were split across each other; a
// window with a few dozen docks stays far below this.
constexpr int kMaxNesting = 16;

// Smallest encodings, to bound what a count can claim.
constexpr int kStringMin = 4;                   // length, or the null marker
constexpr int kFourInts = 16;                   // pos, size, min, max or a rect
constexpr int kDockItemMin = 1 + kStringMin + 1 + kFourInts;
constexpr int kToolBarLineMin = 8;              // area, count
constexpr int kToolBarItemMin = kStringMin + 1 + 4 + 4 + 4;  // + 4 for the Ex form

class StateReader
{
public:
    explicit StateReader(const QByteArray& bytes) : m_stream(bytes) {}

    bool ok() const { return m_stream.status() == QDataStream::Ok; }
    bool atEnd() const { return m_stream.atEnd(); }
    qint64 left() const { return m_stream.device()->bytesAvailable(); }

    quint8 byte()
    {
        quint8 v = 0;
        m_stream >> v;
        return v;
    }
    qint32 int32()
    {
        qint32 v = 0;
        m_stream >> v;
        return v;
    }
    bool skip(int bytes) { return m_stream.skipRawData(bytes) == bytes; }

    // A count of items, each at least itemBytes long, that the rest can hold.
    bool count(int itemBytes, int* n)
    {
        *n = int32();
        return ok() && *n >= 0 && *n <= left() / itemBytes;
    }
    // A QString: a length in bytes (even) or the null marker, then its text.
    bool string()
    {
        quint32 bytes = 0;
        m_stream >> bytes;
        if (!ok())
            return false;
        if (bytes == 0xffffffffu)
            return true;
        return bytes % 2 == 0 && bytes <= quint64(left()) && skip(int(bytes));
    }

private:
    QDataStream m_stream;
};

bool isArea(qint32 area)
{
    return area >= 0 && area < kAreaCount;
}

bool isOrientation(quint8 o)
{
    return o == Qt::Horizontal || o == Qt::Vertical;
}

// One dock area's items: docks and nested sequences of them, in a row or as tabs.
bool dockAreaInfo(StateReader& in, int depth)
{
    if (depth > kMaxNesting)
        return false;
    const quint8 marker = in.byte();
    if (marker == kTabMarker)
        in.int32();  // the current tab; Qt checks it against the items itself
    else if (marker != kSequenceMarker)
        return false;
    int items = 0;
    if (!isOrientation(in.byte()) || !in.count(kDockItemMin, &items))
        return false;
    for (int i = 0; i < items; ++i) {
        const quint8 kind = in.byte();
        if (kind == kWidgetMarker) {
            // name, flags, then pos/size/min/max or the floating rect
            if (!in.string() || !in.skip(1 + kFourInts))
                return false;
        } else if (kind == kSequenceMarker) {
            if (!in.skip(kFourInts) || !dockAreaInfo(in, depth + 1))
                return false;
        } else {
            return false;
        }
    }
    return in.ok();
}

bool dockAreas(StateReader& in)
{
    const qint32 areas = in.int32();
    if (!in.ok() || areas < 0 || areas > kAreaCount)
        return false;
    for (int i = 0; i < areas; ++i) {
        if (!isArea(in.int32()) || !in.skip(8) || !dockAreaInfo(in, 0))  // area, its size
            return false;
    }
    return in.skip(8 + 4 * 4);  // the central widget's size, the four corners
}

bool toolBars(StateReader& in, bool extended)
{
    const int itemBytes = kToolBarItemMin + (extended ? 4 : 0);
    int lines = 0;
    if (!in.count(kToolBarLineMin, &lines))
        return false;
    for (int line = 0; line < lines; ++line) {
        int items = 0;
        if (!isArea(in.int32()) || !in.count(itemBytes, &items))
            return false;
        for (int i = 0; i < items; ++i) {
            // name, shown, pos, size, packed geometry
            if (!in.string() || !in.skip(itemBytes - kStringMin))
                return false;
        }
    }
    return in.ok();
}

}  // namespace

namespace SavedWindowState {

bool isWellFormed(const QByteArray& state, int version)
{
    StateReader in(state);
    if (in.int32() != kVersionMarker || in.int32() != version || !in.ok())
        return false;
    while (!in.atEnd()) {
        const quint8 marker = in.byte();
        bool sound = false;
        if (marker == kToolBarMarker || marker == kToolBarMarkerEx)
            sound = toolBars(in, marker == kToolBarMarkerEx);
        else if (marker == kDockAreasMarker)
            sound = dockAreas(in);
        else if (marker == kFloatingTabsMarker)
            sound = in.skip(kFourInts) && dockAreaInfo(in, 0);
        if (!sound)
            return false;
    }
    return in.ok();
}

}  // namespace SavedWindowState
