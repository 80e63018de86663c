#include "ModalSession.h"

#include <QApplication>
#include <QEvent>
#include <QList>
#include <algorithm>

namespace {
bool isUserInput(QEvent::Type type)
{
    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::ContextMenu:
    case QEvent::Enter:
    case QEvent::HoverEnter:
    case QEvent::HoverMove:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TabletPress:
    case QEvent::TabletMove:
    case QEvent::TabletRelease:
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
    case QEvent::InputMethod:
        return true;
    default:
        return false;
    }
}

// The windows of the open sessions, and the filter that holds back the input
// of every other window while there are any.
class SessionWindows : public QObject {
public:
    static SessionWindows& instance()
    {
        static SessionWindows windows;
        return windows;
    }

    void add(QWidget* window)
    {
        if (mWindows.isEmpty()) {
            qApp->installEventFilter(this);
        }
        mWindows.append(window);
    }

    void remove(QWidget* window)
    {
        mWindows.removeAll(window);
        mWindows.removeAll(nullptr);
        if (mWindows.isEmpty()) {
            qApp->removeEventFilter(this);
        }
    }

    bool blocks(const QWidget* widget) const
    {
        // A session whose window is gone holds nothing back.
        const bool open = std::any_of(mWindows.begin(), mWindows.end(), [](const auto& session) { return session; });
        if (!widget || !open) {
            return false;
        }
        const QWidget* window = widget->window();
        const Qt::WindowType type = window->windowType();
        if (window->windowModality() != Qt::NonModal || type == Qt::Popup || type == Qt::ToolTip) {
            return false;
        }
        return std::none_of(mWindows.begin(), mWindows.end(), [&](const auto& session) { return session == window; });
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (!isUserInput(event->type()) || !watched->isWidgetType() || !blocks(static_cast<QWidget*>(watched))) {
            return false;
        }
        // An accepted shortcut override keeps the window's shortcuts from firing too.
        event->accept();
        return true;
    }

private:
    QList<QPointer<QWidget>> mWindows;
};
} // namespace

ModalSession ModalSession::beginModalSessionForWindow(QWidget* window)
{
    ModalSession session;
    if (window && qApp) {
        SessionWindows::instance().add(window);
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
        SessionWindows::instance().remove(window);
        window->hide();
    }
    session.mWindow = nullptr;
}

bool ModalSession::blocksInput(const QWidget* widget)
{
    return qApp && SessionWindows::instance().blocks(widget);
}
