#include "MainWindow.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QLabel>
#include <QMessageBox>
#include <QShortcut>

#include "AppDelegate.h"
#include "FwkUtilsMethod.h"
#include "InfoDictionary.h"
#include "InterfaceLocalizer.h"
#include "LocalizedStrings.h"
#include "LocalizedText.h"
#include "VXContainerViewController.h"
#include "VXJobScanViewController.h"
#include "ui_Main.h"

namespace {
QLineEdit* focusedField()
{
    return qobject_cast<QLineEdit*>(QApplication::focusWidget());
}

// The edit commands act on the text field that has the keyboard focus.
template <typename Command>
void editFocusedField(Command command)
{
    if (QLineEdit* field = focusedField()) {
        command(field);
    }
}

// An information box wide enough for its text and for the title bar's title.
void showInformation(QMessageBox& box)
{
    if (!FwkUtilsMethod::isLTR_LayoutDirection()) {
        box.setLayoutDirection(Qt::RightToLeft);
    }
    const int width = box.fontMetrics().averageCharWidth() * 56;
    for (const char* name : {"qt_msgbox_label", "qt_msgbox_informativelabel"}) {
        if (auto* label = box.findChild<QLabel*>(QLatin1String(name))) {
            label->setMinimumWidth(width);
        }
    }
    box.exec();
}
} // namespace

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent), mUi(new Ui::MainWindow)
{
    mUi->setupUi(this);
    InterfaceLocalizer::localize(this);
    if (!FwkUtilsMethod::isLTR_LayoutDirection()) {
        // Menus are not part of any screen: Qt mirrors the menu bar and its
        // menus (windows of their own, which take no direction from the bar).
        mUi->mainMenu->setLayoutDirection(Qt::RightToLeft);
        for (QMenu* menu : mUi->mainMenu->findChildren<QMenu*>()) {
            menu->setLayoutDirection(Qt::RightToLeft);
        }
    }
    mContainer = new VXContainerViewController;
    mContainer->setAutoFillBackground(true);
    QPalette palette = mContainer->palette();
    palette.setColor(QPalette::Window, QColor(0xf2, 0xf3, 0xf5));
    mContainer->setPalette(palette);
    mContainer->resize(900, 620);
    setCentralWidget(mContainer);
    mContainer->loadViewIfNeeded();
    setMinimumSize(760, 560);
    connectMenuItems();
}

MainWindow::~MainWindow()
{
    // Focus moves while the window's children go; the menu items go with them.
    disconnect(qApp, &QApplication::focusChanged, this, nullptr);
    delete mUi;
}

QMenuBar* MainWindow::mainMenu() const
{
    return mUi->mainMenu;
}

void MainWindow::showApplicationNameInMenu()
{
    if (mUi->menuApplication->title().isEmpty()) {
        mUi->menuApplication->setTitle(QString::fromStdString(LocalizedStrings::format(
            "MainMenu_ApplicationName", {AppDelegate::kApplicationName})));
    }
}

void MainWindow::connectMenuItems()
{
    connect(mUi->actionAbout, &QAction::triggered, this, &MainWindow::showAbout);
    connect(mUi->actionHide, &QAction::triggered, this, &QWidget::showMinimized);
    connect(mUi->actionQuit, &QAction::triggered, qApp, &QApplication::closeAllWindows);
    connect(mUi->actionUndo, &QAction::triggered, this, &MainWindow::undo);
    connect(mUi->actionRedo, &QAction::triggered, this, &MainWindow::redo);
    connect(mUi->actionCut, &QAction::triggered, this, [] { editFocusedField([](QLineEdit* field) { field->cut(); }); });
    connect(mUi->actionCopy, &QAction::triggered, this, [] { editFocusedField([](QLineEdit* field) { field->copy(); }); });
    connect(mUi->actionPaste, &QAction::triggered, this, [] { editFocusedField([](QLineEdit* field) { field->paste(); }); });
    connect(mUi->actionDelete, &QAction::triggered, this, [] { editFocusedField([](QLineEdit* field) { field->del(); }); });
    connect(mUi->actionSelectAll, &QAction::triggered, this, [] { editFocusedField([](QLineEdit* field) { field->selectAll(); }); });
    connect(mUi->actionMinimize, &QAction::triggered, this, &QWidget::showMinimized);
    connect(mUi->actionZoom, &QAction::triggered, this, [this] { isMaximized() ? showNormal() : showMaximized(); });
    connect(mUi->actionClose, &QAction::triggered, this, &QWidget::close);
    connect(mUi->actionHelp, &QAction::triggered, this, &MainWindow::showHelp);
    auto* menuKey = new QShortcut(QKeySequence(Qt::Key_F10), this);
    connect(menuKey, &QShortcut::activated, this, &MainWindow::openMainMenu);

    // What Undo and Redo can do changes with the focus, the screen and the jobs.
    connect(qApp, &QApplication::focusChanged, this, &MainWindow::updateUndoItems);
    connect(mUi->menuEdit, &QMenu::aboutToShow, this, &MainWindow::updateUndoItems);
    connect(mContainer->jobScanViewController, &VXJobScanViewController::jobsChanged, this,
            &MainWindow::updateUndoItems);
    updateUndoItems();
}

void MainWindow::openMainMenu()
{
    const auto menus = mUi->mainMenu->actions();
    if (!menus.isEmpty()) {
        mUi->mainMenu->setActiveAction(menus.first());
    }
}

VXJobScanViewController* MainWindow::shownJobList() const
{
    auto* jobs = mContainer->jobScanViewController;
    return jobs && mContainer->shownScreen() == jobs ? jobs : nullptr;
}

void MainWindow::undo()
{
    if (QLineEdit* field = focusedField()) {
        field->undo();
    } else if (VXJobScanViewController* jobs = shownJobList()) {
        jobs->undoRemoval();
    }
    updateUndoItems();
}

void MainWindow::redo()
{
    if (QLineEdit* field = focusedField()) {
        field->redo();
    } else if (VXJobScanViewController* jobs = shownJobList()) {
        jobs->redoRemoval();
    }
    updateUndoItems();
}

void MainWindow::updateUndoItems()
{
    const bool textField = focusedField() != nullptr;
    VXJobScanViewController* jobs = shownJobList();
    mUi->actionUndo->setEnabled(textField || (jobs && jobs->canUndoRemoval()));
    mUi->actionRedo->setEnabled(textField || (jobs && jobs->canRedoRemoval()));
}

void MainWindow::showAbout()
{
    const QString version = QString::fromStdString(InfoDictionary::objectForKey("CFBundleShortVersionString").value_or(""));
    const QString copyright = QString::fromStdString(InfoDictionary::objectForKey("NSHumanReadableCopyright").value_or(""));
    QMessageBox box(this);
    box.setWindowTitle(mUi->actionAbout->iconText());
    box.setIconPixmap(QApplication::windowIcon().pixmap(64, 64));
    box.setText(QStringLiteral("<b>%1</b>").arg(QString::fromUtf8(AppDelegate::kApplicationName)));
    box.setInformativeText(localized("TextVersion") + QStringLiteral(" ") + version + QStringLiteral("\n") +
                           localized("TextCopyright") + QStringLiteral(" ") + copyright);
    box.addButton(localized("OK"), QMessageBox::AcceptRole);
    showInformation(box);
}

void MainWindow::showHelp()
{
    QMessageBox box(this);
    box.setWindowTitle(mUi->actionHelp->iconText());
    box.setText(localized("HelpText"));
    box.addButton(localized("OK"), QMessageBox::AcceptRole);
    showInformation(box);
}

void MainWindow::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!mAppeared) {
        mAppeared = true;
        mContainer->viewWillAppear();
        mContainer->viewDidAppear();
    }
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (mAppeared) {
        mAppeared = false;
        mContainer->viewWillDisappear();
        mContainer->viewDidDisappear();
    }
    event->accept();
}
