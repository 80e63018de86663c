#include "SelectTableRowView.h"

#include <QColor>
#include <QPainter>

void SelectTableRowView::drawSelection(QPainter& painter, const QRectF& rowBounds)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor::fromRgbF(kOutlineWhite, kOutlineWhite, kOutlineWhite), 1));
    painter.setBrush(QColor::fromRgbF(kFillWhite, kFillWhite, kFillWhite));
    painter.drawRoundedRect(rowBounds.adjusted(kInset, kInset, -kInset, -kInset), kCornerRadius, kCornerRadius);
    painter.restore();
}

void SelectTableRowView::drawFocus(QPainter& painter, const QRectF& bounds, QColor highlight)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    highlight.setAlphaF(0.9);
    painter.setPen(QPen(highlight, 2.5));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(bounds.adjusted(1.25, 1.25, -1.25, -1.25), kCornerRadius, kCornerRadius);
    painter.restore();
}
