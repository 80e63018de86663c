#pragma once

class QWidget;

// How a view follows the size of its parent, with the flags the interface
// descriptions store in the dynamic property "autoresizingMask". Views placed by
// frame keep their margins and sizes unless a flag makes one flexible; the part
// by which the parent grew or shrank is shared among the flexible parts in
// proportion to their sizes. Views that a Qt layout manages are left to it.
class AutoresizingMask {
public:
    enum Flag {
        NotSizable = 0,
        MinXMargin = 1,  // flexible left margin
        WidthSizable = 2,
        MaxXMargin = 4,  // flexible right margin
        MinYMargin = 8,  // flexible top margin (Qt's y axis points down)
        HeightSizable = 16,
        MaxYMargin = 32, // flexible bottom margin
    };

    static int mask(const QWidget* view);
    static void setMask(QWidget* view, int mask);
    // Exchanges the flexible left and right margins when exactly one is set.
    static void swapHorizontalMargins(QWidget* view);
    // Makes the view and every view below it resize their subviews by their masks.
    static void install(QWidget* root);
    // The new frame of a view of the given mask when its parent changes size.
    static void resizeWithOldSuperviewSize(QWidget* view, int oldWidth, int oldHeight);
};
