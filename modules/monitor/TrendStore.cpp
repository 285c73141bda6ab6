#include "TrendStore.h"

#include <QDateTime>

#include <cmath>

namespace {

constexpr int kEventCapacity = 256;

QString number(double value)
{
    return std::isfinite(value) ? QString::number(value, 'g', 10) : QString();
}

void appendMinMax(QVector<QPointF>* out, const QPointF& lo, const QPointF& hi)
{
    if (lo.x() <= hi.x()) {
        out->append(lo);
        if (hi != lo)
            out->append(hi);
    } else {
        out->append(hi);
        out->append(lo);
    }
}

}  // namespace

QVector<QPointF> decimateMinMax(const QVector<QPointF>& points, int buckets)
{
    QVector<QPointF> out;
    if (points.isEmpty() || buckets <= 0)
        return out;
    if (points.size() <= 2 * buckets) {
        for (const QPointF& p : points) {
            if (std::isfinite(p.y()))
                out.append(p);
        }
        return out;
    }
    out.reserve(2 * buckets);
    const double first = points.first().x();
    const double span = points.last().x() - first;
    int bucket = -1;
    QPointF lo, hi;
    for (const QPointF& p : points) {
        if (!std::isfinite(p.y()))
            continue;
        int b = span > 0 ? int((p.x() - first) / span * buckets) : 0;
        b = b >= buckets ? buckets - 1 : b;
        if (b != bucket) {
            if (bucket >= 0)
                appendMinMax(&out, lo, hi);
            bucket = b;
            lo = hi = p;
        } else if (p.y() < lo.y()) {
            lo = p;
        } else if (p.y() > hi.y()) {
            hi = p;
        }
    }
    if (bucket >= 0)
        appendMinMax(&out, lo, hi);
    return out;
}

TrendStore::TrendStore(int windowSeconds)
    : m_times(windowSeconds),
      m_columns(FixedColumns, RingBuffer<double>(windowSeconds)),
      m_events(kEventCapacity)
{
}

void TrendStore::setWindowSeconds(int seconds)
{
    m_times.setCapacity(seconds);
    for (auto* set : {&m_columns, &m_rays, &m_usedRays}) {
        for (RingBuffer<double>& ring : *set)
            ring.setCapacity(seconds);
    }
}

void TrendStore::addCamera()
{
    RingBuffer<double> ring(windowSeconds());
    for (int i = 0; i < m_times.size(); ++i)
        ring.push(std::nan(""));
    m_rays.append(ring);
    m_usedRays.append(ring);
}

void TrendStore::appendRow(double time, const QVector<double>& fixed, const QVector<double>& rays,
                           const QVector<double>& usedRays)
{
    while (m_rays.size() < qMin(rays.size(), kMaxCameras))
        addCamera();
    m_times.push(time);
    for (int c = 0; c < FixedColumns; ++c)
        m_columns[c].push(fixed.value(c, std::nan("")));
    for (int cam = 0; cam < m_rays.size(); ++cam) {
        m_rays[cam].push(rays.value(cam, std::nan("")));
        m_usedRays[cam].push(usedRays.value(cam, std::nan("")));
    }
}

void TrendStore::addEvent(double time, Mark mark)
{
    m_events.push({time, mark});
}

void TrendStore::clear()
{
    m_times.clear();
    for (RingBuffer<double>& ring : m_columns)
        ring.clear();
    m_rays.clear();
    m_usedRays.clear();
    m_events.clear();
}

QVector<TrendStore::Event> TrendStore::events() const
{
    // Marks older than the oldest row have scrolled out of every plot.
    const double oldest = m_times.isEmpty() ? 0 : m_times.at(0);
    QVector<Event> out;
    for (int i = 0; i < m_events.size(); ++i) {
        if (m_events.at(i).time >= oldest)
            out.append(m_events.at(i));
    }
    return out;
}

QVector<QPointF> TrendStore::curveMinutes(const RingBuffer<double>& ring, double now) const
{
    QVector<QPointF> points;
    // Every ring holds one value per row, cameras that came later NaN before they did.
    points.reserve(ring.size());
    for (int i = 0; i < ring.size() && i < m_times.size(); ++i)
        points.append(QPointF((m_times.at(i) - now) / 60.0, ring.at(i)));
    return points;
}

QString TrendStore::csvHeader() const
{
    QStringList names = {QStringLiteral("time (UTC)"),
                         QStringLiteral("time (s)"),
                         QStringLiteral("output frequency (Hz)"),
                         QStringLiteral("frames lost (1/s)"),
                         QStringLiteral("markers (count)"),
                         QStringLiteral("bodies (count)")};
    for (int cam = 1; cam <= cameras(); ++cam) {
        const QString id = QStringLiteral("c%1").arg(cam, 2, 10, QLatin1Char('0'));
        names << id + QStringLiteral(" rays (count)") << id + QStringLiteral(" used rays (count)");
    }
    return names.join(QLatin1Char(','));
}

QString TrendStore::csvRow(int row) const
{
    const double t = timeAt(row);
    QStringList cells = {
        QDateTime::fromMSecsSinceEpoch(qint64(t * 1000), Qt::UTC).toString(Qt::ISODate),
        QString::number(t - timeAt(0), 'f', 3)};
    for (int c = 0; c < FixedColumns; ++c)
        cells << number(valueAt(c, row));
    for (int cam = 0; cam < cameras(); ++cam)
        cells << number(raysAt(cam, row)) << number(usedRaysAt(cam, row));
    return cells.join(QLatin1Char(','));
}

std::size_t TrendStore::bytes() const
{
    std::size_t total = m_times.bytes() + m_events.bytes();
    for (auto* set : {&m_columns, &m_rays, &m_usedRays}) {
        for (const RingBuffer<double>& ring : *set)
            total += ring.bytes();
    }
    return total;
}

std::size_t TrendStore::bytesFor(int windowSeconds, int cameras)
{
    return std::size_t(windowSeconds) * sizeof(double) * (1 + FixedColumns + 2 * cameras) +
           kEventCapacity * sizeof(Event);
}
