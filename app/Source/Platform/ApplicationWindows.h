#pragma once

class QWidget;

// The application's main window: the parent of its alerts, dialogs and the
// progress window. Null until the window exists (and in tests that make none).
class ApplicationWindows {
public:
    static QWidget* mainWindow();
    static void setMainWindow(QWidget* window);
};
