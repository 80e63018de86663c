#pragma once

#include <QPointer>
#include <QWidget>

// A window that is modal for the whole application while the caller goes on:
// the rest of the application takes no input until the session ends, but the
// call that begins it returns at once.
class ModalSession {
public:
    ModalSession() = default;
    static ModalSession beginModalSessionForWindow(QWidget* window);
    // Stops the application's modal state; the window keeps its place until it is hidden.
    static void stopModal();
    // Ends the session; the window is hidden with it.
    static void endModalSession(ModalSession& session);

    bool isActive() const { return !mWindow.isNull(); }
    QWidget* window() const { return mWindow; }

private:
    QPointer<QWidget> mWindow;
};
