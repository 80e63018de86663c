#pragma once

#include <QWidget>

// Base of the table cells made in code: children placed by frame with
// autoresizing masks for the cell's initial size, then installed so that they
// follow the cell's size. A cell is often sized by its table before it is
// first shown, when Qt reports the resize without the old size; the cell then
// resizes its children from the size they were laid out for.
class TableCellView : public QWidget {
    Q_OBJECT
public:
    explicit TableCellView(const QSize& initialSize, QWidget* parent = nullptr);

protected:
    // Call once the children are in place.
    void installAutoresizing();
    void resizeEvent(QResizeEvent* event) override;

private:
    QSize mLaidOutSize;
};
