#include "ToolbarButton.h"

#include <QPainter>
#include <QPropertyAnimation>

ToolbarButton::ToolbarButton(QWidget* parent)
    : HoverButton(parent), mFade(new QPropertyAnimation(this, "opacity", this))
{
    mFade->setDuration(kFadeMilliseconds);
}

void ToolbarButton::setOpacity(double opacity)
{
    mOpacity = opacity;
    update();
}

void ToolbarButton::setDirectionalImage(bool directional)
{
    mDirectionalImage = directional;
    update();
}

double ToolbarButton::targetOpacity() const
{
    return mFade->state() == QAbstractAnimation::Running ? mFade->endValue().toDouble() : mOpacity;
}

void ToolbarButton::eventStateChanged(int state)
{
    // Back to full opacity whenever the button is out of hover, also when a
    // screen resets eventState itself after the button has sent its action.
    mFade->stop();
    mFade->setStartValue(mOpacity);
    mFade->setEndValue(state == 0 ? kHoverOpacity : 1.0);
    mFade->start();
}

void ToolbarButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    if (!icon().isNull()) {
        painter.setOpacity(mOpacity);
        if (mDirectionalImage && layoutDirection() == Qt::RightToLeft) {
            painter.translate(width(), 0);
            painter.scale(-1, 1);
        }
        // The picture covers the whole face; SVG pictures stay sharp at any size.
        icon().paint(&painter, rect(), Qt::AlignCenter, iconMode(), isChecked() ? QIcon::On : QIcon::Off);
        painter.resetTransform();
    }
    drawFocusRing(painter);
}
