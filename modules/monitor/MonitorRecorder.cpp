#include "MonitorRecorder.h"

#include <QDateTime>

#include <cmath>

#include "IOManager.h"

namespace {

double nan()
{
    return std::nan("");
}

// A value the controller reports is a claim: outside the range it is no value.
double checked(double value, double lo, double hi)
{
    return std::isfinite(value) && value >= lo && value <= hi ? value : nan();
}

bool connectionGone(int result)
{
    return result == IOManager::ResultConnectionFailed || result == IOManager::ResultPeerClosed ||
           result == IOManager::ResultNoAnswer || result == IOManager::ResultTransport ||
           result == IOManager::ResultReceiveFailed;
}

}  // namespace

MonitorRecorder::MonitorRecorder(QObject* parent) : QObject(parent), m_store(kWindows[0])
{
    m_timer.setInterval(kSampleIntervalMs);
    connect(&m_timer, &QTimer::timeout, this, &MonitorRecorder::sample);
}

double MonitorRecorder::nowSeconds()
{
    return QDateTime::currentMSecsSinceEpoch() / 1000.0;
}

void MonitorRecorder::attach(IOManager* channel)
{
    detach();
    m_channel = channel;
    if (!m_channel)
        return;
    for (const char* id : RawFrame::kIdentifiers)
        m_channel->register_request(id, &m_collector);
    m_channel->register_request_mea(this);
    m_connectionLost = false;
    m_pauseReadsUntil = 0;
    m_rays.clear();
    m_usedRays.clear();
    m_nextCamera = 0;
    // A window built while the controller measures, as after a restart, has
    // seen the measurement before this module joined; no start notice follows.
    char state[IOManager::MaxTextLength + 1] = {};
    if (m_channel->get_par(state, "status active") == IOManager::ResultOk &&
        (qstrcmp(state, "mea") == 0 || qstrcmp(state, "cal") == 0))
        startRecording();
}

void MonitorRecorder::detach()
{
    if (!m_channel)
        return;
    // After this the data thread no longer calls the collector.
    for (const char* id : RawFrame::kIdentifiers)
        m_channel->unregister_request(id, &m_collector);
    m_channel->unregister_request_mea(this);
    m_channel = nullptr;
    // The window that owned the channel is going; a new one notices a running
    // measurement again and starts the recording anew.
    stopRecording();
}

// Notices come on the thread of the command that started or stopped the
// measurement, which need not be this object's.
void MonitorRecorder::set_mea_started()
{
    QMetaObject::invokeMethod(this, &MonitorRecorder::startRecording, Qt::QueuedConnection);
}

void MonitorRecorder::set_mea_stopped()
{
    QMetaObject::invokeMethod(this, &MonitorRecorder::stopRecording, Qt::QueuedConnection);
}

void MonitorRecorder::startRecording()
{
    if (m_recording)
        return;
    m_recording = true;
    m_store.addEvent(nowSeconds(), TrendStore::Mark::Started);
    m_timer.start();
    emit recordingChanged(true);
}

void MonitorRecorder::stopRecording()
{
    if (!m_recording)
        return;
    m_recording = false;
    m_timer.stop();
    m_store.addEvent(nowSeconds(), TrendStore::Mark::Stopped);
    emit recordingChanged(false);
}

void MonitorRecorder::setWindowSeconds(int seconds)
{
    m_store.setWindowSeconds(seconds);
    emit sampled();
}

bool MonitorRecorder::readsAllowed() const
{
    // A pending command holds the channel; waiting for it here would delay
    // the window's heartbeat and the user's command behind it.
    return m_channel && nowSeconds() >= m_pauseReadsUntil && !m_channel->isCmdPending();
}

// False when the read failed; a failure that means the connection is gone is
// marked once on the time axis and pauses the reads.
bool MonitorRecorder::noteResult(int result)
{
    if (result == IOManager::ResultOk) {
        m_connectionLost = false;
        return true;
    }
    if (connectionGone(result)) {
        if (!m_connectionLost)
            m_store.addEvent(nowSeconds(), TrendStore::Mark::ConnectionLost);
        m_connectionLost = true;
        // Values read before the loss say nothing about the cameras now.
        m_rays.fill(nan());
        m_usedRays.fill(nan());
        m_pauseReadsUntil = nowSeconds() + kLostBackoffSeconds;
    }
    return false;
}

double MonitorRecorder::readFrequency()
{
    double hz = 0;
    if (!readsAllowed() || !noteResult(m_channel->get_par_d(&hz, "status output_frequency")))
        return nan();
    return checked(hz, 0, 100000);
}

double MonitorRecorder::readFramesLost()
{
    int lost = 0;
    if (!readsAllowed() || !noteResult(m_channel->get_par_i(&lost, "status frames_lost")))
        return nan();
    return checked(lost, 0, 1000000);
}

void MonitorRecorder::readCameras()
{
    if (m_nextCamera == 0 || m_nextCamera >= m_rays.size()) {
        m_nextCamera = 0;
        int cameras = 0;
        if (!readsAllowed() ||
            !noteResult(m_channel->get_par_i(&cameras, "camera number_of_cameras")))
            return;
        cameras = qBound(0, cameras, TrendStore::kMaxCameras);
        // Values of cameras the installation no longer has would mislead;
        // cameras it gained are unknown until their turn.
        const int known = m_rays.size();
        m_rays.resize(cameras);
        m_usedRays.resize(cameras);
        for (int c = known; c < cameras; ++c) {
            m_rays[c] = nan();
            m_usedRays[c] = nan();
        }
    }
    const int end = qMin(int(m_rays.size()), m_nextCamera + kCamerasPerRow);
    for (; m_nextCamera < end && readsAllowed(); ++m_nextCamera) {
        const int c = m_nextCamera;
        int value = 0;
        m_rays[c] = noteResult(m_channel->get_par_i(&value, "status number_of_rays c%02d", c + 1))
                        ? checked(value, 0, 1000000)
                        : nan();
        value = 0;
        m_usedRays[c] = readsAllowed() && noteResult(m_channel->get_par_i(
                                              &value, "status number_of_used_rays c%02d", c + 1))
                            ? checked(value, 0, 1000000)
                            : nan();
    }
    if (m_nextCamera >= m_rays.size())
        m_nextCamera = 0;
}

void MonitorRecorder::sample()
{
    if (!m_recording)
        return;
    takeFrame();
    QVector<double> fixed(TrendStore::FixedColumns, nan());
    fixed[TrendStore::OutputFrequency] = readFrequency();
    fixed[TrendStore::FramesLost] = readFramesLost();
    // Without a frame since the last row the counts are unknown, not unchanged.
    const quint64 published = framesPublished();
    if (published != m_publishedAtLastRow) {
        if (m_frame.markerCount >= 0)
            fixed[TrendStore::Markers] = m_frame.markerCount;
        if (m_frame.bodyCount >= 0)
            fixed[TrendStore::Bodies] = m_frame.bodyCount;
    }
    m_publishedAtLastRow = published;
    readCameras();
    m_store.appendRow(nowSeconds(), fixed, m_rays, m_usedRays);
    emit sampled();
}

void MonitorRecorder::writeCsv(QTextStream& out) const
{
    out << m_store.csvHeader() << '\n';
    for (int row = 0; row < m_store.rows(); ++row)
        out << m_store.csvRow(row) << '\n';
}
