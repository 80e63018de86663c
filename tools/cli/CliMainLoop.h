#pragma once

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>

// The tool's main thread while it waits for work of the library's threads:
// installs itself as the MainThreadDispatcher hook, runs the tasks posted to
// it in order, and returns when one of them calls stop() or the time is up.
// The hook is removed again when the loop is destroyed; destroy it only after
// the work that posts has ended.
class CliMainLoop {
public:
    CliMainLoop();
    ~CliMainLoop();
    CliMainLoop(const CliMainLoop&) = delete;
    CliMainLoop& operator=(const CliMainLoop&) = delete;

    void post(std::function<void()> task);
    void stop();
    // False when the limit passed before stop().
    bool run(std::chrono::steady_clock::duration limit);

private:
    std::mutex mLock;
    std::condition_variable mWake;
    std::deque<std::function<void()>> mTasks;
    bool mStopped = false;
};
