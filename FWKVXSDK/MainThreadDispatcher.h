#pragma once

#include <functional>

#include "FWKVXSDK/FWKVXSDKExport.h"

// How the embedding program runs a callable on its main thread. The library has
// no UI toolkit: the desktop application installs a hook that posts to its event
// loop, the command-line tool one that feeds its own loop. Without a hook a task
// runs at once on the thread that posts it.
class FWKVXSDK_EXPORT MainThreadDispatcher {
public:
    using Task = std::function<void()>;
    using Hook = std::function<void(Task)>;

    // Installs the hook (an empty one removes it). Install on the main thread:
    // that thread counts as the main thread from then on. Install before starting
    // work that posts, and remove only after that work has ended. Installing a
    // hook reopens a closed dispatcher.
    static void SetHook(Hook hook);
    static bool HasHook();
    // Hands the task to the main thread without waiting for it to run. After
    // Close the task is dropped.
    static void Post(Task task);

    // True on the thread that installed the hook, and anywhere without a hook.
    static bool IsMainThread();
    // Runs the task on the main thread and returns once it has run there: at once
    // when called on the main thread itself, otherwise through the hook, waiting.
    // An exception the task throws reaches the caller. False, without running the
    // task, when the main thread no longer takes tasks (Close).
    static bool RunAndWait(const Task& task);
    // The main thread takes no more tasks (the program is ending): waiting
    // RunAndWait calls return false at once, later posts are dropped. Call on the
    // main thread, after its event loop has ended.
    static void Close();
};
