#include "DispatchQueue.h"

#include <algorithm>
#include <chrono>
#include <utility>

DispatchQueue::DispatchQueue(std::string label) : mLabel(std::move(label)), mSerial(true) {}

DispatchQueue::DispatchQueue(Concurrent) : mLabel("global"), mSerial(false) {}

DispatchQueue& DispatchQueue::global()
{
    static DispatchQueue queue{Concurrent{}};
    return queue;
}

DispatchQueue::~DispatchQueue()
{
    {
        std::lock_guard<std::mutex> guard(mLock);
        mStopping = true;
        mChanged.notify_all();
    }
    // Tasks already added still run: a run under way must reach its end (and
    // release its scanner) before the program goes.
    if (mSerialThread.joinable()) {
        mSerialThread.join();
    }
    std::list<std::thread> threads;
    {
        std::lock_guard<std::mutex> guard(mLock);
        threads.swap(mThreads);
    }
    for (auto& thread : threads) {
        thread.join();
    }
}

void DispatchQueue::async(Task task)
{
    std::lock_guard<std::mutex> guard(mLock);
    ++mPending;
    if (mSerial) {
        mTasks.push_back(std::move(task));
        if (!mSerialThread.joinable()) {
            mSerialThread = std::thread([this] { serialWorker(); });
        }
        mChanged.notify_all();
        return;
    }
    reapFinishedThreads();
    mThreads.emplace_back([this, task = std::move(task)] {
        task();
        finished();
    });
}

void DispatchQueue::serialWorker()
{
    std::unique_lock<std::mutex> guard(mLock);
    for (;;) {
        mChanged.wait(guard, [this] { return mStopping || !mTasks.empty(); });
        if (mTasks.empty()) {
            return; // stopping, and nothing left to run
        }
        Task task = std::move(mTasks.front());
        mTasks.pop_front();
        guard.unlock();
        task();
        guard.lock();
        --mPending;
        mChanged.notify_all();
    }
}

void DispatchQueue::finished()
{
    std::lock_guard<std::mutex> guard(mLock);
    --mPending;
    mFinishedThreads.push_back(std::this_thread::get_id());
    mChanged.notify_all();
}

void DispatchQueue::reapFinishedThreads()
{
    // Under mLock. A thread in the finished list has returned from its task or
    // is about to; joining it waits at most for its last instructions.
    for (auto it = mThreads.begin(); it != mThreads.end();) {
        const auto done = std::find(mFinishedThreads.begin(), mFinishedThreads.end(), it->get_id());
        if (done != mFinishedThreads.end()) {
            mFinishedThreads.erase(done);
            it->join();
            it = mThreads.erase(it);
        } else {
            ++it;
        }
    }
}

std::size_t DispatchQueue::pending() const
{
    std::lock_guard<std::mutex> guard(mLock);
    return mPending;
}

bool DispatchQueue::waitUntilIdle(std::chrono::milliseconds limit)
{
    std::unique_lock<std::mutex> guard(mLock);
    const bool idle = mChanged.wait_for(guard, limit, [this] { return mPending == 0; });
    if (idle && !mSerial) {
        reapFinishedThreads();
    }
    return idle;
}
