#pragma once

#include <QColor>
#include <QRectF>

class QPainter;

// How a selected row of a SelectTableView looks: one rounded light-grey band
// over the whole row. Qt's table rows are not widgets, so this is the drawing
// alone; SelectTableView paints it behind the cells of each selected row.
class SelectTableRowView {
public:
    static constexpr double kInset = 2.5;
    static constexpr double kCornerRadius = 6;
    static constexpr double kFillWhite = 0.82;
    static constexpr double kOutlineWhite = 0.65;

    static void drawSelection(QPainter& painter, const QRectF& rowBounds);
    // The keyboard focus on a row (or on a control in a row's cell): a rounded
    // outline in the highlight colour, as the application's buttons draw it.
    static void drawFocus(QPainter& painter, const QRectF& bounds, QColor highlight);
};
