#include "FWKVXSDK/MainThreadDispatcher.h"

#include <utility>

#include "FWKVXSDK/InstallableHook.h"

namespace {
InstallableHook<void(MainThreadDispatcher::Task)>& installedHook()
{
    static InstallableHook<void(MainThreadDispatcher::Task)> hook;
    return hook;
}
} // namespace

void MainThreadDispatcher::SetHook(Hook hook)
{
    installedHook().install(std::move(hook));
}

bool MainThreadDispatcher::HasHook()
{
    return static_cast<bool>(installedHook().current());
}

void MainThreadDispatcher::Post(Task task)
{
    if (Hook hook = installedHook().current()) {
        hook(std::move(task));
    } else {
        task();
    }
}
