#include "ModalSession.h"

ModalSession ModalSession::beginModalSessionForWindow(QWidget* window)
{
    ModalSession session;
    if (window) {
        // Qt takes a change of modality only while the window is hidden.
        const bool wasVisible = window->isVisible();
        if (wasVisible) {
            window->hide();
        }
        window->setWindowModality(Qt::ApplicationModal);
        if (wasVisible) {
            window->show();
        }
        session.mWindow = window;
    }
    return session;
}

void ModalSession::stopModal()
{
    // Nothing to stop: a session blocks no call (unlike a modal run), so the
    // modal state ends with the session itself.
}

void ModalSession::endModalSession(ModalSession& session)
{
    if (QWidget* window = session.mWindow) {
        // Qt changes modality only while a window is hidden; every caller hides
        // the window right after ending its session anyway.
        window->hide();
        window->setWindowModality(Qt::NonModal);
    }
    session.mWindow = nullptr;
}
