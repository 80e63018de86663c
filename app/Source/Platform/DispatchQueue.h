#pragma once

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <list>
#include <mutex>
#include <string>
#include <thread>

// Work queues for the screens' long operations. The global queue runs each
// task on a thread of its own at once (scans, registrations from the job list,
// address checks); a serial queue runs its tasks one after another on one
// thread, in the order they were added (the bulk registration's runs). Tasks
// must not throw. Every thread is joined: by waitUntilIdle, or when the queue
// is destroyed.
class DispatchQueue {
public:
    using Task = std::function<void()>;

    // Serial queue; the label names it (for debugging).
    explicit DispatchQueue(std::string label);
    ~DispatchQueue();
    DispatchQueue(const DispatchQueue&) = delete;
    DispatchQueue& operator=(const DispatchQueue&) = delete;

    // The application's concurrent queue.
    static DispatchQueue& global();

    const std::string& label() const { return mLabel; }
    void async(Task task);
    // Tasks added and not yet finished.
    std::size_t pending() const;
    // Waits until every task added so far has finished; false when the time ran out.
    bool waitUntilIdle(std::chrono::milliseconds limit);

private:
    struct Concurrent {};
    explicit DispatchQueue(Concurrent);
    void serialWorker();
    void finished();
    void reapFinishedThreads();

    const std::string mLabel;
    const bool mSerial;
    mutable std::mutex mLock;
    std::condition_variable mChanged;
    std::deque<Task> mTasks;     // serial: waiting to run
    std::size_t mPending = 0;    // added and not finished
    bool mStopping = false;
    std::thread mSerialThread;   // serial: started with the first task
    std::list<std::thread> mThreads; // concurrent: one per task
    std::list<std::thread::id> mFinishedThreads;
};
