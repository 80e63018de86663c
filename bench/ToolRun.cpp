#include "ToolRun.h"

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>

ToolRun ToolRun::run(const std::string& tool, const std::vector<std::string>& arguments, const std::string& input)
{
    int in[2];
    if (::pipe(in) != 0) {
        return {};
    }
    std::vector<std::string> argv{tool};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    std::vector<char*> pointers;
    for (auto& argument : argv) {
        pointers.push_back(argument.data());
    }
    pointers.push_back(nullptr);
    std::fflush(stdout); // the child must not inherit unwritten output
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(in[0], 0);
        ::close(in[0]);
        ::close(in[1]);
        if (std::freopen("/dev/null", "w", stdout) == nullptr) {
            ::_exit(127);
        }
        ::execv(pointers[0], pointers.data());
        ::_exit(127);
    }
    ::close(in[0]);
    [[maybe_unused]] const ssize_t written = ::write(in[1], input.data(), input.size());
    ::close(in[1]);
    ToolRun measure;
    int raw = 0;
    rusage usage{};
    ::wait4(pid, &raw, 0, &usage);
    measure.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    measure.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    measure.maxRssKiB = usage.ru_maxrss;
    return measure;
}
