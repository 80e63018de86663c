#include "WindowController.h"

#include <QDialog>

WindowController::WindowController(QDialog* window, QWidget* contentViewController)
    : mWindow(window), mContent(contentViewController)
{
}

WindowController::~WindowController()
{
    if (mWindow) {
        mWindow->hide();
        mWindow->deleteLater();
    }
}
