// Start-up of the desktop application under a private virtual display (Xvfb):
// the time from starting the program to its first painted frame, and its
// resident memory then and a second later. Median of several runs.
//   build/normal/bench/app_startup_bench [--runs N] [--jobs K]
// With --jobs K the job folder holds K jobs (1..K), else it is empty.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "BenchJobFolder.h"

namespace {
long long monotonicNs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

long statusKiB(pid_t pid, const char* field)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(field, 0) == 0) {
            return std::strtol(line.c_str() + std::strlen(field), nullptr, 10);
        }
    }
    return -1;
}

pid_t spawn(const std::vector<std::string>& command, const std::vector<std::string>& environment, int* stderrPipe)
{
    int fds[2] = {-1, -1};
    if (stderrPipe && ::pipe(fds) != 0) {
        return -1;
    }
    const pid_t pid = ::fork();
    if (pid == 0) {
        for (const auto& entry : environment) {
            ::putenv(const_cast<char*>(entry.c_str()));
        }
        if (stderrPipe) {
            ::dup2(fds[1], 2);
            ::close(fds[0]);
            ::close(fds[1]);
        }
        std::vector<char*> argv;
        for (const auto& part : command) {
            argv.push_back(const_cast<char*>(part.c_str()));
        }
        argv.push_back(nullptr);
        ::execvp(argv[0], argv.data());
        ::_exit(127);
    }
    if (stderrPipe) {
        ::close(fds[1]);
        *stderrPipe = fds[0];
    }
    return pid;
}

// Reads the child's standard error until the report line; -1 when it never comes.
long long readReport(int fd, long* rssKiB)
{
    std::string buffer;
    char chunk[512];
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (std::chrono::steady_clock::now() < deadline) {
        const ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n <= 0) {
            break;
        }
        buffer.append(chunk, static_cast<std::size_t>(n));
        const auto at = buffer.find("first-frame-ns ");
        if (at != std::string::npos && buffer.find('\n', at) != std::string::npos) {
            long long ns = 0;
            std::sscanf(buffer.c_str() + at, "first-frame-ns %lld rss-kib %ld", &ns, rssKiB);
            return ns;
        }
    }
    return -1;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}
} // namespace

int main(int argc, char** argv)
{
    int runs = 7;
    int jobs = 0;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--runs") == 0) {
            runs = std::atoi(argv[i + 1]);
        } else if (std::strcmp(argv[i], "--jobs") == 0) {
            jobs = std::atoi(argv[i + 1]);
        }
    }
    const auto data = std::filesystem::temp_directory_path() / ("vantix-startup-" + std::to_string(::getpid()));
    std::filesystem::create_directories(data / "fernwick-vantix");
    ::setenv("XDG_DATA_HOME", data.c_str(), 1);
    useScratchConfig(data.string());
    saveNumberedJobs(jobs);

    const std::string display = ":" + std::to_string(200 + ::getpid() % 500);
    const pid_t xvfb = spawn({"Xvfb", display, "-screen", "0", "1280x800x24", "-nolisten", "tcp"}, {}, nullptr);
    for (int i = 0; i < 100 && !std::filesystem::exists("/tmp/.X11-unix/X" + display.substr(1)); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }

    std::vector<double> milliseconds;
    long worstRss = 0;
    long worstPeak = 0;
    for (int run = 0; run < runs; ++run) {
        int err = -1;
        const long long start = monotonicNs();
        const pid_t app = spawn({VANTIX_APP_PATH},
                                {"DISPLAY=" + display, "QT_QPA_PLATFORM=xcb", "VANTIX_REPORT_FIRST_FRAME=1"}, &err);
        long rss = -1;
        const long long frame = readReport(err, &rss);
        if (frame > 0) {
            milliseconds.push_back((frame - start) / 1e6);
        }
        std::this_thread::sleep_for(std::chrono::seconds(1));
        worstRss = std::max({worstRss, rss, statusKiB(app, "VmRSS:")});
        worstPeak = std::max(worstPeak, statusKiB(app, "VmHWM:"));
        ::kill(app, SIGTERM);
        ::waitpid(app, nullptr, 0);
        ::close(err);
    }
    ::kill(xvfb, SIGTERM);
    ::waitpid(xvfb, nullptr, 0);
    std::filesystem::remove_all(data);

    if (milliseconds.empty()) {
        std::printf("the application showed no frame\n");
        return 1;
    }
    std::printf("jobs %d, runs %zu: first frame median %.0f ms (min %.0f, max %.0f); resident %.1f MiB, peak %.1f MiB\n",
                jobs, milliseconds.size(), median(milliseconds),
                *std::min_element(milliseconds.begin(), milliseconds.end()),
                *std::max_element(milliseconds.begin(), milliseconds.end()), worstRss / 1024.0, worstPeak / 1024.0);
    return 0;
}
