#include "ScanButton.h"

#include <QPainter>
#include <QPainterPath>

#include "NamedImage.h"

ScanButton::ScanButton(QWidget* parent) : CustomButton(parent) {}

void ScanButton::setBackgroundEnableImage(const QIcon& image)
{
    mBackgroundEnableImage = image;
    update();
}

void ScanButton::setBackgroundDisableImage(const QIcon& image)
{
    mBackgroundDisableImage = image;
    update();
}

void ScanButton::setBackgroundEnableImageName(const QString& name)
{
    mBackgroundEnableImageName = name;
    setBackgroundEnableImage(NamedImage::imageNamed(name));
}

void ScanButton::setBackgroundDisableImageName(const QString& name)
{
    mBackgroundDisableImageName = name;
    setBackgroundDisableImage(NamedImage::imageNamed(name));
}

void ScanButton::drawBackground(QPainter& painter)
{
    const QIcon& face = eventState() == 1 ? mBackgroundEnableImage : mBackgroundDisableImage;
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
