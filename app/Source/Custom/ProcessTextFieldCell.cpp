#include "ProcessTextFieldCell.h"

#include <QPainter>
#include <QStyle>
#include <cmath>

ProcessTextFieldCell::ProcessTextFieldCell(QWidget* parent) : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
    setWordWrap(true);
    setAlignment(Qt::AlignHCenter | Qt::AlignTop);
}

QRectF ProcessTextFieldCell::drawingRect(const QRectF& titleRect, const QRectF& textBounds)
{
    const double halfText = std::trunc(textBounds.height() * 0.5);
    const double top = std::trunc(titleRect.height() * 0.5) - halfText;
    return {titleRect.x() + textBounds.x(), titleRect.y() + top, titleRect.width(), textBounds.height()};
}

int ProcessTextFieldCell::textFlags() const
{
    return int(alignment() & Qt::AlignHorizontal_Mask) | Qt::AlignTop | Qt::TextWordWrap;
}

QRectF ProcessTextFieldCell::textBounds(const QRectF& titleRect) const
{
    if (text().isEmpty()) {
        return {};
    }
    const QRectF bounds =
        QFontMetricsF(font()).boundingRect(QRectF(QPointF(0, 0), titleRect.size()), textFlags(), text());
    // Lines beyond the label are not drawn; the block is at most as high as the label.
    return {0, 0, bounds.width(), std::min(bounds.height(), titleRect.height())};
}

void ProcessTextFieldCell::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    drawFrame(&painter);
    const QRectF title(contentsRect().adjusted(margin(), margin(), -margin(), -margin()));
    const QRectF target = drawingRect(title, textBounds(title));
    painter.setClipRect(title);
    style()->drawItemText(&painter, target.toRect(), textFlags(), palette(), isEnabled(), text(), foregroundRole());
}
