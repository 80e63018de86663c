#include "CustomMaskView.h"

#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

CustomMaskView::CustomMaskView(QWidget* parent) : QWidget(parent)
{
    // Accepted events never reach the parent; this keeps it so for events a
    // handler below does not see.
    setAttribute(Qt::WA_NoMousePropagation);
}

void CustomMaskView::paintEvent(QPaintEvent*)
{
    QPainter(this).fillRect(rect(), QColor::fromRgbF(0, 0, 0, kOpacity));
}

void CustomMaskView::mousePressEvent(QMouseEvent* event)
{
    event->accept();
}

void CustomMaskView::mouseReleaseEvent(QMouseEvent* event)
{
    event->accept();
}

void CustomMaskView::mouseDoubleClickEvent(QMouseEvent* event)
{
    event->accept();
}

void CustomMaskView::wheelEvent(QWheelEvent* event)
{
    event->accept();
}

void CustomMaskView::contextMenuEvent(QContextMenuEvent* event)
{
    event->accept();
}
