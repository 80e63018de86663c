#pragma once

#include <QAccessibleWidget>

class QTableWidget;

// A cell view that a table holds in one of its cells (the bulk registration
// table's tick and password cells) as assistive technology should see it: a
// cell of that table (AccessibleCellTable), named by its column, with the
// controls it holds as its children.
class AccessibleTableCell : public QAccessibleWidget, public QAccessibleTableCellInterface {
public:
    explicit AccessibleTableCell(QWidget* cellView);

    void* interface_cast(QAccessible::InterfaceType t) override;
    QAccessibleInterface* parent() const override;
    QString text(QAccessible::Text t) const override;

    bool isSelected() const override { return false; }
    QList<QAccessibleInterface*> columnHeaderCells() const override;
    QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
    int columnIndex() const override;
    int rowIndex() const override;
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override;

private:
    QTableWidget* tableWidget() const;
    // The cell's place in its table; (-1, -1) while it is in none.
    QPair<int, int> place() const;
};
