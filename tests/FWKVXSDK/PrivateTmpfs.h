#pragma once

#include <gtest/gtest.h>

#include <sched.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

extern char** environ;

// Checks on a file system of their own: a fresh tmpfs mounted on `folder` with
// `options` ("size=64k"), full or read-only for root and other users alike,
// which nobody else sees and which goes with the check.
//
// Mounting it needs a private user namespace, and the kernel lets only a
// single-threaded process enter one, which a sanitizer's runtime never is (it
// keeps a thread of its own, in a forked child too). So a test case that uses
// this runs twice: as ctest starts it (outside), it only runs itself again as
// a program of its own under util-linux's `unshare --user --map-root-user`,
// which enters the namespace before it executes the program; there (inside)
// the case does its checks, each with run().
class PrivateTmpfs {
public:
    static bool inside() { return std::getenv(kInside) != nullptr; }

    // Outside: runs the current test case again inside. Returns "passed",
    // "skip: <why>" where user namespaces are not available, or the output of
    // the run that failed.
    static std::string runCurrentCaseInside()
    {
        const auto [refused, why] = spawn({"unshare", "--user", "--map-root-user", "true"});
        if (refused != 0) {
            return "skip: " + why.substr(0, why.find_last_not_of('\n') + 1);
        }
        const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
        std::error_code error;
        const std::string program = std::filesystem::read_symlink("/proc/self/exe", error).string();
        const auto [status, output] =
            spawn({"unshare", "--user", "--map-root-user", "--", program,
                   std::string("--gtest_filter=") + test->test_suite_name() + "." + test->name()},
                  std::string(kInside) + "=1");
        const bool ran = output.find("[  PASSED  ] 1 test.") != std::string::npos;
        return status == 0 && ran ? "passed" : output;
    }

    // Inside: runs a check in a child process with a mount namespace of its
    // own in which `folder` is the fresh tmpfs. Returns the check's text, or
    // why the tmpfs could not be mounted.
    static std::string run(const std::string& folder, const std::string& options,
                           const std::function<std::string()>& check)
    {
        int channel[2];
        if (::pipe(channel) != 0) {
            return "pipe failed";
        }
        if (::fork() == 0) {
            const std::string why = mount(folder, options);
            const std::string report = why.empty() ? check() : why;
            (void)!::write(channel[1], report.data(), report.size());
            ::_exit(0);
        }
        ::close(channel[1]);
        std::string report = readAll(channel[0]);
        ::wait(nullptr);
        return report;
    }

    // Inside a check: the tmpfs is read-only from now on.
    static bool makeReadOnly(const std::string& folder)
    {
        return ::mount(nullptr, folder.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) == 0;
    }

private:
    static constexpr const char* kInside = "VANTIX_PRIVATE_TMPFS_INSIDE";

    // Empty when the child has its own mount namespace with the tmpfs mounted.
    // A thread's presence does not stop this unshare: only a new user
    // namespace needs a single thread.
    static std::string mount(const std::string& folder, const std::string& options)
    {
        if (::unshare(CLONE_NEWNS) != 0) {
            return std::string("unshare: ") + std::strerror(errno);
        }
        // Nothing mounted here may reach the namespace the test came from.
        if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
            ::mount("tmpfs", folder.c_str(), "tmpfs", 0, options.c_str()) != 0) {
            return std::string("mount: ") + std::strerror(errno);
        }
        return "";
    }

    // Runs a program found on PATH, with one more environment variable if
    // given; returns its exit status (-1 if it did not exit) and its output
    // and error output together.
    static std::pair<int, std::string> spawn(const std::vector<std::string>& arguments,
                                             const std::string& variable = "")
    {
        std::vector<char*> argv;
        for (const std::string& argument : arguments) {
            argv.push_back(const_cast<char*>(argument.c_str()));
        }
        argv.push_back(nullptr);
        std::vector<char*> envp;
        for (char** entry = environ; *entry != nullptr; ++entry) {
            envp.push_back(*entry);
        }
        if (!variable.empty()) {
            envp.push_back(const_cast<char*>(variable.c_str()));
        }
        envp.push_back(nullptr);
        int channel[2];
        if (::pipe(channel) != 0) {
            return {-1, "pipe failed"};
        }
        const pid_t child = ::fork();
        if (child < 0) {
            ::close(channel[0]);
            ::close(channel[1]);
            return {-1, "fork failed"};
        }
        if (child == 0) {
            ::dup2(channel[1], STDOUT_FILENO);
            ::dup2(channel[1], STDERR_FILENO);
            ::close(channel[0]);
            ::close(channel[1]);
            ::execvpe(argv[0], argv.data(), envp.data());
            ::_exit(127);
        }
        ::close(channel[1]);
        std::string output = readAll(channel[0]);
        int status = 0;
        ::waitpid(child, &status, 0);
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, output};
    }

    static std::string readAll(int descriptor)
    {
        std::string text;
        char buffer[4096];
        for (ssize_t n; (n = ::read(descriptor, buffer, sizeof buffer)) > 0;) {
            text.append(buffer, static_cast<std::size_t>(n));
        }
        ::close(descriptor);
        return text;
    }
};
