#include "TableCellView.h"

#include <QResizeEvent>

#include "AutoresizingMask.h"

TableCellView::TableCellView(const QSize& initialSize, QWidget* parent) : QWidget(parent), mLaidOutSize(initialSize)
{
    resize(initialSize);
}

void TableCellView::installAutoresizing()
{
    AutoresizingMask::install(this);
}

void TableCellView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (!event->oldSize().isValid() && mLaidOutSize != size()) {
        for (QObject* child : children()) {
            if (auto* view = qobject_cast<QWidget*>(child); view && !view->isWindow()) {
                AutoresizingMask::resizeWithOldSuperviewSize(view, mLaidOutSize.width(), mLaidOutSize.height());
            }
        }
    }
    mLaidOutSize = size();
}
