#include "PaintedButton.h"

#include <QEvent>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>

#include "LocalizedStrings.h"

PaintedButton::PaintedButton(QWidget* parent) : QPushButton(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    // Return and Enter press the focused button too, not only Space.
    setAutoDefault(true);
}

void PaintedButton::setAccessibleNameKey(const QString& key)
{
    mAccessibleNameKey = key;
    const QString name = QString::fromStdString(LocalizedStrings::text(key.toStdString()));
    setAccessibleName(name);
    setToolTip(name);
}

bool PaintedButton::event(QEvent* event)
{
    const bool handled = QPushButton::event(event);
    if (event->type() == QEvent::Polish && !mAwake) {
        mAwake = true;
        awakeFromInterface();
    }
    return handled;
}

void PaintedButton::drawFocusRing(QPainter& painter, const QPainterPath& shape) const
{
    if (!hasFocus()) {
        return;
    }
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setOpacity(1.0);
    painter.setPen(QPen(focusRingColor(), 2.5));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(shape);
    painter.restore();
}

void PaintedButton::drawFocusRing(QPainter& painter, double cornerRadius) const
{
    const double inset = focusRingInset();
    const double radius = std::max(cornerRadius - (inset - 1.25), 1.0);
    QPainterPath shape;
    shape.addRoundedRect(QRectF(rect()).adjusted(inset, inset, -inset, -inset), radius, radius);
    drawFocusRing(painter, shape);
}

QColor PaintedButton::focusRingColor() const
{
    QColor ring = palette().color(QPalette::Highlight);
    ring.setAlphaF(0.9);
    return ring;
}

QIcon::Mode PaintedButton::iconMode() const
{
    return isEnabled() ? QIcon::Normal : QIcon::Disabled;
}
