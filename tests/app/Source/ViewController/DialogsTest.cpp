// The password dialog's responses and the progress window over the main window.
#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QWindow>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include "CustomButton.h"
#include "CustomMaskView.h"
#include "MainWindow.h"
#include "PasswordDialogController.h"
#include "ProcessAnimationController.h"
#include "ProgressIndicator.h"
#include "ProgressWindowPresenter.h"
#include "Storyboard.h"
#include "VXContainerViewController.h"
#include "VXJobScanViewController.h"
#include "WindowController.h"

namespace {
// Runs the dialog modally, doing `during` once its loop runs; returns the response.
int runDialog(WindowController& controller, const std::function<void(PasswordDialogController&)>& during)
{
    auto* content = static_cast<PasswordDialogController*>(controller.contentViewController());
    QTimer::singleShot(0, content, [content, during] { during(*content); });
    return controller.window()->exec();
}

std::unique_ptr<WindowController> passwordDialog()
{
    return Storyboard::instantiateWindowControllerWithIdentifier("PasswordDialog", "PasswordDialog");
}
} // namespace

TEST(PasswordDialog, ResponsesAreTheButtonsTagsAndClosingIsCancel)
{
    auto dialog = passwordDialog();
    ASSERT_TRUE(dialog);
    auto* content = static_cast<PasswordDialogController*>(dialog->contentViewController());
    EXPECT_NE(content->btnOK->property("tag").toInt(), 0);
    EXPECT_EQ(content->btnCancel->property("tag").toInt(), 0);
    EXPECT_EQ(content->editPassword->echoMode(), QLineEdit::Password);

    // OK with nothing typed: go on, with the empty text as password.
    EXPECT_NE(runDialog(*dialog, [](PasswordDialogController& c) { c.btnOK->click(); }), 0);
    EXPECT_EQ(content->editPassword->text(), QString());
    EXPECT_FALSE(dialog->window()->isVisible());

    auto typed = passwordDialog();
    EXPECT_NE(runDialog(*typed, [](PasswordDialogController& c) {
        c.editPassword->setText(" secret ");
        c.btnOK->click();
    }), 0);
    EXPECT_EQ(static_cast<PasswordDialogController*>(typed->contentViewController())->editPassword->text(), " secret ");

    auto cancelled = passwordDialog();
    EXPECT_EQ(runDialog(*cancelled, [](PasswordDialogController& c) { c.btnCancel->click(); }), 0);

    auto closed = passwordDialog();
    EXPECT_EQ(runDialog(*closed, [](PasswordDialogController& c) { c.window()->close(); }), 0);
    EXPECT_FALSE(closed->window()->isVisible());
}

TEST(ProgressWindow, CentringCutsHalvesTowardsZero)
{
    EXPECT_EQ(ProgressWindowPresenter::centredOrigin({100, 200, 800, 600}, {0, 0, 301, 121}), QPoint(349, 439));
    EXPECT_EQ(ProgressWindowPresenter::centredOrigin({0, 0, 801, 601}, {5, 5, 300, 100}), QPoint(250, 250));
    // A missing main window counts as an empty rectangle; a negative half is cut towards zero.
    EXPECT_EQ(ProgressWindowPresenter::centredOrigin({}, {0, 0, 301, 121}), QPoint(-150, -60));
    EXPECT_EQ(ProgressWindowPresenter::centredOrigin({}, {}), QPoint(0, 0));
}

TEST(ProgressWindow, ShownModalOverAMaskAndClosedAgain)
{
    MainWindow window;
    window.show();
    auto progress = Storyboard::instantiateWindowControllerWithIdentifier("ProcessAnimation", "ProcessAnimation");
    ASSERT_TRUE(progress);
    auto* content = static_cast<ProcessAnimationController*>(progress->contentViewController());
    EXPECT_TRUE(content->indicator->isAnimating());
    content->setProgressText("BulkRegist\nFront desk\nJob No.5(Register)");
    QWidget* progressWindow = progress->window();
    EXPECT_EQ(progressWindow->size(), QSize(301, 121));

    auto shown = ProgressWindowPresenter::show(&window, progressWindow);
    EXPECT_TRUE(progressWindow->isVisible());
    // The main window takes no input meanwhile; the progress window does.
    auto* button = window.container()->jobScanViewController->btnAddJob;
    QSignalSpy pressed(button, &QAbstractButton::clicked);
    QTest::keyClick(button, Qt::Key_Space);
    EXPECT_EQ(pressed.count(), 0);
    EXPECT_FALSE(ModalSession::blocksInput(progressWindow));
    EXPECT_EQ(progressWindow->frameGeometry().topLeft(),
              ProgressWindowPresenter::centredOrigin(window.frameGeometry(), progressWindow->frameGeometry()));
    ASSERT_TRUE(shown.mask);
    EXPECT_EQ(shown.mask->parentWidget(), window.centralWidget());
    EXPECT_EQ(shown.mask->geometry(), QRect(0, 0, window.frameGeometry().width(), window.frameGeometry().height()));
    // On top of everything in the window's content.
    EXPECT_EQ(window.centralWidget()->children().last(), shown.mask.data());

    ProgressWindowPresenter::close(shown, progressWindow);
    EXPECT_FALSE(progressWindow->isVisible());
    QTest::keyClick(button, Qt::Key_Space);
    EXPECT_EQ(pressed.count(), 1);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(shown.mask.isNull());
}

TEST(ProgressWindow, WithoutAMainWindowNothingFails)
{
    auto progress = Storyboard::instantiateWindowControllerWithIdentifier("ProcessAnimation", "ProcessAnimation");
    auto shown = ProgressWindowPresenter::show(nullptr, progress->window());
    EXPECT_TRUE(shown.mask.isNull());
    ProgressWindowPresenter::close(shown, progress->window());
    auto none = ProgressWindowPresenter::show(nullptr, nullptr);
    ProgressWindowPresenter::close(none, nullptr);
    EXPECT_FALSE(Storyboard::instantiateWindowControllerWithIdentifier("ProcessAnimation", "Other"));
}

TEST(ProgressWindow, OnlyItsOperationClosesIt)
{
    auto progress = Storyboard::instantiateWindowControllerWithIdentifier("ProcessAnimation", "ProcessAnimation");
    QDialog* progressWindow = progress->window();
    auto shown = ProgressWindowPresenter::show(nullptr, progressWindow);
    // Escape would end the modal state of a dialog while the operation still runs.
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(progressWindow, &escape);
    EXPECT_TRUE(progressWindow->isVisible());
    // So would a close request of the window manager.
    ASSERT_TRUE(progressWindow->windowHandle());
    EXPECT_FALSE(progressWindow->windowHandle()->close());
    EXPECT_TRUE(progressWindow->isVisible());
    ProgressWindowPresenter::close(shown, progressWindow);
    EXPECT_FALSE(progressWindow->isVisible());
}
