#pragma once

#include <QObject>
#include <QTextStream>
#include <QTimer>

#include "FrameExchange.h"
#include "Requester.h"
#include "TrendStore.h"

class IOManager;

// Records the health trends of one installation across windows: the newest
// frame from the data lines, and once a second a row of parameter reads and
// frame counts while the controller measures.
class MonitorRecorder : public QObject, public Requester
{
    Q_OBJECT

public:
    // Windows offered to the user, in seconds.
    static constexpr int kWindows[] = {60, 600, 3600};
    static constexpr int kSampleIntervalMs = 1000;
    // After a read found the connection gone, reads pause so the window's
    // own reconnect probing keeps the channel.
    static constexpr int kLostBackoffSeconds = 10;
    // Cameras whose rays one row reads; the others keep their last values.
    // The window's heartbeat reads rays too, and 32 cameras read every
    // second would double its load on the channel.
    static constexpr int kCamerasPerRow = 4;

    explicit MonitorRecorder(QObject* parent = nullptr);

    // Joins the channel as data and measurement requester (nullptr leaves it).
    void attach(IOManager* channel);
    void detach();

    // The data lines go to the collector; this object hears start and stop only.
    int set_ascii_data(const char*, const char*) override { return 0; }
    void set_mea_started() override;
    void set_mea_stopped() override;

    bool isRecording() const { return m_recording; }
    TrendStore& store() { return m_store; }
    const MonitorFrame& frame() const { return m_frame; }
    quint64 framesPublished() const { return m_collector.exchange().published(); }

    // Reads the newest frame if one arrived; false when nothing changed. The
    // frames in between are never read, so the cost follows how often this runs.
    bool takeFrame() { return m_collector.exchange().take(&m_frame); }

    void setWindowSeconds(int seconds);
    void writeCsv(QTextStream& out) const;

    static double nowSeconds();

public slots:
    void sample();

signals:
    void sampled();
    void recordingChanged(bool recording);

private:
    void startRecording();
    void stopRecording();
    bool readsAllowed() const;
    bool noteResult(int result);
    double readFrequency();
    double readFramesLost();
    void readCameras();

    IOManager* m_channel = nullptr;
    FrameCollector m_collector;
    MonitorFrame m_frame;
    TrendStore m_store;
    QTimer m_timer;
    bool m_recording = false;
    bool m_connectionLost = false;
    double m_pauseReadsUntil = 0;
    quint64 m_publishedAtLastRow = 0;
    QVector<double> m_rays;
    QVector<double> m_usedRays;
    int m_nextCamera = 0;  // 0: the round begins with the number of cameras
};
