#pragma once

#include "TableCellView.h"

class QCheckBox;

// The tick cell of the bulk registration table: one check box in the middle.
// A screen that mirrors for right to left runs FwkUtilsMethod::layoutLeftToRight
// on the cell once it has made it (the table's own pass does not reach cells).
class SelectTableCellView : public TableCellView {
    Q_OBJECT
public:
    explicit SelectTableCellView(QWidget* parent = nullptr);

    QCheckBox* checkbutton;

protected:
    // A check box without a title shows no focus of its own: the cell rings it.
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
};
