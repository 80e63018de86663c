#pragma once

#include <functional>
#include <mutex>
#include <utility>

// A process-wide callable that the embedding program may install (how to reach
// its main thread, how to show a message, where log lines go). Callers take a
// copy and call it without the lock held, so a hook may run for a long time or
// install another one.
template <typename Signature>
class InstallableHook {
public:
    using Function = std::function<Signature>;

    void install(Function hook)
    {
        std::lock_guard<std::mutex> guard(mLock);
        mHook = std::move(hook);
    }

    Function current() const
    {
        std::lock_guard<std::mutex> guard(mLock);
        return mHook;
    }

private:
    mutable std::mutex mLock;
    Function mHook;
};
