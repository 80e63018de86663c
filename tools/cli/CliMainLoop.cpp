#include "CliMainLoop.h"

#include <utility>

#include "FWKVXSDK/MainThreadDispatcher.h"

CliMainLoop::CliMainLoop()
{
    MainThreadDispatcher::SetHook([this](MainThreadDispatcher::Task task) { post(std::move(task)); });
}

CliMainLoop::~CliMainLoop()
{
    MainThreadDispatcher::SetHook(nullptr);
}

void CliMainLoop::post(std::function<void()> task)
{
    {
        std::lock_guard<std::mutex> guard(mLock);
        mTasks.push_back(std::move(task));
    }
    mWake.notify_one();
}

void CliMainLoop::stop()
{
    {
        std::lock_guard<std::mutex> guard(mLock);
        mStopped = true;
    }
    mWake.notify_one();
}

bool CliMainLoop::run(std::chrono::steady_clock::duration limit)
{
    const auto deadline = std::chrono::steady_clock::now() + limit;
    std::unique_lock<std::mutex> guard(mLock);
    for (;;) {
        while (!mTasks.empty()) {
            auto task = std::move(mTasks.front());
            mTasks.pop_front();
            guard.unlock();
            task();
            guard.lock();
        }
        if (mStopped) {
            return true;
        }
        if (mWake.wait_until(guard, deadline) == std::cv_status::timeout && mTasks.empty() && !mStopped) {
            return false;
        }
    }
}
