#include "TopView.h"

#include <QEvent>
#include <QLinearGradient>
#include <QPainter>
#include <QSet>

#include <algorithm>
#include <cmath>

namespace {

constexpr int kTop = 10;
constexpr int kScaleWidth = 70;

// A grid step of 1, 2 or 5 times a power of ten giving about four lines.
double gridStep(double extent)
{
    const double raw = extent / 2;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (double f : {1.0, 2.0, 5.0}) {
        if (f * power >= raw)
            return f * power;
    }
    return 10 * power;
}

}  // namespace

TopView::TopView(QWidget* parent) : QWidget(parent)
{
    // The background picture covers the whole widget.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

namespace {

// Element copies: sharing the vectors would make the recorder's next refill
// copy them before it empties them.
void copyPoints(const QVector<TrackedPoint>& from, QVector<TrackedPoint>* to)
{
    to->resize(from.size());
    std::copy(from.cbegin(), from.cend(), to->begin());
}

}  // namespace

void TopView::setFrame(const MonitorFrame& frame)
{
    copyPoints(frame.bodies, &m_frame.bodies);
    copyPoints(frame.markers, &m_frame.markers);
    const bool grown = growExtent(m_frame.bodies) | growExtent(m_frame.markers);
    // A frame changes only the plot; grid, axes and scale follow the extent.
    if (grown)
        update();
    else
        update(plotRect());
}

const QStaticText& TopView::label(quint32 id)
{
    // Ids come from the controller; a stream of new ones must not grow this.
    constexpr int kMaxLabels = 1024;
    auto it = m_labels.find(id);
    if (it == m_labels.end()) {
        if (m_labels.size() >= kMaxLabels)
            m_labels.clear();
        QStaticText text(QString::number(id));
        text.setTextFormat(Qt::PlainText);
        text.prepare(QTransform(), font());
        it = m_labels.insert(id, text);
    }
    return *it;
}

void TopView::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::FontChange)
        m_labels.clear();
    QWidget::changeEvent(event);
}

void TopView::resetExtent()
{
    m_extent = 1000;
    m_zMin = 0;
    m_zMax = 2000;
    update();
}

bool TopView::growExtent(const QVector<TrackedPoint>& points)
{
    bool grown = false;
    for (const TrackedPoint& p : points) {
        const double reach = std::max(std::fabs(p.x), std::fabs(p.y)) * 1.1;
        while (m_extent < reach && m_extent < DataLineParser::kMaxCoordinate) {
            m_extent *= 2;
            grown = true;
        }
        if (p.z < m_zMin || p.z > m_zMax) {
            m_zMin = std::min(m_zMin, p.z);
            m_zMax = std::max(m_zMax, p.z);
            grown = true;
        }
    }
    return grown;
}

QColor TopView::heightColour(float z) const
{
    const double t = m_zMax > m_zMin ? (z - m_zMin) / double(m_zMax - m_zMin) : 0;
    return QColor::fromHsvF((1.0 - qBound(0.0, t, 1.0)) * 240.0 / 360.0, 0.85, 0.95);
}

void TopView::paintScale(QPainter& p, const QRect& bar)
{
    QLinearGradient gradient(bar.bottomLeft(), bar.topLeft());
    for (int i = 0; i <= 4; ++i)
        gradient.setColorAt(i / 4.0, heightColour(m_zMin + (m_zMax - m_zMin) * i / 4.0f));
    p.fillRect(bar, gradient);
    p.setPen(palette().color(QPalette::WindowText));
    p.drawRect(bar);
    const QFontMetrics fm(font());
    p.drawText(QPoint(bar.right() + 4, bar.top() + fm.ascent()), QString::number(m_zMax, 'f', 0));
    p.drawText(QPoint(bar.right() + 4, bar.bottom()), QString::number(m_zMin, 'f', 0));
    p.drawText(QRect(bar.left() - 6, bar.bottom() + 4, kScaleWidth, fm.height()), Qt::AlignLeft,
               tr("z (mm)"));
}

QRect TopView::plotRect() const
{
    const QFontMetrics fm(font());
    // Room for the rotated axis title and the widest grid label.
    const int left = fm.height() + fm.horizontalAdvance(QStringLiteral("-000000")) + 6;
    const int bottom = 2 * fm.height() + 8;
    const int side =
        std::max(40, std::min(width() - left - kScaleWidth - 8, height() - kTop - bottom));
    return QRect(left, kTop, side, side);
}

QPointF TopView::toScreen(const QRect& plot, double x, double y) const
{
    return QPointF(plot.left() + (x + m_extent) / (2 * m_extent) * plot.width(),
                   plot.bottom() - (y + m_extent) / (2 * m_extent) * plot.height());
}

// Grid, axes and scale change with the extent, the size and the theme only;
// drawn once into a picture they leave each frame the points alone.
void TopView::paintBackground(QPainter& p, const QRect& plot)
{
    const QFontMetrics fm(font());
    const QColor text = palette().color(QPalette::WindowText);
    p.fillRect(rect(), palette().color(QPalette::Base));
    QColor grid = text;
    grid.setAlpha(50);
    const double step = gridStep(m_extent);
    for (double v = -std::floor(m_extent / step) * step; v <= m_extent; v += step) {
        p.setPen(grid);
        p.drawLine(toScreen(plot, v, -m_extent), toScreen(plot, v, m_extent));
        p.drawLine(toScreen(plot, -m_extent, v), toScreen(plot, m_extent, v));
        p.setPen(text);
        const QString label = QString::number(v, 'f', 0);
        const QPointF bx = toScreen(plot, v, -m_extent);
        p.drawText(QRectF(bx.x() - 40, plot.bottom() + 2, 80, fm.height()), Qt::AlignHCenter,
                   label);
        const QPointF ly = toScreen(plot, -m_extent, v);
        p.drawText(QRectF(0, ly.y() - fm.height() / 2.0, plot.left() - 4, fm.height()),
                   Qt::AlignRight, label);
    }
    p.setPen(text);
    p.drawRect(plot);
    p.drawText(QRect(plot.left(), plot.bottom() + 2 + fm.height(), plot.width(), fm.height()),
               Qt::AlignHCenter, tr("x (mm)"));
    p.save();
    p.translate(fm.height() / 2.0, plot.center().y());
    p.rotate(-90);
    p.drawText(QRect(-plot.height() / 2, -fm.height() / 2, plot.height(), fm.height()),
               Qt::AlignHCenter, tr("y (mm)"));
    p.restore();
    paintScale(p, QRect(plot.right() + 16, plot.top(), 14, plot.height() - fm.height() - 6));
}

void TopView::paintEvent(QPaintEvent*)
{
    const QRect plot = plotRect();
    const QString key = QStringLiteral("%1 %2 %3 %4 %5 %6")
                            .arg(width())
                            .arg(height())
                            .arg(m_extent)
                            .arg(m_zMin)
                            .arg(m_zMax)
                            .arg(palette().cacheKey());
    if (key != m_backgroundKey) {
        m_background = QPixmap(size() * devicePixelRatioF());
        m_background.setDevicePixelRatio(devicePixelRatioF());
        QPainter bp(&m_background);
        bp.setRenderHint(QPainter::Antialiasing);
        paintBackground(bp, plot);
        m_backgroundKey = key;
    }
    QPainter p(this);
    p.drawPixmap(0, 0, m_background);
    p.setClipRect(plot);
    p.setPen(Qt::NoPen);
    for (const TrackedPoint& m : m_frame.markers) {
        p.setBrush(heightColour(m.z));
        p.drawEllipse(toScreen(plot, m.x, m.y), 3.0, 3.0);
    }
    p.setPen(palette().color(QPalette::WindowText));
    const QFontMetrics fm(font());
    // Bodies close together would print their ids over each other into an
    // unreadable smear; a label goes only where no earlier one lies. A grid of
    // label-sized cells keeps that check linear in the number of bodies.
    QSet<quint32> taken;
    const int cellW = std::max(1, fm.horizontalAdvance(QStringLiteral("0000")));
    const int cellH = std::max(1, fm.height());
    for (const TrackedPoint& b : m_frame.bodies) {
        const QPointF c = toScreen(plot, b.x, b.y);
        p.setBrush(heightColour(b.z));
        p.drawRect(QRectF(c.x() - 5, c.y() - 5, 10, 10));
    }
    // Labels after all boxes, so no later box covers an id.
    QVector<quint32> cells;
    for (const TrackedPoint& b : m_frame.bodies) {
        const QPointF c = toScreen(plot, b.x, b.y);
        const QStaticText& id = label(b.id);
        const QRectF box(c.x() + 7, c.y() - 6 - fm.ascent(), id.size().width(), cellH);
        cells.clear();
        bool free = true;
        for (int gx = int(box.left()) / cellW; gx <= int(box.right()) / cellW; ++gx) {
            for (int gy = int(box.top()) / cellH; gy <= int(box.bottom()) / cellH; ++gy) {
                const quint32 cell = (quint32(gx & 0xffff) << 16) | quint32(gy & 0xffff);
                free = free && !taken.contains(cell);
                cells.append(cell);
            }
        }
        if (!free)
            continue;
        for (quint32 cell : cells)
            taken.insert(cell);
        p.drawStaticText(box.topLeft(), id);
    }
}
