#pragma once

#include <QList>

class QWidget;

// The views of a tree in reading order.
class OV_Func {
public:
    // The view itself, then each direct subview's own list, siblings in reading
    // order (SortViewFunc): depth first, parent first. An absent view gives an
    // empty list. The inner parts of Qt's compound controls (scroll areas and item
    // views, combo boxes, spin boxes, tab bars) are not subviews: those controls
    // lay their parts out themselves, following their layout direction.
    static QList<QWidget*> deepSubviewsAtView(QWidget* view);
    // Whether the view's children are its own inner parts rather than subviews.
    static bool isCompoundControl(const QWidget* view);
};

// Reading order of two views: -1 when a comes first, 1 when b does, 0 for the
// same place. Frames are compared in the coordinates of their window; Qt's
// vertical axis points down, so the smaller top comes first, then the smaller
// left edge. The context is ignored.
int SortViewFunc(QWidget* a, QWidget* b, void* context);
