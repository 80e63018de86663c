#pragma once

#include <QString>
#include <memory>

#include "FWKVXSDK/ScannerData.h"

class QWidget;

// What the application keeps between starts beside the jobs and the saved
// scanners: the scanner picked last and the main window's size and place, in
// $XDG_CONFIG_HOME/fernwick-vantix/fernwick-vantix.conf (QSettings, INI).
// A failure to write them is noted in the system log; it costs the user no work.
class SessionSettings {
public:
    static QString filePath();
    // The scanner picked last, with its name and address only; null when none was kept.
    static std::shared_ptr<ScannerData> lastScanner();
    static void rememberScanner(const ScannerData& scanner);
    // The window's kept size and place, when there are any.
    static void restoreGeometry(QWidget& window);
    static void saveGeometry(const QWidget& window);
};
