#pragma once

#include <QAccessibleWidget>
#include <QHash>

class QTableWidget;

// A table whose cells may hold controls (the bulk registration table: a tick
// and a password field per row) as assistive technology should see it. Qt's
// own description of a table knows only the model's texts: a cell that holds
// a control is an empty cell there, and the control is nowhere in the tree.
// Here the children are the column headers, then the cells row by row; a
// cell that holds a control is that control's cell view (AccessibleTableCell,
// with the control as its child), any other cell reads its text
// (AccessibleItemCell).
class AccessibleCellTable : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    explicit AccessibleCellTable(QTableWidget* table);

    void* interface_cast(QAccessible::InterfaceType t) override;
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;

    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override;
    QString columnDescription(int column) const override;
    QString rowDescription(int) const override { return {}; }
    int columnCount() const override;
    int rowCount() const override;
    // Nothing of this table is ever selected: its rows are chosen by their ticks.
    int selectedCellCount() const override { return 0; }
    QList<QAccessibleInterface*> selectedCells() const override { return {}; }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int) const override { return false; }
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent* event) override;

    // The header of the column (row -1) or a cell, by its place.
    QAccessibleInterface* cell(int row, int column) const;

protected:
    ~AccessibleCellTable() override;

private:
    QTableWidget* table() const;
    void forgetTextCells();

    // The text cells made so far, by place; a cell that holds a control has
    // the control's cell view instead.
    mutable QHash<QPair<int, int>, QAccessible::Id> mTextCells;
};
