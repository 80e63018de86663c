#pragma once

#include <QAccessibleInterface>
#include <QPointer>

class QTableWidget;

// A cell of an AccessibleCellTable that holds text, or the header of one of
// its columns (row -1): it reads the text of its place whenever asked.
class AccessibleItemCell : public QAccessibleInterface, public QAccessibleTableCellInterface {
public:
    AccessibleItemCell(QTableWidget* table, int row, int column);

    bool isValid() const override;
    QObject* object() const override { return nullptr; }
    QWindow* window() const override;
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override;
    QAccessible::Role role() const override;
    QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType t) override;

    bool isSelected() const override { return false; }
    QList<QAccessibleInterface*> columnHeaderCells() const override;
    QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return mColumn; }
    int rowIndex() const override { return mRow; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override;

private:
    QPointer<QTableWidget> mTable;
    int mRow;
    int mColumn;
};
