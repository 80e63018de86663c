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
