#pragma once

#include <QApplication>
#include <QMouseEvent>
#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "ApplicationWindows.h"
#include "DispatchQueue.h"
#include "FWKVXSDK/MainThreadDispatcher.h"
#include "MessagePresenter.h"
#include "QtMainThread.h"

// Runs the main loop until `done` holds or the time is up; whether it holds.
inline bool runUntil(const std::function<bool()>& done, std::chrono::milliseconds limit)
{
    const auto end = std::chrono::steady_clock::now() + limit;
    for (;;) {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        if (done()) {
            return true;
        }
        if (std::chrono::steady_clock::now() >= end) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

// Runs the main loop until the work queue has nothing left to do.
inline bool runUntilIdle(DispatchQueue& queue, std::chrono::milliseconds limit = std::chrono::seconds(20))
{
    return runUntil([&] { return queue.pending() == 0; }, limit);
}

// What a screen's flows need around them in a test: the main-thread hand-off
// to the Qt loop, and the alerts written down instead of shown.
class ScreenFlowEnvironment {
public:
    explicit ScreenFlowEnvironment(QWidget* mainWindow = nullptr)
    {
        QtMainThread::install();
        ApplicationWindows::setMainWindow(mainWindow);
        MessagePresenter::install([this](const MessageAlert& alert) { alerts.push_back(alert.informativeText); });
    }
    ~ScreenFlowEnvironment()
    {
        // Whatever a case left on the global queue ends before the next case.
        runUntilIdle(DispatchQueue::global());
        MessagePresenter::install(nullptr);
        ApplicationWindows::setMainWindow(nullptr);
        MainThreadDispatcher::SetHook(nullptr);
    }
    ScreenFlowEnvironment(const ScreenFlowEnvironment&) = delete;
    ScreenFlowEnvironment& operator=(const ScreenFlowEnvironment&) = delete;

    std::vector<std::string> alerts;
};

// Where Tab goes from the widget: the next one in the focus chain that takes
// the focus with Tab.
inline QWidget* nextTabStop(QWidget* widget)
{
    for (QWidget* next = widget->nextInFocusChain(); next && next != widget; next = next->nextInFocusChain()) {
        if ((next->focusPolicy() & Qt::TabFocus) && next->isEnabled() && next->isVisible()) {
            return next;
        }
    }
    return nullptr;
}

// A press and release of the left button at a point of the widget.
inline void clickAt(QWidget* widget, const QPoint& point)
{
    const QPointF local(point);
    const QPointF global(widget->mapToGlobal(point));
    QMouseEvent press(QEvent::MouseButtonPress, local, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, local, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &release);
}

// A key press (and release) sent to the widget, with the text it types.
inline void typeKey(QWidget* widget, int key, const QString& text)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(widget, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(widget, &release);
}
