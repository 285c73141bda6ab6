#pragma once

#include <QtCharts/QChartView>
#include <QtCharts/QLineSeries>
#include <QtCharts/QValueAxis>

#include <QLabel>
#include <QVector>
#include <QWidget>

#include "TrendStore.h"

// A level on a trend, drawn across the plot in the colour the status bar
// uses for it.
struct TrendThreshold
{
    double value = 0;
    QColor colour;
};

// The plot area of a trend, with the measurement marks and the thresholds
// drawn over the curves.
class TrendView : public QtCharts::QChartView
{
public:
    explicit TrendView(QtCharts::QChart* chart, QWidget* parent = nullptr);

    void setThresholds(const QVector<TrendThreshold>& thresholds) { m_thresholds = thresholds; }
    const QVector<TrendThreshold>& thresholds() const { return m_thresholds; }
    // Marks as x positions in the axis' units.
    void setMarks(const QVector<QPair<double, TrendStore::Mark>>& marks);

protected:
    void drawForeground(QPainter* painter, const QRectF& rect) override;

private:
    QVector<TrendThreshold> m_thresholds;
    QVector<QPair<double, TrendStore::Mark>> m_marks;
};

// One trend over the chosen window: up to two curves, the time axis in
// seconds or minutes before now, the value axis with its unit, and the newest
// value printed beside the plot.
class TrendChart : public QWidget
{
    Q_OBJECT

public:
    TrendChart(const QString& title, const QString& unit, const QStringList& curveNames,
               QWidget* parent = nullptr);

    void setThresholds(const QVector<TrendThreshold>& thresholds);
    void setTitle(const QString& title);
    // Curves in minutes before now; events in seconds since the epoch.
    void setData(const QVector<QVector<QPointF>>& curves, const QVector<TrendStore::Event>& events,
                 double now, int windowSeconds);
    // The newest value as text, with the colour of the threshold it reached.
    void setNewest(const QString& text, const QColor& background = QColor());

    QString newestText() const { return m_newest->text(); }

    // Applies the window's palette to a chart so plots follow the theme.
    static void styleChart(QtCharts::QChart* chart, const QPalette& palette);
    static QColor curveColour(int index);
    static QString unknownValue() { return QStringLiteral(" - "); }

protected:
    void changeEvent(QEvent* event) override;

private:
    void setTimeAxis(int windowSeconds);
    void fitValueAxis(const QVector<QVector<QPointF>>& curves);

    QtCharts::QChart* m_chart;
    TrendView* m_view;
    QtCharts::QValueAxis* m_x;
    QtCharts::QValueAxis* m_y;
    QVector<QtCharts::QLineSeries*> m_series;
    QLabel* m_title;
    QLabel* m_newest;
    QColor m_newestBackground;
    int m_windowSeconds = 0;
    double m_fittedTop = -1;
};
