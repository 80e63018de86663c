#pragma once

#include <QWidget>

// The dimming overlay laid over the main window while a long operation runs:
// black at 40 % opacity, and it takes every mouse click, double click and
// wheel turn itself, so nothing underneath can be clicked. Make it the size
// of the window's content and raise it above everything.
class CustomMaskView : public QWidget {
    Q_OBJECT
public:
    static constexpr double kOpacity = 0.4;

    explicit CustomMaskView(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
};
