#pragma once

#include <QHash>
#include <QPixmap>
#include <QStaticText>
#include <QWidget>

#include "DataLines.h"

// The tracked bodies and markers seen from above: x to the right, y up, the
// height z as a colour on a scale beside the plot. Bodies carry their id.
class TopView : public QWidget
{
    Q_OBJECT

public:
    explicit TopView(QWidget* parent = nullptr);

    void setFrame(const MonitorFrame& frame);
    // Forgets the extent grown from earlier frames.
    void resetExtent();

    QSize minimumSizeHint() const override { return QSize(320, 280); }
    int bodiesShown() const { return m_frame.bodies.size(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // True when the extent or the z range grew.
    bool growExtent(const QVector<TrackedPoint>& points);
    QColor heightColour(float z) const;
    void paintScale(QPainter& p, const QRect& bar);
    void paintBackground(QPainter& p, const QRect& plot);
    QRect plotRect() const;
    QPointF toScreen(const QRect& plot, double x, double y) const;
    const QStaticText& label(quint32 id);

    MonitorFrame m_frame;
    // Laid out once per id: shaping 50 ids anew 30 times a second was most of
    // the view's cost.
    QHash<quint32, QStaticText> m_labels;
    QPixmap m_background;
    QString m_backgroundKey;
    // Half the side of the square shown, in mm; it only grows, so the picture
    // does not jump with every frame.
    double m_extent = 1000;
    float m_zMin = 0;
    float m_zMax = 2000;
};
