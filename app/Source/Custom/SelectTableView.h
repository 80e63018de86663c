#pragma once

#include <QTableView>

#include "SelectTableViewDelegate.h"

// A table that reports each mouse press on a row to its selectDelegate, and
// draws a selected row as one rounded band across the row (SelectTableRowView)
// instead of highlighting cell by cell. Selection is by whole rows. While it
// has the keyboard focus a ring marks the current row.
class SelectTableView : public QTableView {
    Q_OBJECT
public:
    explicit SelectTableView(QWidget* parent = nullptr);

    // Not owned; whoever sets it clears it before it goes away.
    SelectTableViewDelegate* selectDelegate() const { return mSelectDelegate; }
    void setSelectDelegate(SelectTableViewDelegate* delegate) { mSelectDelegate = delegate; }

    // The band of the row across the table, in viewport coordinates.
    QRect rowBounds(int row) const;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    // The focus ring follows the focus and the current row.
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

private:
    SelectTableViewDelegate* mSelectDelegate = nullptr;
};
