#pragma once

#include <QPointF>
#include <QString>
#include <QVector>

#include <cstddef>

// A fixed-capacity ring of values; the oldest value makes room for the newest.
template <typename T>
class RingBuffer
{
public:
    explicit RingBuffer(int capacity = 0) { setCapacity(capacity); }

    int capacity() const { return m_data.size(); }
    int size() const { return m_size; }
    bool isEmpty() const { return m_size == 0; }

    void push(const T& value)
    {
        if (m_data.isEmpty())
            return;
        m_data[(m_first + m_size) % m_data.size()] = value;
        if (m_size < m_data.size())
            ++m_size;
        else
            m_first = (m_first + 1) % m_data.size();
    }

    // 0 is the oldest value held.
    const T& at(int i) const { return m_data[(m_first + i) % m_data.size()]; }
    const T& newest() const { return at(m_size - 1); }

    // Keeps the newest values that fit; the memory follows the capacity.
    void setCapacity(int capacity)
    {
        capacity = capacity < 0 ? 0 : capacity;
        const int keep = m_size < capacity ? m_size : capacity;
        QVector<T> data(capacity);
        for (int i = 0; i < keep; ++i)
            data[i] = at(m_size - keep + i);
        m_data.swap(data);
        m_data.squeeze();
        m_first = 0;
        m_size = keep;
    }

    void clear()
    {
        m_first = 0;
        m_size = 0;
    }

    std::size_t bytes() const { return std::size_t(m_data.capacity()) * sizeof(T); }

private:
    QVector<T> m_data;
    int m_first = 0;
    int m_size = 0;
};

// Reduces a curve to at most two points per bucket (its minimum and maximum in
// the order they occur), so a plot of any length keeps its peaks. Points whose
// y is not a number are gaps and left out. x must not decrease.
QVector<QPointF> decimateMinMax(const QVector<QPointF>& points, int buckets);

// The recorded trends: one row per second, a ring buffer per column, all of
// them as long as the chosen window.
class TrendStore
{
public:
    enum Column
    {
        OutputFrequency,
        FramesLost,
        Markers,
        Bodies,
        FixedColumns
    };
    // Camera numbers are two digits on the wire.
    static constexpr int kMaxCameras = 99;

    enum class Mark
    {
        Started,
        Stopped,
        ConnectionLost
    };
    struct Event
    {
        double time = 0;
        Mark mark = Mark::Started;
    };

    explicit TrendStore(int windowSeconds = 60);

    int windowSeconds() const { return m_times.capacity(); }
    void setWindowSeconds(int seconds);

    // Appends one row; values that were not read are NaN. Cameras beyond the
    // previous rows' count get columns whose earlier rows are NaN.
    void appendRow(double time, const QVector<double>& fixed, const QVector<double>& rays,
                   const QVector<double>& usedRays);
    void addEvent(double time, Mark mark);
    void clear();

    int rows() const { return m_times.size(); }
    int cameras() const { return m_rays.size(); }
    double timeAt(int row) const { return m_times.at(row); }
    double valueAt(int column, int row) const { return m_columns[column].at(row); }
    double raysAt(int camera, int row) const { return m_rays[camera].at(row); }
    double usedRaysAt(int camera, int row) const { return m_usedRays[camera].at(row); }
    QVector<Event> events() const;

    // The curve of one ring, x in minutes before now (seconds since the epoch).
    QVector<QPointF> curveMinutes(const RingBuffer<double>& ring, double now) const;
    const RingBuffer<double>& column(int c) const { return m_columns[c]; }
    const RingBuffer<double>& rays(int camera) const { return m_rays[camera]; }
    const RingBuffer<double>& usedRays(int camera) const { return m_usedRays[camera]; }

    // Header and rows of the CSV export, comma separated.
    QString csvHeader() const;
    QString csvRow(int row) const;

    // What the rings hold at the current window: the bound of the memory.
    std::size_t bytes() const;
    static std::size_t bytesFor(int windowSeconds, int cameras);

private:
    void addCamera();

    RingBuffer<double> m_times;
    QVector<RingBuffer<double>> m_columns;
    QVector<RingBuffer<double>> m_rays;
    QVector<RingBuffer<double>> m_usedRays;
    RingBuffer<Event> m_events;
};
