// The blocking hand-off to the main thread, with a main loop of the test's own.
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <stdexcept>
#include <thread>
#include <gtest/gtest.h>

#include "FWKVXSDK/MainThreadDispatcher.h"

namespace {
// A main loop: runs posted tasks on the test's thread until told to stop.
class TestMainLoop {
public:
    TestMainLoop()
    {
        MainThreadDispatcher::SetHook([this](MainThreadDispatcher::Task task) {
            std::lock_guard<std::mutex> guard(mLock);
            mTasks.push_back(std::move(task));
            mChanged.notify_all();
        });
    }
    ~TestMainLoop() { MainThreadDispatcher::SetHook({}); }

    // Runs tasks until the predicate holds (checked after each task and wake-up).
    template <typename Predicate>
    void runUntil(Predicate done)
    {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        std::unique_lock<std::mutex> guard(mLock);
        while (!done() && std::chrono::steady_clock::now() < deadline) {
            if (mTasks.empty()) {
                mChanged.wait_for(guard, std::chrono::milliseconds(10));
                continue;
            }
            auto task = std::move(mTasks.front());
            mTasks.pop_front();
            guard.unlock();
            task();
            guard.lock();
        }
    }

    // Runs what is queued now, then returns.
    void drain()
    {
        for (;;) {
            MainThreadDispatcher::Task task;
            {
                std::lock_guard<std::mutex> guard(mLock);
                if (mTasks.empty()) {
                    return;
                }
                task = std::move(mTasks.front());
                mTasks.pop_front();
            }
            task();
        }
    }

    std::size_t queued()
    {
        std::lock_guard<std::mutex> guard(mLock);
        return mTasks.size();
    }

private:
    std::mutex mLock;
    std::condition_variable mChanged;
    std::deque<MainThreadDispatcher::Task> mTasks;
};
} // namespace

TEST(MainThreadHandOff, RunsAtOnceWithoutHookOrOnTheMainThread)
{
    bool ran = false;
    EXPECT_TRUE(MainThreadDispatcher::RunAndWait([&] { ran = true; }));
    EXPECT_TRUE(ran);

    TestMainLoop loop;
    EXPECT_TRUE(MainThreadDispatcher::IsMainThread());
    ran = false;
    // Waiting for the loop from the loop's own thread would never end.
    EXPECT_TRUE(MainThreadDispatcher::RunAndWait([&] { ran = true; }));
    EXPECT_TRUE(ran);
    EXPECT_EQ(loop.queued(), 0u);
}

TEST(MainThreadHandOff, AWorkerWaitsUntilTheMainThreadHasRunTheTask)
{
    TestMainLoop loop;
    const auto mainThread = std::this_thread::get_id();
    std::thread::id ranOn;
    std::atomic<bool> returned{false};
    std::atomic<bool> result{false};
    std::thread worker([&] {
        EXPECT_FALSE(MainThreadDispatcher::IsMainThread());
        result = MainThreadDispatcher::RunAndWait([&] { ranOn = std::this_thread::get_id(); });
        returned = true;
    });
    loop.runUntil([&] { return returned.load(); });
    worker.join();
    EXPECT_TRUE(result);
    EXPECT_EQ(ranOn, mainThread);
}

TEST(MainThreadHandOff, AnExceptionOfTheTaskReachesTheWorker)
{
    TestMainLoop loop;
    std::atomic<bool> caught{false};
    std::thread worker([&] {
        try {
            MainThreadDispatcher::RunAndWait([] { throw std::runtime_error("refused"); });
        } catch (const std::runtime_error& error) {
            caught = std::string(error.what()) == "refused";
        }
    });
    loop.runUntil([&] { return caught.load(); });
    worker.join();
    EXPECT_TRUE(caught);
}

TEST(MainThreadHandOff, CloseReleasesWaitingWorkersAndDropsLaterWork)
{
    TestMainLoop loop;
    std::atomic<bool> ran{false};
    std::atomic<int> result{-1};
    std::thread worker([&] { result = MainThreadDispatcher::RunAndWait([&] { ran = true; }) ? 1 : 0; });
    // The main loop ends without running the task, as a program does that quits.
    while (loop.queued() == 0) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    MainThreadDispatcher::Close();
    worker.join();
    EXPECT_EQ(result, 0);
    loop.drain();
    EXPECT_FALSE(ran); // a task queued before the close does not run after it

    bool later = false;
    MainThreadDispatcher::Post([&] { later = true; });
    EXPECT_FALSE(MainThreadDispatcher::RunAndWait([&] { later = true; }));
    EXPECT_EQ(loop.queued(), 0u);
    EXPECT_FALSE(later);

    // Installing a hook again opens the dispatcher again.
    TestMainLoop reopened;
    EXPECT_TRUE(MainThreadDispatcher::RunAndWait([&] { later = true; }));
    EXPECT_TRUE(later);
}
