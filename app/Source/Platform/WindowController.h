#pragma once

#include <QDialog>
#include <QPointer>
#include <QString>
#include <memory>

class QWidget;

// A window made from an interface description, with the controller of its
// content. The controller owns nothing but the window; the window owns its
// content. Dropping the controller closes and deletes the window.
class WindowController {
public:
    WindowController(QDialog* window, QWidget* contentViewController);
    ~WindowController();
    WindowController(const WindowController&) = delete;
    WindowController& operator=(const WindowController&) = delete;

    QDialog* window() const { return mWindow; }
    QWidget* contentViewController() const { return mContent; }

private:
    QPointer<QDialog> mWindow;
    QPointer<QWidget> mContent;
};
