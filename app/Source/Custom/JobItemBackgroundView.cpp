#include "JobItemBackgroundView.h"

#include <QPainter>

namespace {
// One corner from `from` to `to` around `corner`: the control points lie on
// the two edges, a share of the radius away from the end points towards the corner.
void curveAround(QPainterPath& path, QPointF from, QPointF corner, QPointF to)
{
    const double share = JobItemBackgroundView::kControlPointShare;
    path.cubicTo(from + (corner - from) * share, to + (corner - to) * share, to);
}
} // namespace

JobItemBackgroundView::JobItemBackgroundView(QWidget* parent) : QWidget(parent) {}

void JobItemBackgroundView::setHighlight(bool highlighted)
{
    mHighlightState = highlighted ? 1 : 0;
    update();
}

QColor JobItemBackgroundView::colorWithDeviceRGB(uint32_t rgb)
{
    return QColor::fromRgbF(((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0, (rgb & 0xFF) / 255.0, 1.0);
}

QPainterPath JobItemBackgroundView::contentsPathWithFrame(const QRectF& frame)
{
    // Qt's y axis points down: the bottom edge is at y + h.
    const double x = frame.x();
    const double y = frame.y();
    const double w = frame.width();
    const double h = frame.height();
    const double big = kLargeRadius;
    const double small = kSmallRadius;
    QPainterPath path;
    path.moveTo(x + big, y + h);
    curveAround(path, {x + big, y + h}, {x, y + h}, {x, y + h - big});
    path.lineTo(x, y + small);
    curveAround(path, {x, y + small}, {x, y}, {x + small, y});
    path.lineTo(x + w - small, y);
    curveAround(path, {x + w - small, y}, {x + w, y}, {x + w, y + small});
    path.lineTo(x + w, y + h - small);
    curveAround(path, {x + w, y + h - small}, {x + w, y + h}, {x + w - small, y + h});
    path.closeSubpath();
    return path;
}

void JobItemBackgroundView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF bounds(rect());
    const double edge = mHighlightState != 0 ? 2 : 1;
    painter.fillPath(contentsPathWithFrame(bounds), colorWithDeviceRGB(mHighlightState != 0 ? 0xFFA200 : 0xDCDCDC));
    painter.fillPath(contentsPathWithFrame(bounds.adjusted(edge, edge, -edge, -edge)),
                     mHighlightState != 0 ? colorWithDeviceRGB(0xFFF9E4) : QColor(Qt::white));
}
