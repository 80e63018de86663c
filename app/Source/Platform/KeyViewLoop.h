#pragma once

#include <QList>

class QWidget;

// The window's keyboard loop (the order Tab moves the focus in). Either set by a
// screen explicitly, or recalculated from the views' places: rows from top to
// bottom, within a row in reading direction (right to left in a right-to-left
// language).
class KeyViewLoop {
public:
    static void setAutorecalculatesKeyViewLoop(QWidget* window, bool on);
    static bool autorecalculatesKeyViewLoop(const QWidget* window);
    // The loop of every control that takes focus with Tab, in reading order.
    static void recalculateKeyViewLoop(QWidget* window);
    // Tab goes from each view to the next, and from the last back to the first.
    static void setLoop(const QList<QWidget*>& views);
    // The controls of the tree that take focus with Tab, in reading order.
    static QList<QWidget*> focusableViewsInReadingOrder(QWidget* root, bool rightToLeft);
};
