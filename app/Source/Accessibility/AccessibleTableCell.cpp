#include "AccessibleTableCell.h"

#include <QTableWidget>

#include "AccessibleCellTable.h"

AccessibleTableCell::AccessibleTableCell(QWidget* cellView) : QAccessibleWidget(cellView, QAccessible::Cell) {}

void* AccessibleTableCell::interface_cast(QAccessible::InterfaceType t)
{
    if (t == QAccessible::TableCellInterface) {
        return static_cast<QAccessibleTableCellInterface*>(this);
    }
    return QAccessibleWidget::interface_cast(t);
}

QTableWidget* AccessibleTableCell::tableWidget() const
{
    // The cell view sits in the table's viewport.
    for (QWidget* view = widget()->parentWidget(); view; view = view->parentWidget()) {
        if (auto* table = qobject_cast<QTableWidget*>(view)) {
            return table;
        }
    }
    return nullptr;
}

QPair<int, int> AccessibleTableCell::place() const
{
    if (const QTableWidget* table = tableWidget()) {
        for (int row = 0; row < table->rowCount(); ++row) {
            for (int column = 0; column < table->columnCount(); ++column) {
                if (table->cellWidget(row, column) == widget()) {
                    return {row, column};
                }
            }
        }
    }
    return {-1, -1};
}

int AccessibleTableCell::rowIndex() const
{
    return place().first;
}

int AccessibleTableCell::columnIndex() const
{
    return place().second;
}

QAccessibleInterface* AccessibleTableCell::table() const
{
    QTableWidget* table = tableWidget();
    return table ? QAccessible::queryAccessibleInterface(table) : nullptr;
}

QAccessibleInterface* AccessibleTableCell::parent() const
{
    QAccessibleInterface* table = this->table();
    return table ? table : QAccessibleWidget::parent();
}

QString AccessibleTableCell::text(QAccessible::Text t) const
{
    const QTableWidget* table = tableWidget();
    if (t == QAccessible::Name && widget()->accessibleName().isEmpty() && table) {
        return table->model()->headerData(columnIndex(), Qt::Horizontal).toString();
    }
    return QAccessibleWidget::text(t);
}

QList<QAccessibleInterface*> AccessibleTableCell::columnHeaderCells() const
{
    const auto* table = dynamic_cast<const AccessibleCellTable*>(this->table());
    QAccessibleInterface* header = table ? table->cell(-1, columnIndex()) : nullptr;
    return header ? QList<QAccessibleInterface*>{header} : QList<QAccessibleInterface*>{};
}
