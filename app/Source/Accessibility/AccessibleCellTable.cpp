#include "AccessibleCellTable.h"

#include <QTableWidget>

#include "AccessibleItemCell.h"

AccessibleCellTable::AccessibleCellTable(QTableWidget* table) : QAccessibleWidget(table, QAccessible::Table) {}

AccessibleCellTable::~AccessibleCellTable()
{
    forgetTextCells();
}

QTableWidget* AccessibleCellTable::table() const
{
    return static_cast<QTableWidget*>(widget());
}

void* AccessibleCellTable::interface_cast(QAccessible::InterfaceType t)
{
    if (t == QAccessible::TableInterface) {
        return static_cast<QAccessibleTableInterface*>(this);
    }
    return QAccessibleWidget::interface_cast(t);
}

int AccessibleCellTable::columnCount() const
{
    return table()->columnCount();
}

int AccessibleCellTable::rowCount() const
{
    return table()->rowCount();
}

int AccessibleCellTable::childCount() const
{
    return (rowCount() + 1) * columnCount();
}

QAccessibleInterface* AccessibleCellTable::child(int index) const
{
    const int columns = columnCount();
    if (index < 0 || index >= childCount() || columns == 0) {
        return nullptr;
    }
    return cell(index / columns - 1, index % columns);
}

QAccessibleInterface* AccessibleCellTable::cellAt(int row, int column) const
{
    return row >= 0 ? cell(row, column) : nullptr;
}

QAccessibleInterface* AccessibleCellTable::cell(int row, int column) const
{
    if (row < -1 || row >= rowCount() || column < 0 || column >= columnCount()) {
        return nullptr;
    }
    if (QWidget* control = row >= 0 ? table()->cellWidget(row, column) : nullptr) {
        return QAccessible::queryAccessibleInterface(control);
    }
    const QPair<int, int> place(row, column);
    if (const auto known = mTextCells.constFind(place); known != mTextCells.constEnd()) {
        return QAccessible::accessibleInterface(*known);
    }
    auto* made = new AccessibleItemCell(table(), row, column);
    mTextCells.insert(place, QAccessible::registerAccessibleInterface(made));
    return made;
}

int AccessibleCellTable::indexOfChild(const QAccessibleInterface* child) const
{
    const QAccessibleTableCellInterface* place =
        child ? const_cast<QAccessibleInterface*>(child)->tableCellInterface() : nullptr;
    if (!place || place->table() != this) {
        return -1;
    }
    return (place->rowIndex() + 1) * columnCount() + place->columnIndex();
}

QString AccessibleCellTable::columnDescription(int column) const
{
    const QTableWidgetItem* header = table()->horizontalHeaderItem(column);
    return header ? header->text() : QString();
}

void AccessibleCellTable::modelChange(QAccessibleTableModelChangeEvent*)
{
    forgetTextCells();
}

void AccessibleCellTable::forgetTextCells()
{
    for (const QAccessible::Id id : std::as_const(mTextCells)) {
        QAccessible::deleteAccessibleInterface(id);
    }
    mTextCells.clear();
}
