#pragma once

#include <QElapsedTimer>
#include <QTest>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "ApplicationWindows.h"
#include "DispatchQueue.h"
#include "FWKVXSDK/MainThreadDispatcher.h"
#include "MessagePresenter.h"
#include "QtMainThread.h"

// Runs the main loop until the work queue has nothing left to do.
inline bool runUntilIdle(DispatchQueue& queue, int milliseconds = 20000)
{
    return QTest::qWaitFor([&] { return queue.pending() == 0; }, milliseconds);
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

// Closes the window while a search runs, as the user would, and waits until
// the work it leaves to other threads is done. Closing must not wait for the
// search (about a second); it may take a fraction of that.
inline void closeDuringTheSearch(QWidget& window)
{
    QElapsedTimer closing;
    closing.start();
    window.close();
    EXPECT_LT(closing.elapsed(), 250) << "closing waited for the search";
    EXPECT_TRUE(runUntilIdle(DispatchQueue::global(), 5000)) << "the search's end waits off the main thread";
}
