#pragma once

#include <QString>
#include <memory>

class QWidget;
class VXViewController;
class WindowController;

// The application's interface descriptions by name, and the controllers they
// make by identifier: "JobScan", "ScanerList", "ScanerVersion", "JobCreate" and
// "JobRegister" make the screens; "ProcessAnimation" and "PasswordDialog" make
// window controllers. An unknown name or identifier makes nothing.
class Storyboard {
public:
    static VXViewController* instantiateControllerWithIdentifier(const QString& storyboard, const QString& identifier);
    // The window belongs to the main window (stays above it, centred on it).
    static std::unique_ptr<WindowController> instantiateWindowControllerWithIdentifier(const QString& storyboard,
                                                                                      const QString& identifier);
};
