// The screens' work queues: order, overlap and joining.
#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>
#include <vector>
#include <gtest/gtest.h>

#include "DispatchQueue.h"

using namespace std::chrono_literals;

TEST(DispatchQueue, ASerialQueueRunsItsTasksOneAfterAnotherInOrder)
{
    std::vector<int> order;
    std::mutex lock;
    std::atomic<int> running{0};
    std::atomic<int> overlap{0};
    {
        DispatchQueue queue("org.fernwick.vantix.SerialDispatchQueue");
        for (int i = 0; i < 20; ++i) {
            queue.async([&, i] {
                if (running.fetch_add(1) != 0) {
                    ++overlap;
                }
                std::this_thread::sleep_for(1ms);
                {
                    std::lock_guard<std::mutex> guard(lock);
                    order.push_back(i);
                }
                running.fetch_sub(1);
            });
        }
        EXPECT_TRUE(queue.waitUntilIdle(10s));
        EXPECT_EQ(queue.pending(), 0u);
        queue.async([&] { order.push_back(20); }); // the destructor still runs what was added
    }
    EXPECT_EQ(overlap, 0);
    ASSERT_EQ(order.size(), 21u);
    for (int i = 0; i <= 20; ++i) {
        EXPECT_EQ(order[static_cast<std::size_t>(i)], i);
    }
}

TEST(DispatchQueue, TheGlobalQueueRunsTasksSideBySide)
{
    // Two tasks that each wait for the other can only finish when they overlap.
    std::atomic<int> arrived{0};
    std::atomic<int> finished{0};
    for (int i = 0; i < 2; ++i) {
        DispatchQueue::global().async([&] {
            ++arrived;
            const auto deadline = std::chrono::steady_clock::now() + 5s;
            while (arrived < 2 && std::chrono::steady_clock::now() < deadline) {
                std::this_thread::sleep_for(1ms);
            }
            if (arrived == 2) {
                ++finished;
            }
        });
    }
    EXPECT_TRUE(DispatchQueue::global().waitUntilIdle(10s));
    EXPECT_EQ(finished, 2);
    // Finished threads are joined and new tasks keep running.
    for (int i = 0; i < 50; ++i) {
        DispatchQueue::global().async([&] { ++finished; });
    }
    EXPECT_TRUE(DispatchQueue::global().waitUntilIdle(10s));
    EXPECT_EQ(finished, 52);
}

TEST(DispatchQueue, WaitingEndsWithTheTimeLimit)
{
    std::atomic<bool> release{false};
    DispatchQueue queue("slow");
    queue.async([&] {
        while (!release) {
            std::this_thread::sleep_for(1ms);
        }
    });
    EXPECT_FALSE(queue.waitUntilIdle(20ms));
    EXPECT_EQ(queue.pending(), 1u);
    release = true;
    EXPECT_TRUE(queue.waitUntilIdle(10s));
}
