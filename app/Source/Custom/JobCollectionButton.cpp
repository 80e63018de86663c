#include "JobCollectionButton.h"

#include <QPainter>
#include <QPainterPath>

#include "JobItemBackgroundView.h"

JobCollectionButton::JobCollectionButton(QWidget* parent) : HoverButton(parent) {}

void JobCollectionButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF bounds(rect());
    const QRectF disc = bounds.adjusted(1, 1, -1, -1);
    painter.setPen(QPen(JobItemBackgroundView::colorWithDeviceRGB(0xCECECE), 1));
    painter.setBrush(JobItemBackgroundView::colorWithDeviceRGB(0xFDFDFD));
    painter.drawEllipse(disc.adjusted(0.5, 0.5, -0.5, -0.5));
    if (!icon().isNull()) {
        icon().paint(&painter, disc.toRect(), Qt::AlignCenter, iconMode());
    }
    // A one-point frame just inside the bounds: white at rest, blue when hovered.
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(eventState() == 1 ? QColor(Qt::white) : QColor::fromRgbF(0, 0.5, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(bounds.adjusted(0, 0, -1, -1));
    QPainterPath ring;
    ring.addEllipse(disc);
    drawFocusRing(painter, ring);
}
