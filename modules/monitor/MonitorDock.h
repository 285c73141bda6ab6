#pragma once

#include <QDockWidget>
#include <QTimer>

#include "TrendChart.h"

class MonitorRecorder;
class TopView;
class QComboBox;
class QLabel;
namespace QtCharts {
class QBarSet;
class QBarCategoryAxis;
class QValueAxis;
class QChartView;
}  // namespace QtCharts

// The Live Monitor dock of one main window: the top view, the trends and the
// exports. The recording lives in the recorder and outlasts the dock.
class MonitorDock : public QDockWidget
{
    Q_OBJECT

public:
    // Frames are painted at most this often, however fast the data comes.
    static constexpr int kRepaintIntervalMs = 34;

    explicit MonitorDock(MonitorRecorder* recorder, QWidget* parent = nullptr);

    // For callers that drive the dock without its file dialogs.
    Q_INVOKABLE bool exportCsv(const QString& path);
    Q_INVOKABLE bool savePicture(const QString& path);
    Q_INVOKABLE void selectWindowSeconds(int seconds);
    Q_INVOKABLE void selectCamera(int camera);
    Q_INVOKABLE int bodiesShown() const;
    Q_INVOKABLE int rowsRecorded() const;
    Q_INVOKABLE QString newestValue(int column) const;

private slots:
    void onRepaintTimer();
    void refreshTrends();
    void onWindowChosen(int index);
    void onExportCsvClicked();
    void onSavePictureClicked();
    void onRecordingChanged(bool recording);

private:
    QWidget* buildControls();
    QWidget* buildTrends();
    QWidget* buildCameraBars();
    void refreshCameras(double now, const QVector<TrendStore::Event>& events);
    void showOutcome(bool ok, const QString& path, const QString& error);
    static QString formatValue(double value, const QString& unit, int decimals);

    MonitorRecorder* m_recorder;
    TopView* m_topView = nullptr;
    QComboBox* m_window = nullptr;
    QLabel* m_state = nullptr;
    QLabel* m_outcome = nullptr;
    QVector<TrendChart*> m_charts;
    TrendChart* m_cameraTrend = nullptr;
    QtCharts::QBarSet* m_raysSet = nullptr;
    QtCharts::QBarSet* m_usedSet = nullptr;
    QtCharts::QBarCategoryAxis* m_cameraAxis = nullptr;
    QtCharts::QValueAxis* m_cameraValues = nullptr;
    QTimer m_repaint;
    int m_camera = 0;
};
