#include "ScanButton.h"

#include <QPainter>
#include <QPainterPath>

ScanButton::ScanButton(QWidget* parent) : CustomButton(parent) {}

void ScanButton::drawBackground(QPainter& painter)
{
    const QIcon& face = eventState() == 1 ? mBackgroundEnablePicture.image : mBackgroundDisablePicture.image;
    if (face.isNull()) {
        return;
    }
    painter.save();
    painter.setClipPath(facePath());
    face.paint(&painter, rect(), Qt::AlignCenter, iconMode());
    painter.restore();
}

QColor ScanButton::titleColor() const
{
    return isEnabled() ? QColor(Qt::white) : QColor(255, 255, 255, 150);
}
