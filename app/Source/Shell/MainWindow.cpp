#include "MainWindow.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QUrl>

#include "AlertPanel.h"
#include "AppDelegate.h"
#include "FwkUtilsMethod.h"
#include "InfoDictionary.h"
#include "InterfaceLocalizer.h"
#include "JobBundleMenu.h"
#include "LocalizedStrings.h"
#include "LocalizedText.h"
#include "NamedImage.h"
#include "RequestLog.h"
#include "SessionSettings.h"
#include "VXContainerViewController.h"
#include "VXJobScanViewController.h"
#include "ui_Main.h"

namespace {
// The edit commands act on the text field that has the keyboard focus.
template <typename Command>
void editFocusedField(Command command)
{
    if (auto* field = qobject_cast<QLineEdit*>(QApplication::focusWidget())) {
        command(field);
    }
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
    delete mUi;
}

QMenuBar* MainWindow::mainMenu() const
{
    return mUi->mainMenu;
}

void MainWindow::showApplicationNameInMenu()
{
    if (mUi->menuApplication->title().isEmpty()) {
        mUi->menuApplication->setTitle(QString::fromUtf8(AppDelegate::kApplicationName));
    }
}

void MainWindow::connectMenuItems()
{
    connect(mUi->actionAbout, &QAction::triggered, this, &MainWindow::showAbout);
    connect(mUi->actionHide, &QAction::triggered, this, &QWidget::showMinimized);
    connect(mUi->actionQuit, &QAction::triggered, qApp, &QApplication::closeAllWindows);
    connect(mUi->actionUndo, &QAction::triggered, this, [] { editFocusedField([](QLineEdit* field) { field->undo(); }); });
    connect(mUi->actionRedo, &QAction::triggered, this, [] { editFocusedField([](QLineEdit* field) { field->redo(); }); });
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
        const auto shown = mContainer->childViewControllers();
        const bool jobListShown = shown.size() == 1 && shown.first() == mContainer->jobScanViewController;
        mUi->actionExportJobs->setEnabled(jobListShown);
        mUi->actionImportJobs->setEnabled(jobListShown);
    });
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
    box.setWindowTitle(mUi->actionAbout->text());
    box.setIconPixmap(NamedImage::imageNamed("fernwick-vantix.png").pixmap(64, 64));
    box.setText(QStringLiteral("<b>%1</b>").arg(QString::fromUtf8(AppDelegate::kApplicationName)));
    box.setInformativeText(localized("TextVersion") + QStringLiteral(" ") + version + QStringLiteral("\n") + copyright);
    box.addButton(localized("OK"), QMessageBox::AcceptRole);
    if (!FwkUtilsMethod::isLTR_LayoutDirection()) {
        box.setLayoutDirection(Qt::RightToLeft);
    }
    box.exec();
}

void MainWindow::showHelp()
{
    QMessageBox box(this);
    box.setWindowTitle(mUi->actionHelp->text());
    box.setText(QString());
    box.setInformativeText(localized("HelpText"));
    box.addButton(localized("OK"), QMessageBox::AcceptRole);
    if (!FwkUtilsMethod::isLTR_LayoutDirection()) {
        box.setLayoutDirection(Qt::RightToLeft);
    }
    box.exec();
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
