#pragma once

#include <QTest>
#include <gtest/gtest.h>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "ApplicationWindows.h"
#include "DispatchQueue.h"
#include "FWKVXSDK/MainThreadDispatcher.h"
#include "MessagePresenter.h"
#include "QtMainThread.h"
#include "ViewController.h"

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

// The UDP sockets bound to the multicast DNS port in the test's network namespace.
inline int multicastDnsSockets()
{
    std::ifstream table("/proc/net/udp");
    int count = 0;
    for (std::string slot, local, rest; table >> slot >> local && std::getline(table, rest);) {
        count += local.ends_with(":14E9") ? 1 : 0;
    }
    return count;
}

// From then on the search's worker waits in select, up to a second a pass
// (answers would wake it: stop the responders first).
inline bool waitUntilTheSearchListens(int socketsBefore)
{
    return QTest::qWaitFor([&] { return multicastDnsSockets() > socketsBefore; }, 10000);
}

// Closes the window while the screen's search runs, as the user would: the
// search's end is still under way on another thread as the screen disappears.
inline void closeDuringTheSearch(QWidget& window, ViewController* searching)
{
    std::optional<std::size_t> leftToOtherThreads;
    const auto watch = QObject::connect(searching, &ViewController::lifeCycle, [&](const QString& call) {
        if (call == QStringLiteral("viewDidDisappear")) {
            leftToOtherThreads = DispatchQueue::global().pending();
        }
    });
    window.close();
    QObject::disconnect(watch);
    ASSERT_TRUE(leftToOtherThreads) << "the screen did not disappear";
    EXPECT_GT(*leftToOtherThreads, 0u) << "closing waited for the search";
    EXPECT_TRUE(runUntilIdle(DispatchQueue::global(), 5000)) << "the search's end waits off the main thread";
}
