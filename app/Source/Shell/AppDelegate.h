#pragma once

class QMenuBar;

// The application's delegate: puts the main menu into the user's language when
// the interface has been loaded, and ends the program with its last window.
class AppDelegate {
public:
    // The name the menu texts insert where their format has a "%@".
    static constexpr const char* kApplicationName = "Fernwick Vantix";

    explicit AppDelegate(QMenuBar* mainMenu);

    // Titles of the menus and their items by their "tag" (see localizeMainMenu).
    void awakeFromNib();
    void applicationDidFinishLaunching() {}
    void applicationWillTerminate() {}
    bool applicationShouldTerminateAfterLastWindowClosed() const { return true; }

    // Top-level items 100 (empty: the application menu), 200, 300 and 400, and the
    // items of every submenu by their tags; other items keep their titles.
    static void localizeMainMenu(QMenuBar* mainMenu);

private:
    QMenuBar* mMainMenu;
};
