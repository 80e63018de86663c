#include "TableCellView.h"

#include "AutoresizingMask.h"

TableCellView::TableCellView(const QSize& initialSize, QWidget* parent) : QWidget(parent)
{
    resize(initialSize);
}

void TableCellView::installAutoresizing()
{
    AutoresizingMask::install(this);
}
