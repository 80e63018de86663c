#include "CliProcess.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <sstream>

std::vector<std::string> CliResult::outLines() const
{
    std::vector<std::string> lines;
    std::istringstream stream(out);
    for (std::string line; std::getline(stream, line);) {
        lines.push_back(line);
    }
    return lines;
}

std::vector<nlohmann::json> CliResult::outJson() const
{
    std::vector<nlohmann::json> values;
    for (const auto& line : outLines()) {
        values.push_back(nlohmann::json::parse(line, nullptr, false));
    }
    return values;
}

namespace {
CliResult run(const std::vector<std::string>& arguments, const std::string& input,
              const std::map<std::string, std::string>& env, std::chrono::seconds limit, const CliWatch& watch)
{
    CliResult result;
    int in[2], out[2], err[2];
    if (::pipe2(in, O_CLOEXEC) != 0 || ::pipe2(out, O_CLOEXEC) != 0 || ::pipe2(err, O_CLOEXEC) != 0) {
        return result;
    }
    std::vector<std::string> argv{VANTIX_CLI_PATH};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    std::vector<char*> pointers;
    for (auto& argument : argv) {
        pointers.push_back(argument.data());
    }
    pointers.push_back(nullptr);

    // The child's environment is made here: between fork and exec only
    // async-signal-safe calls are made.
    // Saved scanners and preset jobs come from beside the test's job folder
    // unless the test names others: never the user's own, nor this machine's.
    std::map<std::string, std::string> given = env;
    if (const char* data = std::getenv("XDG_DATA_HOME"); data != nullptr && data[0] == '/') {
        given.emplace("XDG_CONFIG_HOME", std::string(data) + "/config");
        given.emplace("XDG_CONFIG_DIRS", std::string(data) + "/config-system");
    }
    std::vector<std::string> environment;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        const std::string variable(*entry);
        const std::string name = variable.substr(0, variable.find('='));
        if (name != "LANG" && name != "LANGUAGE" && name != "LC_ALL" && name != "LC_MESSAGES" &&
            given.count(name) == 0) {
            environment.push_back(variable);
        }
    }
    for (const auto& [name, value] : given) {
        environment.push_back(name + "=" + value);
    }
    std::vector<char*> envp;
    for (auto& variable : environment) {
        envp.push_back(variable.data());
    }
    envp.push_back(nullptr);

    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(in[0], 0);
        ::dup2(out[1], 1);
        ::dup2(err[1], 2);
        ::execve(pointers[0], pointers.data(), envp.data());
        ::_exit(127);
    }
    ::close(in[0]);
    ::close(out[1]);
    ::close(err[1]);
    // The inputs of these tests are small: written at once, then closed.
    ::signal(SIGPIPE, SIG_IGN);
    if (!input.empty()) {
        [[maybe_unused]] const ssize_t written = ::write(in[1], input.data(), input.size());
    }
    ::close(in[1]);

    const auto deadline = std::chrono::steady_clock::now() + limit;
    pollfd fds[2] = {{out[0], POLLIN, 0}, {err[0], POLLIN, 0}};
    std::string* sinks[2] = {&result.out, &result.err};
    int open = 2;
    while (open > 0 && std::chrono::steady_clock::now() < deadline) {
        if (::poll(fds, 2, 100) < 0 && errno != EINTR) {
            break;
        }
        for (int i = 0; i < 2; ++i) {
            if (fds[i].fd >= 0 && (fds[i].revents & (POLLIN | POLLHUP | POLLERR)) != 0) {
                char buffer[4096];
                const ssize_t got = ::read(fds[i].fd, buffer, sizeof buffer);
                if (got > 0) {
                    sinks[i]->append(buffer, static_cast<std::size_t>(got));
                } else {
                    ::close(fds[i].fd);
                    fds[i].fd = -1;
                    --open;
                }
            }
        }
        if (watch && open > 0) {
            watch(result, pid);
        }
    }
    if (open > 0) {
        ::kill(pid, SIGKILL);
        for (auto& fd : fds) {
            if (fd.fd >= 0) {
                ::close(fd.fd);
            }
        }
    }
    int raw = 0;
    ::waitpid(pid, &raw, 0);
    result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    result.signal = WIFSIGNALED(raw) ? WTERMSIG(raw) : 0;
    return result;
}
} // namespace

CliResult runVantix(const std::vector<std::string>& arguments, const std::string& input,
                    const std::map<std::string, std::string>& env, std::chrono::seconds limit)
{
    return run(arguments, input, env, limit, nullptr);
}

CliResult runVantixWatched(const std::vector<std::string>& arguments, const std::string& input,
                           const CliWatch& watch, std::chrono::seconds limit)
{
    return run(arguments, input, {}, limit, watch);
}
