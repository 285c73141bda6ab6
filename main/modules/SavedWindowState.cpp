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
constexpr quint8 kDockFloatingFlag = 0x02;

constexpr int kAreaCount = 4;
// Qt nests a sequence only where docks were split across each other; a
// window with a few dozen docks stays far below this.
constexpr int kMaxNesting = 16;

// Smallest encodings, to bound what a count can claim.
constexpr int kStringMin = 4;  // length, or the null marker
constexpr int kFourInts = 16;  // pos, size, min, max or a rect
constexpr int kDockItemMin = 1 + kStringMin + 1 + kFourInts;
constexpr int kToolBarLineMin = 8;                           // area, count
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

class StateWalk
{
public:
    StateWalk(const QByteArray& state, const QSize& largestWindow)
        : m_in(state), m_largest(largestWindow)
    {
    }

    bool sections(int version)
    {
        if (m_in.int32() != kVersionMarker || m_in.int32() != version || !m_in.ok())
            return false;
        while (!m_in.atEnd()) {
            const quint8 marker = m_in.byte();
            bool sound = false;
            if (marker == kToolBarMarker || marker == kToolBarMarkerEx)
                sound = toolBars(marker == kToolBarMarkerEx);
            else if (marker == kDockAreasMarker)
                sound = dockAreas();
            else if (marker == kFloatingTabsMarker)
                sound = floatingRect() && dockAreaInfo(0);
            if (!sound)
                return false;
        }
        return m_in.ok();
    }

private:
    bool fits(qint32 width, qint32 height) const
    {
        return width >= 0 && height >= 0 && width <= m_largest.width() &&
               height <= m_largest.height();
    }

    // x, y, width, height of a window of its own.
    bool floatingRect()
    {
        m_in.int32();
        m_in.int32();
        const qint32 width = m_in.int32();
        const qint32 height = m_in.int32();
        return m_in.ok() && fits(width, height);
    }

    // One dock area's items: docks and nested sequences of them, in a row or as tabs.
    bool dockAreaInfo(int depth)
    {
        if (depth > kMaxNesting)
            return false;
        const quint8 marker = m_in.byte();
        if (marker == kTabMarker)
            m_in.int32();  // the current tab; Qt checks it against the items itself
        else if (marker != kSequenceMarker)
            return false;
        int items = 0;
        if (!isOrientation(m_in.byte()) || !m_in.count(kDockItemMin, &items))
            return false;
        for (int i = 0; i < items; ++i) {
            const quint8 kind = m_in.byte();
            if (kind == kWidgetMarker) {
                if (!m_in.string())
                    return false;
                const bool floating = m_in.byte() & kDockFloatingFlag;
                // docked: pos, size, minimum, maximum
                if (floating ? !floatingRect() : !m_in.skip(kFourInts))
                    return false;
            } else if (kind == kSequenceMarker) {
                if (!m_in.skip(kFourInts) || !dockAreaInfo(depth + 1))
                    return false;
            } else {
                return false;
            }
        }
        return m_in.ok();
    }

    bool dockAreas()
    {
        const qint32 areas = m_in.int32();
        if (!m_in.ok() || areas < 0 || areas > kAreaCount)
            return false;
        for (int i = 0; i < areas; ++i) {
            // area, its size, its items
            if (!isArea(m_in.int32()) || !m_in.skip(8) || !dockAreaInfo(0))
                return false;
        }
        return m_in.skip(8 + 4 * 4);  // the central widget's size, the four corners
    }

    bool toolBars(bool extended)
    {
        const int itemBytes = kToolBarItemMin + (extended ? 4 : 0);
        int lines = 0;
        if (!m_in.count(kToolBarLineMin, &lines))
            return false;
        for (int line = 0; line < lines; ++line) {
            int items = 0;
            if (!isArea(m_in.int32()) || !m_in.count(itemBytes, &items))
                return false;
            for (int i = 0; i < items; ++i) {
                // name, shown, pos, size, then the packed geometry
                if (!m_in.string() || !m_in.skip(1 + 4 + 4))
                    return false;
                const quint32 geom0 = quint32(m_in.int32());
                const quint32 geom1 = extended ? quint32(m_in.int32()) : 0;
                if (!m_in.ok())
                    return false;
                // Only the extended form restores a floating tool bar, with
                // its width and height packed in the upper halves.
                if (extended && (geom0 & 1) &&
                    !fits(qint32((geom0 >> 17) & 0xffff), qint32((geom1 >> 16) & 0xffff)))
                    return false;
            }
        }
        return m_in.ok();
    }

    StateReader m_in;
    QSize m_largest;
};

}  // namespace

namespace SavedWindowState {

bool isWellFormed(const QByteArray& state, int version, const QSize& largestWindow)
{
    return StateWalk(state, largestWindow).sections(version);
}

}  // namespace SavedWindowState
