#include "DiscoveryTestSupport.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

std::set<int> ProcessThreads()
{
    std::set<int> threads;
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/task")) {
        threads.insert(std::stoi(entry.path().filename().string()));
    }
    return threads;
}

size_t ThreadBaseline()
{
    // A joined thread may still be listed for a moment: the kernel wakes the
    // joiner before it removes the thread. Count only once it has gone.
    int tid = 0;
    std::thread([&tid] { tid = gettid(); }).join();
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    while (ProcessThreads().count(tid) != 0 && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return ProcessThreads().size();
}

bool WaitForThreadCount(size_t count, std::chrono::milliseconds timeout)
{
    auto deadline = std::chrono::steady_clock::now() + timeout;
    while (ProcessThreads().size() != count) {
        if (std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}

std::optional<long long> ThreadCpuNanoseconds(int tid)
{
    // schedstat: nanoseconds on the CPU first; stat: user and system ticks.
    std::ifstream schedstat("/proc/self/task/" + std::to_string(tid) + "/schedstat");
    long long onCpu = 0;
    if (schedstat >> onCpu) {
        return onCpu;
    }
    std::ifstream stat("/proc/self/task/" + std::to_string(tid) + "/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    size_t close = text.rfind(')');
    if (close == std::string::npos) {
        return std::nullopt;
    }
    std::istringstream fields(text.substr(close + 2));
    std::string field;
    long long user = 0;
    long long system = 0;
    for (int i = 3; i <= 15 && fields >> field; ++i) {
        if (i == 14) {
            user = std::stoll(field);
        } else if (i == 15) {
            system = std::stoll(field);
        }
    }
    return (user + system) * (1000000000LL / sysconf(_SC_CLK_TCK));
}

TestMainLoop::TestMainLoop()
{
    MainThreadDispatcher::SetHook([this](Task task) {
        std::lock_guard<std::mutex> guard(mLock);
        mTasks.push_back(std::move(task));
        mArrived.notify_all();
    });
}

TestMainLoop::~TestMainLoop()
{
    MainThreadDispatcher::SetHook({});
    std::deque<Task> left;
    {
        std::lock_guard<std::mutex> guard(mLock);
        left.swap(mTasks);
    }
    left.clear(); // may drop the last reference to a manager: outside the lock
}

std::optional<TestMainLoop::Task> TestMainLoop::TakeTask(std::chrono::milliseconds timeout)
{
    std::unique_lock<std::mutex> lock(mLock);
    if (!mArrived.wait_for(lock, timeout, [this] { return !mTasks.empty(); })) {
        return std::nullopt;
    }
    Task task = std::move(mTasks.front());
    mTasks.pop_front();
    return task;
}

bool TestMainLoop::RunUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout)
{
    auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!done()) {
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            return false;
        }
        if (std::optional<Task> task = TakeTask(std::min(left, std::chrono::milliseconds(50)))) {
            (*task)();
        }
    }
    return true;
}

void TestMainLoop::RunFor(std::chrono::milliseconds duration)
{
    RunUntil([] { return false; }, duration);
}

DiscoveryManager::Completion CompletionLog::Make(int tag)
{
    return [this, tag](bool result, std::vector<std::shared_ptr<ScannerData>> scanners) {
        std::lock_guard<std::mutex> guard(mLock);
        mCalls.push_back(
            {tag, result, std::move(scanners), std::this_thread::get_id(), std::chrono::steady_clock::now()});
    };
}

std::vector<CompletionLog::Call> CompletionLog::Calls() const
{
    std::lock_guard<std::mutex> guard(mLock);
    return mCalls;
}

size_t CompletionLog::Count() const
{
    std::lock_guard<std::mutex> guard(mLock);
    return mCalls.size();
}

OpenedManager OpenManagerWithWorker()
{
    OpenedManager opened;
    std::set<int> before = ProcessThreads();
    opened.manager = std::make_shared<DiscoveryManager>();
    if (!opened.manager->OpenManager()) {
        return opened;
    }
    for (int tid : ProcessThreads()) {
        if (before.count(tid) == 0) {
            opened.workerTid = tid;
        }
    }
    return opened;
}
