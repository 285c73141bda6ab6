#include "MonitorDock.h"

#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSaveFile>
#include <QScrollArea>
#include <QSplitter>
#include <QTextStream>
#include <QVBoxLayout>
#include <QtCharts/QBarCategoryAxis>
#include <QtCharts/QBarSeries>
#include <QtCharts/QBarSet>
#include <QtCharts/QValueAxis>

#include <cmath>

#include "MonitorRecorder.h"
#include "TopView.h"

using namespace QtCharts;

namespace {

// The frame-loss levels of the window's sync status field, in its colours.
const QVector<TrendThreshold>& frameLossThresholds()
{
    static const QVector<TrendThreshold> levels = {
        {2, QColor("khaki")}, {3, QColor("orange")}, {4, QColor("red")}};
    return levels;
}

QColor frameLossColour(double lost)
{
    QColor colour;
    for (const TrendThreshold& t : frameLossThresholds()) {
        if (lost >= t.value)
            colour = t.colour;
    }
    return colour;
}

// The splitter's first sizes only set the ratio of top view to trends.
constexpr int kTopViewShare = 1000;

constexpr int kLabelledCameras = 9;

// Numbers alone fit below the bars of many cameras.
QString cameraNumber(int camera)
{
    return QString::number(camera + 1);
}

QString cameraName(int camera)
{
    return QStringLiteral("c%1").arg(camera + 1, 2, 10, QLatin1Char('0'));
}

// Values replaced in place keep the chart's layout; a new count needs new bars.
void replaceBars(QBarSet* set, const QList<qreal>& values)
{
    if (set->count() != values.size()) {
        set->remove(0, set->count());
        set->append(values);
        return;
    }
    for (int i = 0; i < values.size(); ++i) {
        if (set->at(i) != values[i])
            set->replace(i, values[i]);
    }
}

}  // namespace

MonitorDock::MonitorDock(MonitorRecorder* recorder, QWidget* parent)
    : QDockWidget(tr("Live Monitor"), parent), m_recorder(recorder)
{
    setObjectName(QStringLiteral("LiveMonitorDock"));
    auto* content = new QWidget(this);
    auto* layout = new QVBoxLayout(content);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(buildControls());
    auto* splitter = new QSplitter(Qt::Horizontal, content);
    m_topView = new TopView(splitter);
    splitter->addWidget(m_topView);
    splitter->addWidget(buildTrends());
    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({2 * kTopViewShare, 3 * kTopViewShare});
    layout->addWidget(splitter, 1);
    setWidget(content);

    m_repaint.setInterval(kRepaintIntervalMs);
    connect(&m_repaint, &QTimer::timeout, this, &MonitorDock::onRepaintTimer);
    // A hidden dock paints nothing; the recorder keeps recording.
    connect(this, &QDockWidget::visibilityChanged, this, [this](bool visible) {
        if (visible) {
            m_repaint.start();
            refreshTrends();
        } else {
            m_repaint.stop();
        }
    });
    connect(m_recorder, &MonitorRecorder::sampled, this, &MonitorDock::refreshTrends);
    connect(m_recorder, &MonitorRecorder::recordingChanged, this, &MonitorDock::onRecordingChanged);
    onRecordingChanged(m_recorder->isRecording());
}

QWidget* MonitorDock::buildControls()
{
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(new QLabel(tr("Window:"), row));
    m_window = new QComboBox(row);
    m_window->setObjectName(QStringLiteral("comboBox_window"));
    for (int seconds : MonitorRecorder::kWindows)
        m_window->addItem(tr("%n min", nullptr, seconds / 60), seconds);
    m_window->setCurrentIndex(m_window->findData(m_recorder->store().windowSeconds()));
    connect(m_window, QOverload<int>::of(&QComboBox::activated), this,
            &MonitorDock::onWindowChosen);
    layout->addWidget(m_window);
    m_state = new QLabel(row);
    m_state->setTextFormat(Qt::PlainText);
    layout->addWidget(m_state);
    m_outcome = new QLabel(row);
    m_outcome->setTextFormat(Qt::PlainText);
    layout->addWidget(m_outcome, 1);
    auto* csv = new QPushButton(tr("Export CSV..."), row);
    csv->setObjectName(QStringLiteral("pushButton_exportCsv"));
    connect(csv, &QPushButton::clicked, this, &MonitorDock::onExportCsvClicked);
    layout->addWidget(csv);
    auto* png = new QPushButton(tr("Save Picture..."), row);
    png->setObjectName(QStringLiteral("pushButton_savePicture"));
    connect(png, &QPushButton::clicked, this, &MonitorDock::onSavePictureClicked);
    layout->addWidget(png);
    return row;
}

QWidget* MonitorDock::buildTrends()
{
    auto* area = new QScrollArea(this);
    area->setWidgetResizable(true);
    area->setFrameShape(QFrame::NoFrame);
    auto* grid = new QWidget(area);
    auto* layout = new QGridLayout(grid);
    layout->setContentsMargins(0, 0, 0, 0);
    const QStringList one = {QString()};
    // The chart titles name the quantity; the value axes carry only the unit,
    // which fits beside a plot of any height.
    m_charts = {new TrendChart(tr("Output frequency"), tr("Hz"), one, grid),
                new TrendChart(tr("Frames lost"), tr("frames/s"), one, grid),
                new TrendChart(tr("Markers"), tr("count"), one, grid),
                new TrendChart(tr("Tracked bodies"), tr("count"), one, grid)};
    m_charts[TrendStore::FramesLost]->setThresholds(frameLossThresholds());
    for (int i = 0; i < m_charts.size(); ++i)
        layout->addWidget(m_charts[i], i / 2, i % 2);
    m_cameraTrend = new TrendChart(QString(), tr("count"), {tr("rays"), tr("used rays")}, grid);
    // Bars for up to 99 cameras need the full width.
    layout->addWidget(buildCameraBars(), 2, 0, 1, 2);
    layout->addWidget(m_cameraTrend, 3, 0, 1, 2);
    area->setWidget(grid);
    return area;
}

QWidget* MonitorDock::buildCameraBars()
{
    m_raysSet = new QBarSet(tr("rays"));
    m_usedSet = new QBarSet(tr("used rays"));
    m_raysSet->setColor(TrendChart::curveColour(0));
    m_usedSet->setColor(TrendChart::curveColour(1));
    auto* series = new QBarSeries;
    series->append(m_raysSet);
    series->append(m_usedSet);
    auto* chart = new QChart;
    chart->setTitle(tr("Rays per camera (click a camera for its trend)"));
    chart->addSeries(series);
    m_cameraAxis = new QBarCategoryAxis;
    m_cameraAxis->setTitleText(tr("camera"));
    QFont small = m_cameraAxis->labelsFont();
    small.setPointSizeF(small.pointSizeF() * 0.7);
    m_cameraAxis->setLabelsFont(small);
    m_cameraValues = new QValueAxis;
    m_cameraValues->setTitleText(tr("count"));
    m_cameraValues->setLabelFormat(QStringLiteral("%.0f"));
    chart->addAxis(m_cameraAxis, Qt::AlignBottom);
    chart->addAxis(m_cameraValues, Qt::AlignLeft);
    series->attachAxis(m_cameraAxis);
    series->attachAxis(m_cameraValues);
    chart->legend()->setAlignment(Qt::AlignBottom);
    chart->setMargins(QMargins(2, 2, 2, 2));
    TrendChart::styleChart(chart, palette());
    connect(series, &QBarSeries::clicked, this,
            [this](int index, QBarSet*) { selectCamera(index); });
    auto* view = new QChartView(chart, this);
    view->setRenderHint(QPainter::Antialiasing);
    view->setMinimumHeight(150);
    return view;
}

void MonitorDock::onRepaintTimer()
{
    if (!m_recorder->takeFrame())
        return;
    m_topView->setFrame(m_recorder->frame());
}

QString MonitorDock::formatValue(double value, const QString& unit, int decimals)
{
    if (!std::isfinite(value))
        return TrendChart::unknownValue();
    const QString number = QString::number(value, 'f', decimals);
    return unit.isEmpty() ? number : number + QLatin1Char(' ') + unit;
}

QString MonitorDock::newestValue(int column) const
{
    return column >= 0 && column < m_charts.size() ? m_charts[column]->newestText() : QString();
}

void MonitorDock::refreshTrends()
{
    if (!isVisible())
        return;
    const TrendStore& store = m_recorder->store();
    const double now = MonitorRecorder::nowSeconds();
    const QVector<TrendStore::Event> events = store.events();
    for (int c = 0; c < m_charts.size(); ++c) {
        m_charts[c]->setData({store.curveMinutes(store.column(c), now)}, events, now,
                             store.windowSeconds());
    }
    const auto newest = [&](int c) {
        return store.rows() ? store.valueAt(c, store.rows() - 1) : std::nan("");
    };
    m_charts[TrendStore::OutputFrequency]->setNewest(
        formatValue(newest(TrendStore::OutputFrequency), tr("Hz"), 1));
    const double lost = newest(TrendStore::FramesLost);
    m_charts[TrendStore::FramesLost]->setNewest(formatValue(lost, tr("frames/s"), 0),
                                                frameLossColour(lost));
    m_charts[TrendStore::Markers]->setNewest(formatValue(newest(TrendStore::Markers), {}, 0));
    m_charts[TrendStore::Bodies]->setNewest(formatValue(newest(TrendStore::Bodies), {}, 0));
    refreshCameras(now, events);
}

void MonitorDock::refreshCameras(double now, const QVector<TrendStore::Event>& events)
{
    const TrendStore& store = m_recorder->store();
    const int last = store.rows() - 1;
    QStringList names;
    QList<qreal> rays;
    QList<qreal> used;
    double top = 1;
    for (int cam = 0; cam < store.cameras(); ++cam) {
        names << cameraNumber(cam);
        const double r = last >= 0 ? store.raysAt(cam, last) : 0;
        const double u = last >= 0 ? store.usedRaysAt(cam, last) : 0;
        rays << (std::isfinite(r) ? r : 0);
        used << (std::isfinite(u) ? u : 0);
        top = std::max({top, rays.last(), used.last()});
    }
    if (m_cameraAxis->categories() != names) {
        m_cameraAxis->clear();
        m_cameraAxis->append(names);
        // Below the bars of many cameras two digits would be cut to dots: the
        // axis then names the range, and the bars go left to right in order.
        const bool many = names.size() > kLabelledCameras;
        m_cameraAxis->setLabelsVisible(!many);
        m_cameraAxis->setTitleText(many ? tr("cameras 1 to %1").arg(names.size()) : tr("camera"));
    }
    replaceBars(m_raysSet, rays);
    replaceBars(m_usedSet, used);
    if (m_cameraValues->max() < top || m_cameraValues->max() > 2 * top) {
        m_cameraValues->setRange(0, top * 1.1);
        m_cameraValues->applyNiceNumbers();
    }

    m_camera = qBound(0, m_camera, std::max(0, store.cameras() - 1));
    m_cameraTrend->setTitle(tr("Rays of camera %1").arg(cameraName(m_camera)));
    if (m_camera < store.cameras()) {
        m_cameraTrend->setData({store.curveMinutes(store.rays(m_camera), now),
                                store.curveMinutes(store.usedRays(m_camera), now)},
                               events, now, store.windowSeconds());
        m_cameraTrend->setNewest(formatValue(store.raysAt(m_camera, last), {}, 0) +
                                 QLatin1Char('/') +
                                 formatValue(store.usedRaysAt(m_camera, last), {}, 0));
    }
}

void MonitorDock::selectCamera(int camera)
{
    m_camera = camera;
    refreshTrends();
}

void MonitorDock::selectWindowSeconds(int seconds)
{
    const int index = m_window->findData(seconds);
    if (index < 0)
        return;
    m_window->setCurrentIndex(index);
    onWindowChosen(index);
}

void MonitorDock::onWindowChosen(int index)
{
    m_recorder->setWindowSeconds(m_window->itemData(index).toInt());
}

void MonitorDock::onRecordingChanged(bool recording)
{
    m_state->setText(recording ? tr("Recording") : tr("Not recording"));
    if (recording)
        m_topView->resetExtent();
}

int MonitorDock::bodiesShown() const
{
    return m_topView->bodiesShown();
}

int MonitorDock::rowsRecorded() const
{
    return m_recorder->store().rows();
}

bool MonitorDock::exportCsv(const QString& path)
{
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Text)) {
        QTextStream out(&file);
        m_recorder->writeCsv(out);
        out.flush();
        if (out.status() == QTextStream::Ok && file.commit()) {
            showOutcome(true, path, QString());
            return true;
        }
    }
    showOutcome(false, path, file.errorString());
    return false;
}

bool MonitorDock::savePicture(const QString& path)
{
    const bool ok = grab().save(path, "PNG");
    showOutcome(ok, path, ok ? QString() : tr("the picture could not be written"));
    return ok;
}

void MonitorDock::showOutcome(bool ok, const QString& path, const QString& error)
{
    m_outcome->setText(ok ? tr("Saved %1").arg(path)
                          : tr("Could not save %1: %2").arg(path, error));
}

void MonitorDock::onExportCsvClicked()
{
    const QString path =
        QFileDialog::getSaveFileName(this, tr("Export trends"), QString(), tr("CSV files (*.csv)"));
    if (!path.isEmpty())
        exportCsv(path);
}

void MonitorDock::onSavePictureClicked()
{
    const QString path = QFileDialog::getSaveFileName(this, tr("Save picture"), QString(),
                                                      tr("PNG pictures (*.png)"));
    if (!path.isEmpty())
        savePicture(path);
}
