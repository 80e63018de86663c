#include "FWKVXSDK/MainThreadDispatcher.h"

#include <mutex>
#include <utility>

namespace {
std::mutex& hookLock()
{
    static std::mutex lock;
    return lock;
}

MainThreadDispatcher::Hook& installedHook()
{
    static MainThreadDispatcher::Hook hook;
    return hook;
}
} // namespace

void MainThreadDispatcher::SetHook(Hook hook)
{
    std::lock_guard<std::mutex> guard(hookLock());
    installedHook() = std::move(hook);
}

bool MainThreadDispatcher::HasHook()
{
    std::lock_guard<std::mutex> guard(hookLock());
    return static_cast<bool>(installedHook());
}

void MainThreadDispatcher::Post(Task task)
{
    Hook hook;
    {
        std::lock_guard<std::mutex> guard(hookLock());
        hook = installedHook();
    }
    if (hook) {
        hook(std::move(task));
    } else {
        task();
    }
}
