#pragma once

#include <QPointer>
#include <QWidget>

// A window that is modal for the whole application while the caller goes on:
// the rest of the application takes no input until the session ends, but the
// call that begins it returns at once.
//
// The other windows' input is held back by the session itself, not by Qt's
// window modality: Qt would also drop the window manager's request to close
// a window it blocks, and the main window must stay closable while a long
// operation runs (closing stops the operation). Windows that are modal in
// Qt's own way (message boxes, the password dialog) and pop-ups take their
// input as usual.
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
    // Whether a session holds back the input meant for this widget.
    static bool blocksInput(const QWidget* widget);

private:
    QPointer<QWidget> mWindow;
};
