#pragma once

// The desktop application's main thread for the library and the application
// logic: work on other threads reaches the Qt event loop through
// MainThreadDispatcher, also while a modal window runs its own loop.
class QtMainThread {
public:
    // Installs the hook; call on the main thread once the QApplication exists.
    static void install();
    // The event loop has ended: waiting hand-offs are released, later posts dropped.
    static void shutdown();
};
