#include "ApplicationWindows.h"

#include <QPointer>
#include <QWidget>

namespace {
QPointer<QWidget>& registered()
{
    static QPointer<QWidget> window;
    return window;
}
} // namespace

QWidget* ApplicationWindows::mainWindow()
{
    return registered();
}

void ApplicationWindows::setMainWindow(QWidget* window)
{
    registered() = window;
}
