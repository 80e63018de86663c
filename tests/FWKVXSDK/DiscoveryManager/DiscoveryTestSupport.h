#pragma once

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <thread>
#include <vector>

#include "FWKVXSDK/DiscoveryManager/DiscoveryManager.h"
#include "FWKVXSDK/MainThreadDispatcher.h"

// Thread ids (kernel tids) of this process, from /proc/self/task.
std::set<int> ProcessThreads();
// The number of threads before the code under test starts any. A sanitizer's
// runtime starts its own helper thread with the first thread, so one is started
// and joined first.
size_t ThreadBaseline();
// Waits until the process has `count` threads or the time is up; true on success.
// Also after a join: a joined thread can stay listed for a moment.
bool WaitForThreadCount(size_t count, std::chrono::milliseconds timeout);
// The grace for a thread that has just been joined to leave the listing.
inline constexpr std::chrono::milliseconds kJoinedThreadGrace{1000};
// CPU time a thread of this process has used so far, in nanoseconds.
std::optional<long long> ThreadCpuNanoseconds(int tid);

// A main loop owned by the test: installed as the main-thread hook, it queues
// posted tasks, and the test thread runs them. Removes the hook when destroyed.
class TestMainLoop {
public:
    using Task = MainThreadDispatcher::Task;
    TestMainLoop();
    ~TestMainLoop();

    // Runs queued tasks on the calling thread until `done` holds or the time is up.
    bool RunUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout);
    // Runs whatever arrives during the given time.
    void RunFor(std::chrono::milliseconds duration);
    // Takes the next task without running it (nothing when the time is up).
    std::optional<Task> TakeTask(std::chrono::milliseconds timeout);

private:
    std::mutex mLock;
    std::condition_variable mArrived;
    std::deque<Task> mTasks;
};

// Records every call of the completions it makes.
class CompletionLog {
public:
    struct Call {
        int tag;
        bool result;
        std::vector<std::shared_ptr<ScannerData>> scanners;
        std::thread::id thread;
        std::chrono::steady_clock::time_point at;
    };

    DiscoveryManager::Completion Make(int tag);
    std::vector<Call> Calls() const;
    size_t Count() const;

private:
    mutable std::mutex mLock;
    std::vector<Call> mCalls;
};

// A manager opened for the test, and the kernel id of its worker thread.
struct OpenedManager {
    std::shared_ptr<DiscoveryManager> manager;
    int workerTid = 0;
};
OpenedManager OpenManagerWithWorker();
