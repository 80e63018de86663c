#include "ResponderProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <thread>
#include <utility>

namespace {
using Clock = std::chrono::steady_clock;

// Reaps the child within the time given; true when it has ended.
bool reap(pid_t pid, std::chrono::milliseconds limit)
{
    const auto deadline = Clock::now() + limit;
    while (waitpid(pid, nullptr, WNOHANG) == 0) {
        if (Clock::now() >= deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return true;
}
} // namespace

ResponderProcess ResponderProcess::Zeroconf(const std::vector<std::string>& services)
{
    std::vector<std::string> arguments = {VANTIX_RESPONDERS_DIR "/zeroconf-responder.py"};
    arguments.insert(arguments.end(), services.begin(), services.end());
    return ResponderProcess(std::move(arguments));
}

ResponderProcess ResponderProcess::Avahi(const std::string& device, const std::string& model,
                                         const std::string& serial)
{
    return ResponderProcess({VANTIX_RESPONDERS_DIR "/avahi-responder.sh", device, model, serial});
}

ResponderProcess::ResponderProcess(std::vector<std::string> arguments)
{
    int input[2];
    int output[2];
    if (pipe2(input, O_CLOEXEC) != 0) {
        mFailure = "pipe failed";
        return;
    }
    if (pipe2(output, O_CLOEXEC) != 0) {
        close(input[0]);
        close(input[1]);
        mFailure = "pipe failed";
        return;
    }
    std::vector<char*> argv;
    for (auto& argument : arguments) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);
    mPid = fork();
    if (mPid == 0) {
        // Its error output goes to the test's, where a failing test shows it.
        if (dup2(input[0], 0) < 0 || dup2(output[1], 1) < 0) {
            _exit(127);
        }
        execv(argv[0], argv.data());
        _exit(127);
    }
    close(input[0]);
    close(output[1]);
    mInput = input[1];
    mOutput = output[0];
    if (mPid < 0) {
        mFailure = "fork failed";
        return;
    }
    mReady = WaitForLine("ready", std::chrono::seconds(20));
    if (!mReady) {
        mFailure = arguments[0] + " did not report ready; it printed: " + mTranscript;
    }
}

ResponderProcess::ResponderProcess(ResponderProcess&& other) noexcept
    : mPid(std::exchange(other.mPid, -1)),
      mInput(std::exchange(other.mInput, -1)),
      mOutput(std::exchange(other.mOutput, -1)),
      mReceived(std::move(other.mReceived)),
      mTranscript(std::move(other.mTranscript)),
      mReady(other.mReady),
      mFailure(std::move(other.mFailure))
{
}

ResponderProcess::~ResponderProcess()
{
    if (mInput >= 0) {
        close(mInput);
    }
    if (mPid > 0 && !reap(mPid, std::chrono::seconds(5))) {
        kill(mPid, SIGTERM);
        if (!reap(mPid, std::chrono::seconds(5))) {
            kill(mPid, SIGKILL);
            reap(mPid, std::chrono::seconds(5));
        }
    }
    if (mOutput >= 0) {
        close(mOutput);
    }
}

bool ResponderProcess::Command(const std::string& line, const std::string& reply, std::chrono::milliseconds limit)
{
    const std::string text = line + "\n";
    return mInput >= 0 && write(mInput, text.data(), text.size()) == static_cast<ssize_t>(text.size()) &&
           WaitForLine(reply, limit);
}

bool ResponderProcess::WaitForLine(const std::string& line, std::chrono::milliseconds limit)
{
    const auto deadline = Clock::now() + limit;
    for (;;) {
        size_t end = mReceived.find('\n');
        while (end != std::string::npos) {
            const bool found = mReceived.compare(0, end, line) == 0 && end == line.size();
            mReceived.erase(0, end + 1);
            if (found) {
                return true;
            }
            end = mReceived.find('\n');
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        pollfd readable{mOutput, POLLIN, 0};
        if (mOutput < 0 || left <= 0 || poll(&readable, 1, static_cast<int>(left)) <= 0) {
            return false;
        }
        char buffer[512];
        const ssize_t got = read(mOutput, buffer, sizeof buffer);
        if (got <= 0) {
            return false;
        }
        mReceived.append(buffer, static_cast<size_t>(got));
        mTranscript.append(buffer, static_cast<size_t>(got));
    }
}
