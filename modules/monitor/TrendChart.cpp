#include "TrendChart.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QPainter>

#include <cmath>

using namespace QtCharts;

namespace {

constexpr int kMinimumPlotHeight = 150;
constexpr int kSecondsAxisUpTo = 60;

QColor markColour(TrendStore::Mark mark)
{
    switch (mark) {
        case TrendStore::Mark::Started:
            return QColor(60, 170, 75);
        case TrendStore::Mark::Stopped:
            return QColor(150, 150, 150);
        case TrendStore::Mark::ConnectionLost:
            break;
    }
    return QColor(Qt::red);
}

}  // namespace

TrendView::TrendView(QChart* chart, QWidget* parent) : QChartView(chart, parent)
{
    setRenderHint(QPainter::Antialiasing);
    setMinimumHeight(kMinimumPlotHeight);
}

void TrendView::setMarks(const QVector<QPair<double, TrendStore::Mark>>& marks)
{
    m_marks = marks;
    viewport()->update();
}

void TrendView::drawForeground(QPainter* painter, const QRectF& rect)
{
    QChartView::drawForeground(painter, rect);
    const QRectF plot = chart()->plotArea();
    auto* series = chart()->series().value(0);
    if (!series)
        return;
    painter->save();
    painter->setClipRect(plot);
    for (const TrendThreshold& t : m_thresholds) {
        const double y = chart()->mapToPosition(QPointF(0, t.value), series).y();
        painter->setPen(QPen(t.colour, 1.5, Qt::DashLine));
        painter->drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
    }
    for (const auto& mark : m_marks) {
        const double x = chart()->mapToPosition(QPointF(mark.first, 0), series).x();
        painter->setPen(QPen(markColour(mark.second), 1.5, Qt::DotLine));
        painter->drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
    }
    painter->restore();
}

TrendChart::TrendChart(const QString& title, const QString& unit, const QStringList& curveNames,
                       QWidget* parent)
    : QWidget(parent),
      m_chart(new QChart),
      m_x(new QValueAxis),
      m_y(new QValueAxis),
      m_title(new QLabel(title, this)),
      m_newest(new QLabel(unknownValue(), this))
{
    m_chart->setMargins(QMargins(2, 2, 2, 2));
    m_chart->legend()->setVisible(curveNames.size() > 1);
    m_chart->legend()->setAlignment(Qt::AlignBottom);
    m_chart->addAxis(m_x, Qt::AlignBottom);
    m_chart->addAxis(m_y, Qt::AlignLeft);
    m_y->setTitleText(unit);
    m_y->setLabelFormat(QStringLiteral("%.0f"));
    for (int i = 0; i < curveNames.size(); ++i) {
        auto* series = new QLineSeries;
        series->setName(curveNames[i]);
        series->setUseOpenGL(false);
        m_chart->addSeries(series);
        series->attachAxis(m_x);
        series->attachAxis(m_y);
        m_series.append(series);
    }
    m_view = new TrendView(m_chart, this);
    m_newest->setTextFormat(Qt::PlainText);
    m_newest->setAlignment(Qt::AlignCenter);
    m_newest->setMargin(6);
    m_newest->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    m_newest->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("0000 frames/s")) + 8);
    m_title->setMaximumWidth(m_newest->minimumWidth() + 20);
    QFont big = m_newest->font();
    big.setPointSizeF(big.pointSizeF() * 1.15);
    big.setBold(true);
    m_newest->setFont(big);
    // The name beside the plot leaves the plot the height a chart title would take.
    m_title->setTextFormat(Qt::PlainText);
    m_title->setAlignment(Qt::AlignCenter);
    m_title->setWordWrap(true);
    auto* side = new QVBoxLayout;
    side->addStretch(1);
    side->addWidget(m_title);
    side->addWidget(m_newest);
    side->addStretch(1);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view, 1);
    layout->addLayout(side);
    setTimeAxis(60);
    styleChart(m_chart, palette());
}

void TrendChart::setTitle(const QString& title)
{
    m_title->setText(title);
}

void TrendChart::setThresholds(const QVector<TrendThreshold>& thresholds)
{
    m_view->setThresholds(thresholds);
}

void TrendChart::setTimeAxis(int windowSeconds)
{
    if (windowSeconds == m_windowSeconds)
        return;
    m_windowSeconds = windowSeconds;
    const bool seconds = windowSeconds <= kSecondsAxisUpTo;
    const double span = seconds ? windowSeconds : windowSeconds / 60.0;
    m_x->setRange(-span, 0);
    // Few labels stay readable on a narrow plot: -60 -40 -20 0, or -10 -5 0.
    m_x->setTickCount(span == 10 ? 3 : 4);
    m_x->setLabelFormat(QStringLiteral("%.0f"));
    m_x->setTitleText(seconds ? tr("time (s)") : tr("time (min)"));
}

void TrendChart::fitValueAxis(const QVector<QVector<QPointF>>& curves)
{
    double top = 1;
    for (const TrendThreshold& t : m_view->thresholds())
        top = std::max(top, t.value * 1.25);
    for (const auto& curve : curves) {
        for (const QPointF& p : curve)
            top = std::max(top, p.y() * 1.1);
    }
    // A new range lays the whole chart out again; most seconds keep the old one.
    if (top == m_fittedTop)
        return;
    m_fittedTop = top;
    m_y->setRange(0, top);
    m_y->applyNiceNumbers();
}

void TrendChart::setData(const QVector<QVector<QPointF>>& curves,
                         const QVector<TrendStore::Event>& events, double now, int windowSeconds)
{
    setTimeAxis(windowSeconds);
    const double scale = windowSeconds <= kSecondsAxisUpTo ? 60.0 : 1.0;
    const double left = -windowSeconds / 60.0;
    const int buckets = std::max(50, m_view->width() / 2);
    QVector<QVector<QPointF>> shown;
    for (int i = 0; i < m_series.size(); ++i) {
        QVector<QPointF> points;
        for (const QPointF& p : curves.value(i)) {
            if (p.x() >= left)
                points.append(QPointF(p.x() * scale, p.y()));
        }
        points = decimateMinMax(points, buckets);
        m_series[i]->replace(points);
        shown.append(points);
    }
    fitValueAxis(shown);
    QVector<QPair<double, TrendStore::Mark>> marks;
    for (const TrendStore::Event& e : events) {
        const double x = (e.time - now) / 60.0;
        if (x >= left)
            marks.append({x * scale, e.mark});
    }
    m_view->setMarks(marks);
}

void TrendChart::setNewest(const QString& text, const QColor& background)
{
    m_newest->setText(text);
    // A style sheet costs a restyle; the colour changes far less often than the value.
    if (background == m_newestBackground)
        return;
    m_newestBackground = background;
    // The status bar's colours carry black text in both themes.
    m_newest->setStyleSheet(background.isValid()
                                ? QStringLiteral("QLabel { background-color: %1; color: black; }")
                                      .arg(background.name())
                                : QString());
}

QColor TrendChart::curveColour(int index)
{
    return index == 0 ? QColor(42, 130, 218) : QColor(60, 170, 75);
}

void TrendChart::styleChart(QChart* chart, const QPalette& palette)
{
    const QColor text = palette.color(QPalette::WindowText);
    QColor grid = text;
    grid.setAlpha(45);
    chart->setBackgroundBrush(palette.color(QPalette::Window));
    chart->setBackgroundRoundness(0);
    chart->setPlotAreaBackgroundBrush(palette.color(QPalette::Base));
    chart->setPlotAreaBackgroundVisible(true);
    chart->setTitleBrush(text);
    chart->legend()->setLabelColor(text);
    for (QAbstractAxis* axis : chart->axes()) {
        axis->setLabelsBrush(text);
        axis->setTitleBrush(text);
        axis->setLinePenColor(text);
        axis->setGridLineColor(grid);
    }
    const QList<QAbstractSeries*> series = chart->series();
    for (int i = 0; i < series.size(); ++i) {
        if (auto* line = qobject_cast<QLineSeries*>(series[i]))
            line->setPen(QPen(curveColour(i), 2));
    }
}

void TrendChart::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::PaletteChange)
        styleChart(m_chart, palette());
    QWidget::changeEvent(event);
}
