#pragma once

#include <QMainWindow>

class QMenuBar;
class VXContainerViewController;
class VXJobScanViewController;
namespace Ui {
class MainWindow;
}

// The single main window: the main menu and, as its content, the screen
// container. Its menu items do what this desktop offers for each of them.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    QMenuBar* mainMenu() const;
    VXContainerViewController* container() const { return mContainer; }

    // The application menu has no title of its own: the window shows the
    // application's name there, as a desktop with a global menu does.
    void showApplicationNameInMenu();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void connectMenuItems();
    // The window's size and place and the scanner picked last, as the last run left them.
    void restoreSession();
    void showAbout();
    void showHelp();
    // Opens the first menu of the menu bar, as F10 does on this desktop.
    void openMainMenu();
    // Undo and Redo act on the text field that has the focus, else on the job
    // list's last removal while the job list is shown.
    void undo();
    void redo();
    void updateUndoItems();
    VXJobScanViewController* shownJobList() const;
    // Help > Show Request Log: the folder of the request log, in the desktop's file manager.
    void showRequestLogFolder();

    Ui::MainWindow* mUi;
    VXContainerViewController* mContainer;
    bool mAppeared = false;
};
