#pragma once

#include <QWidget>

// Base of the table cells made in code: children placed by frame with
// autoresizing masks for the cell's initial size, then installed so that they
// follow the cell's size (also when the table sizes the cell before it is
// first shown).
class TableCellView : public QWidget {
    Q_OBJECT
public:
    explicit TableCellView(const QSize& initialSize, QWidget* parent = nullptr);

protected:
    // Call once the children are in place.
    void installAutoresizing();
};
