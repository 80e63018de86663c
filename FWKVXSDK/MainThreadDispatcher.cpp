#include "FWKVXSDK/MainThreadDispatcher.h"

#include <atomic>
#include <condition_variable>
#include <exception>
#include <memory>
#include <mutex>
#include <set>
#include <thread>
#include <utility>

#include "FWKVXSDK/InstallableHook.h"

namespace {
InstallableHook<void(MainThreadDispatcher::Task)>& installedHook()
{
    static InstallableHook<void(MainThreadDispatcher::Task)> hook;
    return hook;
}

// One RunAndWait call waiting for the main thread.
struct PendingRun {
    std::mutex lock;
    std::condition_variable changed;
    bool finished = false;  // ran (or threw) on the main thread
    bool cancelled = false; // the main thread stopped taking tasks first
    std::exception_ptr failure;
};

struct DispatcherState {
    std::mutex lock;
    std::thread::id mainThread;
    bool closed = false;
    std::set<std::shared_ptr<PendingRun>> pending;
};

DispatcherState& state()
{
    static DispatcherState instance;
    return instance;
}

bool isClosed()
{
    std::lock_guard<std::mutex> guard(state().lock);
    return state().closed;
}
} // namespace

void MainThreadDispatcher::SetHook(Hook hook)
{
    {
        std::lock_guard<std::mutex> guard(state().lock);
        state().mainThread = hook ? std::this_thread::get_id() : std::thread::id();
        state().closed = false;
    }
    installedHook().install(std::move(hook));
}

bool MainThreadDispatcher::HasHook()
{
    return static_cast<bool>(installedHook().current());
}

void MainThreadDispatcher::Post(Task task)
{
    if (isClosed()) {
        return;
    }
    if (Hook hook = installedHook().current()) {
        hook(std::move(task));
    } else {
        task();
    }
}

bool MainThreadDispatcher::IsMainThread()
{
    if (!HasHook()) {
        return true;
    }
    std::lock_guard<std::mutex> guard(state().lock);
    return state().mainThread == std::this_thread::get_id();
}

bool MainThreadDispatcher::RunAndWait(const Task& task)
{
    if (isClosed()) {
        return false;
    }
    if (IsMainThread()) {
        task();
        return true;
    }
    auto run = std::make_shared<PendingRun>();
    {
        std::lock_guard<std::mutex> guard(state().lock);
        if (state().closed) {
            return false;
        }
        state().pending.insert(run);
    }
    Post([run, task] {
        {
            std::lock_guard<std::mutex> guard(run->lock);
            if (run->cancelled) {
                return;
            }
        }
        std::exception_ptr failure;
        try {
            task();
        } catch (...) {
            failure = std::current_exception();
        }
        std::lock_guard<std::mutex> guard(run->lock);
        run->finished = true;
        run->failure = std::move(failure); // the waiting thread owns it from here on
        run->changed.notify_all();
    });
    bool finished = false;
    std::exception_ptr failure;
    {
        std::unique_lock<std::mutex> guard(run->lock);
        run->changed.wait(guard, [&] { return run->finished || run->cancelled; });
        finished = run->finished;
        // Moved, not copied: the exception then ends on this thread, which owns
        // it from here on, whenever the main thread lets go of the task.
        failure = std::move(run->failure);
    }
    {
        std::lock_guard<std::mutex> guard(state().lock);
        state().pending.erase(run);
    }
    if (failure) {
        std::rethrow_exception(failure);
    }
    return finished;
}

void MainThreadDispatcher::Close()
{
    std::set<std::shared_ptr<PendingRun>> pending;
    {
        std::lock_guard<std::mutex> guard(state().lock);
        state().closed = true;
        pending.swap(state().pending);
    }
    for (const auto& run : pending) {
        std::lock_guard<std::mutex> guard(run->lock);
        if (!run->finished) {
            run->cancelled = true;
        }
        run->changed.notify_all();
    }
}
