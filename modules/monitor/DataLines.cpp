#include "DataLines.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace {

// A cursor over one line; every read fails rather than run past its end.
class Scanner
{
public:
    explicit Scanner(const char* text) : m_pos(text), m_end(text + std::strlen(text)) {}

    void skipBlanks()
    {
        while (m_pos < m_end && (*m_pos == ' ' || *m_pos == '\t'))
            ++m_pos;
    }
    bool atEnd()
    {
        skipBlanks();
        return m_pos == m_end;
    }
    // Skips the first word, whatever it is.
    bool anyWord()
    {
        skipBlanks();
        const char* start = m_pos;
        while (m_pos < m_end && *m_pos != ' ' && *m_pos != '\t')
            ++m_pos;
        return m_pos != start;
    }
    bool expect(char c)
    {
        skipBlanks();
        if (m_pos == m_end || *m_pos != c)
            return false;
        ++m_pos;
        return true;
    }
    bool word(const char* text)
    {
        skipBlanks();
        const std::size_t n = std::strlen(text);
        if (std::size_t(m_end - m_pos) < n || std::memcmp(m_pos, text, n) != 0)
            return false;
        const char* after = m_pos + n;
        if (after != m_end && *after != ' ' && *after != '\t')
            return false;
        m_pos = after;
        return true;
    }
    bool integer(long long lo, long long hi, long long* out)
    {
        skipBlanks();
        const auto r = std::from_chars(m_pos, m_end, *out);
        if (r.ec != std::errc() || *out < lo || *out > hi)
            return false;
        m_pos = r.ptr;
        return true;
    }
    // from_chars takes no locale, so a decimal point is a point everywhere.
    bool real(double limit, double* out)
    {
        skipBlanks();
        const auto r = std::from_chars(m_pos, m_end, *out);
        if (r.ec != std::errc() || !std::isfinite(*out) || std::fabs(*out) > limit)
            return false;
        m_pos = r.ptr;
        return true;
    }
    bool reals(int n, double limit, double* out)
    {
        for (int i = 0; i < n; ++i) {
            if (!real(limit, out + i))
                return false;
        }
        return true;
    }

private:
    const char* m_pos;
    const char* m_end;
};

bool count(Scanner& s, long long* n)
{
    return s.integer(0, DataLineParser::kMaxItems, n);
}

// "[id q][x y z]" and, for bodies, the rotation "[r0 .. r8]".
bool point(Scanner& s, int rotationValues, TrackedPoint* p)
{
    long long id = 0;
    double quality = 0;
    double pos[3];
    double rot[9];
    if (!s.expect('[') || !s.integer(0, DataLineParser::kMaxId, &id) || !s.real(1e3, &quality) ||
        !s.expect(']') || !s.expect('[') || !s.reals(3, DataLineParser::kMaxCoordinate, pos) ||
        !s.expect(']'))
        return false;
    if (rotationValues && (!s.expect('[') || !s.reals(rotationValues, 1.5, rot) || !s.expect(']')))
        return false;
    *p = {int(id), float(pos[0]), float(pos[1]), float(pos[2])};
    return true;
}

bool points(Scanner& s, int rotationValues, QVector<TrackedPoint>* out)
{
    long long n = 0;
    out->clear();
    if (!count(s, &n))
        return false;
    for (long long i = 0; i < n; ++i) {
        TrackedPoint p;
        if (!point(s, rotationValues, &p))
            return false;
        out->append(p);
    }
    return s.atEnd();
}

// "[cNN rays][x y]" per camera.
bool cameras(Scanner& s)
{
    long long n = 0;
    if (!count(s, &n))
        return false;
    for (long long i = 0; i < n; ++i) {
        long long cam = 0;
        long long rays = 0;
        double xy[2];
        if (!s.expect('[') || !s.expect('c') || !s.integer(1, 99, &cam) ||
            !s.integer(0, 1000000, &rays) || !s.expect(']') || !s.expect('[') ||
            !s.reals(2, DataLineParser::kMaxCoordinate, xy) || !s.expect(']'))
            return false;
    }
    return s.atEnd();
}

bool isOtherBodyType(Scanner& s)
{
    return s.word("6df") || s.word("6dmt") || s.word("gl");
}

}  // namespace

void MonitorFrame::reset()
{
    number = -1;
    bodyCount = -1;
    markerCount = -1;
    bodies.clear();
    markers.clear();
}

DataLineParser::Result DataLineParser::parse(const char* line, MonitorFrame* frame)
{
    if (!line || !frame)
        return Result::Malformed;
    Scanner s(line);
    long long value = 0;
    double seconds = 0;
    if (s.word("fr")) {
        if (!s.integer(0, INT64_MAX, &value) || !s.atEnd())
            return Result::Malformed;
        frame->number = value;
        return Result::FrameNumber;
    }
    if (s.word("6d")) {
        const bool ok = points(s, 9, &frame->bodies);
        frame->bodyCount = ok ? frame->bodies.size() : -1;
        if (!ok)
            frame->bodies.clear();
        return ok ? Result::Bodies : Result::Malformed;
    }
    if (s.word("3d")) {
        const bool ok = points(s, 0, &frame->markers);
        frame->markerCount = ok ? frame->markers.size() : -1;
        if (!ok)
            frame->markers.clear();
        return ok ? Result::Markers : Result::Malformed;
    }
    if (s.word("ts"))
        return s.real(1e12, &seconds) && s.atEnd() ? Result::Accepted : Result::Malformed;
    if (s.word("2dmon"))
        return cameras(s) ? Result::Accepted : Result::Malformed;
    if (isOtherBodyType(s)) {
        QVector<TrackedPoint> ignored;
        return points(s, 9, &ignored) ? Result::Accepted : Result::Malformed;
    }
    // Data types the controller sends without content: "NAME 0".
    return s.anyWord() && s.integer(0, 0, &value) && s.atEnd() ? Result::Accepted
                                                               : Result::Malformed;
}
