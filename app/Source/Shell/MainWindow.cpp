#include "MainWindow.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QShortcut>
#include <QUrl>

#include "AlertPanel.h"
#include "AppDelegate.h"
#include "FwkUtilsMethod.h"
#include "InfoDictionary.h"
#include "InterfaceLocalizer.h"
#include "JobBundleMenu.h"
#include "LocalizedStrings.h"
#include "LocalizedText.h"
#include "RequestLog.h"
#include "SessionSettings.h"
#include "VXContainerViewController.h"
#include "VXJobScanViewController.h"
#include "WindowTitle.h"
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

// An information box with a heading over its text, wide enough for the
// text and for the title in the window's title bar.
void showInformation(QMessageBox& box, const QString& heading, const QString& text)
{
    box.setTextFormat(Qt::PlainText);
    box.setText(heading);
    box.setInformativeText(text);
    box.addButton(localized("OK"), QMessageBox::AcceptRole);
    const bool leftToRight = FwkUtilsMethod::isLTR_LayoutDirection();
    if (!leftToRight) {
        box.setLayoutDirection(Qt::RightToLeft);
    }
    // In bold, starting on the reading side as the text under it does (a
    // heading in Latin letters would otherwise start on the left).
    if (auto* label = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))) {
        QFont bold = label->font();
        bold.setBold(true);
        label->setFont(bold);
        label->setAlignment((leftToRight ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignAbsolute | Qt::AlignVCenter);
    }
    // The text wraps at this width rather than at the box's narrow default.
    if (auto* label = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_informativelabel"))) {
        label->setMinimumWidth(box.fontMetrics().averageCharWidth() * 56);
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
    restoreSession();
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
    connect(mUi->actionShowRequestLog, &QAction::triggered, this, &MainWindow::showRequestLogFolder);
    connect(mUi->actionExportJobs, &QAction::triggered, this, [this] { JobBundleMenu::exportJobs(this); });
    connect(mUi->actionImportJobs, &QAction::triggered, this, [this] {
        if (JobBundleMenu::importJobs(this)) {
            mContainer->jobScanViewController->reloadJobs();
        }
    });
    // The job set changes as a whole only while the job list shows it: an
    // editor open on a job would otherwise save over what was imported.
    connect(mUi->menuApplication, &QMenu::aboutToShow, this, [this] {
        const bool jobListShown = shownJobList() != nullptr;
        mUi->actionExportJobs->setEnabled(jobListShown);
        mUi->actionImportJobs->setEnabled(jobListShown);
    });
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
    if (menus.isEmpty()) {
        return;
    }
    mUi->mainMenu->setActiveAction(menus.first());
    // Its first item is marked, as when a menu is opened from the keyboard,
    // so that Return chooses it and the arrows go on from there.
    if (QMenu* menu = menus.first()->menu()) {
        for (QAction* item : menu->actions()) {
            if (!item->isSeparator() && item->isEnabled()) {
                menu->setActiveAction(item);
                break;
            }
        }
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

void MainWindow::restoreSession()
{
    SessionSettings::restoreGeometry(*this);
    // Shown as picked; nothing is sent until a scan or registration, which
    // identify the scanner first.
    VXJobScanViewController* jobList = mContainer->jobScanViewController;
    if (const auto scanner = SessionSettings::lastScanner()) {
        jobList->setRepresentedObject(CustomSegue::entry("scanner", scanner));
    }
    connect(jobList, &VXJobScanViewController::scannerPicked, this,
            [](const std::shared_ptr<ScannerData>& scanner) { SessionSettings::rememberScanner(*scanner); });
}

void MainWindow::showAbout()
{
    const QString version = QString::fromStdString(InfoDictionary::objectForKey("CFBundleShortVersionString").value_or(""));
    const QString copyright = QString::fromStdString(InfoDictionary::objectForKey("NSHumanReadableCopyright").value_or(""));
    QMessageBox box(this);
    WindowTitle::set(&box, mUi->actionAbout->iconText());
    box.setIconPixmap(QApplication::windowIcon().pixmap(64, 64));
    showInformation(box, QString::fromUtf8(AppDelegate::kApplicationName),
                    localized("TextVersion") + QStringLiteral(" ") + version + QStringLiteral("\n") +
                        localized("TextCopyright") + QStringLiteral(" ") + copyright);
}

void MainWindow::showHelp()
{
    QMessageBox box(this);
    WindowTitle::set(&box, mUi->menuHelp->menuAction()->iconText());
    showInformation(box, mUi->actionHelp->iconText(), localized("HelpText"));
}

void MainWindow::showRequestLogFolder()
{
    const QString folder = QString::fromStdString(RequestLog::folderPath());
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(folder))) {
        AlertPanel::showMessage(LocalizedStrings::format("ErrorOpenFolder", {folder.toStdString()}));
    }
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
    SessionSettings::saveGeometry(*this);
    if (mAppeared) {
        mAppeared = false;
        mContainer->viewWillDisappear();
        mContainer->viewDidDisappear();
    }
    event->accept();
}
