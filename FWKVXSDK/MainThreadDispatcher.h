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

    // Installs the hook (an empty one removes it). Install before starting work
    // that posts, and remove only after that work has ended.
    static void SetHook(Hook hook);
    static bool HasHook();
    // Hands the task to the main thread without waiting for it to run.
    static void Post(Task task);
};
