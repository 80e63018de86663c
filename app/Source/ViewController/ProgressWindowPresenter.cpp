#include "ProgressWindowPresenter.h"

#include <QMainWindow>
#include <QWidget>
#include <cmath>

#include "FwkUtilsMethod.h"
#include "ProcessAnimationController.h"
#include "Storyboard.h"
#include "WindowController.h"

QPoint ProgressWindowPresenter::centredOrigin(const QRect& mainFrame, const QRect& progressFrame)
{
    const auto half = [](int length) { return static_cast<int>(std::trunc(length * 0.5)); };
    return {half(mainFrame.width() - progressFrame.width()) + mainFrame.x(),
            half(mainFrame.height() - progressFrame.height()) + mainFrame.y()};
}

void ProgressWindowPresenter::prepare(std::unique_ptr<WindowController>& controller, QDialog*& window,
                                      ProcessAnimationController*& view, const QString& text)
{
    controller = Storyboard::instantiateWindowControllerWithIdentifier("ProcessAnimation", "ProcessAnimation");
    window = controller ? controller->window() : nullptr;
    view = controller ? qobject_cast<ProcessAnimationController*>(controller->contentViewController()) : nullptr;
    if (view) {
        view->setProgressText(text);
        FwkUtilsMethod::layoutLeftToRight(view);
    }
}

QWidget* ProgressWindowPresenter::contentView(QWidget* window)
{
    if (auto* main = qobject_cast<QMainWindow*>(window); main && main->centralWidget()) {
        return main->centralWidget();
    }
    return window;
}

ProgressWindowPresenter::Presentation ProgressWindowPresenter::show(QWidget* mainWindow, QWidget* progressWindow)
{
    Presentation presentation;
    if (progressWindow && mainWindow && progressWindow->isWindow() && !progressWindow->parentWidget()) {
        // Made before the main window was known (by a screen built with the
        // window): it belongs to the main window, staying in front of it.
        progressWindow->setParent(mainWindow, progressWindow->windowFlags());
    }
    presentation.session = ModalSession::beginModalSessionForWindow(progressWindow);
    const QRect mainFrame = mainWindow ? mainWindow->frameGeometry() : QRect();
    const QRect progressFrame = progressWindow ? progressWindow->frameGeometry() : QRect();
    if (progressWindow) {
        progressWindow->move(centredOrigin(mainFrame, progressFrame));
    }
    if (QWidget* content = contentView(mainWindow)) {
        auto* mask = new CustomMaskView(content);
        mask->setGeometry(0, 0, mainFrame.width(), mainFrame.height());
        mask->raise();
        mask->show();
        presentation.mask = mask;
    }
    if (progressWindow) {
        progressWindow->show();
        progressWindow->raise();
        progressWindow->activateWindow();
    }
    return presentation;
}

void ProgressWindowPresenter::close(Presentation& presentation, QWidget* progressWindow)
{
    ModalSession::stopModal();
    ModalSession::endModalSession(presentation.session);
    if (progressWindow) {
        progressWindow->hide();
    }
    if (CustomMaskView* mask = presentation.mask) {
        mask->hide();
        mask->deleteLater();
    }
    presentation.mask = nullptr;
}
