#include "AccessibleItemCell.h"

#include <QHeaderView>
#include <QTableWidget>

#include "AccessibleCellTable.h"

AccessibleItemCell::AccessibleItemCell(QTableWidget* table, int row, int column)
    : mTable(table), mRow(row), mColumn(column)
{
}

bool AccessibleItemCell::isValid() const
{
    return mTable && mRow >= -1 && mRow < mTable->rowCount() && mColumn >= 0 && mColumn < mTable->columnCount();
}

QWindow* AccessibleItemCell::window() const
{
    return mTable ? mTable->window()->windowHandle() : nullptr;
}

QAccessibleInterface* AccessibleItemCell::parent() const
{
    return mTable ? QAccessible::queryAccessibleInterface(mTable) : nullptr;
}

QAccessibleInterface* AccessibleItemCell::table() const
{
    return parent();
}

QString AccessibleItemCell::text(QAccessible::Text t) const
{
    if (!isValid() || t != QAccessible::Name) {
        return {};
    }
    const QAbstractItemModel* model = mTable->model();
    return (mRow < 0 ? model->headerData(mColumn, Qt::Horizontal) : model->index(mRow, mColumn).data()).toString();
}

QRect AccessibleItemCell::rect() const
{
    if (!isValid()) {
        return {};
    }
    if (mRow < 0) {
        const QHeaderView* header = mTable->horizontalHeader();
        const QRect section(header->sectionViewportPosition(mColumn), 0, header->sectionSize(mColumn), header->height());
        return section.translated(header->viewport()->mapToGlobal(QPoint(0, 0)));
    }
    return mTable->visualRect(mTable->model()->index(mRow, mColumn))
        .translated(mTable->viewport()->mapToGlobal(QPoint(0, 0)));
}

QAccessible::Role AccessibleItemCell::role() const
{
    return mRow < 0 ? QAccessible::ColumnHeader : QAccessible::Cell;
}

QAccessible::State AccessibleItemCell::state() const
{
    QAccessible::State state;
    if (!isValid() || !mTable->isVisible() || (mRow < 0 && mTable->horizontalHeader()->isHidden())) {
        state.invisible = true;
    }
    return state;
}

void* AccessibleItemCell::interface_cast(QAccessible::InterfaceType t)
{
    return t == QAccessible::TableCellInterface ? static_cast<QAccessibleTableCellInterface*>(this) : nullptr;
}

QList<QAccessibleInterface*> AccessibleItemCell::columnHeaderCells() const
{
    if (mRow < 0 || !mTable) {
        return {};
    }
    const auto* table = dynamic_cast<const AccessibleCellTable*>(this->table());
    QAccessibleInterface* header = table ? table->cell(-1, mColumn) : nullptr;
    return header ? QList<QAccessibleInterface*>{header} : QList<QAccessibleInterface*>{};
}
