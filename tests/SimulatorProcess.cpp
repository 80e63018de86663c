#include "SimulatorProcess.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

namespace {
std::string readFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// Reaps the child within the time given; true when it has ended.
bool waitForExit(pid_t pid, std::chrono::milliseconds limit, int& status)
{
    auto deadline = std::chrono::steady_clock::now() + limit;
    for (;;) {
        int raw = 0;
        pid_t done = waitpid(pid, &raw, WNOHANG);
        if (done == pid) {
            status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
            return true;
        }
        if (done < 0 || std::chrono::steady_clock::now() >= deadline) {
            return done < 0;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}
} // namespace

std::string SimulatorProcess::ExecutablePath()
{
    return VANTIX_SCANNER_SIM_PATH;
}

SimulatorProcess::SimulatorProcess(std::vector<std::string> arguments, std::chrono::milliseconds readyTimeout)
{
    std::string pattern = (std::filesystem::temp_directory_path() / "vantix-sim-XXXXXX").string();
    if (!mkdtemp(pattern.data())) {
        mStartError = "cannot create a temporary folder";
        return;
    }
    mFolder = pattern;
    arguments.insert(arguments.begin(), {ExecutablePath(), "--log", logPath()});
    std::vector<char*> argv;
    for (auto& argument : arguments) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);
    std::string out = mFolder + "/stdout.txt";
    std::string err = mFolder + "/stderr.txt";

    mPid = fork();
    if (mPid < 0) {
        mStartError = "fork failed";
        return;
    }
    if (mPid == 0) {
        int outFd = open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        int errFd = open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (outFd < 0 || errFd < 0 || dup2(outFd, 1) < 0 || dup2(errFd, 2) < 0) {
            _exit(127);
        }
        execv(argv[0], argv.data());
        _exit(127);
    }

    auto deadline = std::chrono::steady_clock::now() + readyTimeout;
    while (std::chrono::steady_clock::now() < deadline) {
        if (standardOutput().find("ready\n") != std::string::npos) {
            mReady = true;
            return;
        }
        int status = 0;
        if (waitpid(mPid, &status, WNOHANG) == mPid) {
            mPid = -1;
            mExitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
            mStartError = "the simulator ended with status " + std::to_string(mExitStatus);
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    mStartError = "the simulator did not become ready in time";
}

SimulatorProcess::~SimulatorProcess()
{
    Stop();
    if (!mFolder.empty()) {
        std::error_code ignored;
        std::filesystem::remove_all(mFolder, ignored);
    }
}

int SimulatorProcess::Stop()
{
    if (mPid > 0) {
        kill(mPid, SIGTERM);
        int status = -1;
        if (!waitForExit(mPid, std::chrono::seconds(5), status)) {
            kill(mPid, SIGKILL);
            waitForExit(mPid, std::chrono::seconds(5), status);
            status = -1;
        }
        mExitStatus = status;
        mPid = -1;
    }
    return mExitStatus;
}

int SimulatorProcess::WaitForExit(std::chrono::milliseconds limit)
{
    if (mPid > 0) {
        int status = -1;
        if (!waitForExit(mPid, limit, status)) {
            return -1;
        }
        mExitStatus = status;
        mPid = -1;
    }
    return mExitStatus;
}

std::string SimulatorProcess::failure() const
{
    return mStartError + (mFolder.empty() ? std::string() : ": " + standardError());
}

std::vector<nlohmann::json> SimulatorProcess::Requests() const
{
    return RequestsSince(0);
}

std::vector<nlohmann::json> SimulatorProcess::RequestsSince(size_t skip) const
{
    std::vector<nlohmann::json> requests;
    std::istringstream lines(readFile(logPath()));
    std::string line;
    size_t index = 0;
    while (std::getline(lines, line)) {
        if (lines.eof()) {
            break; // a line still being written
        }
        if (index++ < skip) {
            continue;
        }
        requests.push_back(nlohmann::json::parse(line, nullptr, false));
    }
    return requests;
}

std::string SimulatorProcess::WriteFile(const std::string& name, const std::string& content) const
{
    std::string path = mFolder + "/" + name;
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << content;
    return path;
}

std::string SimulatorProcess::standardOutput() const
{
    return mFolder.empty() ? std::string() : readFile(mFolder + "/stdout.txt");
}

std::string SimulatorProcess::standardError() const
{
    return mFolder.empty() ? std::string() : readFile(mFolder + "/stderr.txt");
}
