#pragma once

#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <functional>
#include <string>

// Runs a check in a child process that has a private user and mount namespace
// in which `folder` is a fresh tmpfs mounted with `options` ("size=64k"): a
// full or read-only file system for root and other users alike, which nobody
// else sees and which goes with the child. The check's text comes back.
// Without user namespaces it reports "skip: <why>" instead.
class PrivateTmpfs {
public:
    using Check = std::function<std::string()>;

    static std::string run(const std::string& folder, const std::string& options, const Check& check)
    {
        int channel[2];
        if (::pipe(channel) != 0) {
            return "pipe failed";
        }
        const pid_t child = ::fork();
        if (child == 0) {
            ::close(channel[0]);
            const std::string report = enter(folder, options) ? check() : "skip: " + mFailure;
            (void)!::write(channel[1], report.data(), report.size());
            ::_exit(0);
        }
        ::close(channel[1]);
        std::string report;
        char buffer[512];
        for (ssize_t n; (n = ::read(channel[0], buffer, sizeof buffer)) != 0;) {
            if (n > 0) {
                report.append(buffer, static_cast<std::size_t>(n));
            } else if (errno != EINTR) {
                break;
            }
        }
        ::close(channel[0]);
        int status = 0;
        ::waitpid(child, &status, 0);
        return report;
    }

    // Inside a check: makes the tmpfs read-only from now on.
    static bool makeReadOnly(const std::string& folder)
    {
        return ::mount(nullptr, folder.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) == 0;
    }

private:
    static bool writeFile(const char* path, const std::string& text)
    {
        std::ofstream file(path);
        return static_cast<bool>(file << text << std::flush);
    }

    static bool enter(const std::string& folder, const std::string& options)
    {
        const uid_t uid = ::getuid();
        const gid_t gid = ::getgid();
        if (::unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0) {
            mFailure = std::string("unshare: ") + std::strerror(errno);
            return false;
        }
        if (!writeFile("/proc/self/setgroups", "deny") ||
            !writeFile("/proc/self/uid_map", "0 " + std::to_string(uid) + " 1") ||
            !writeFile("/proc/self/gid_map", "0 " + std::to_string(gid) + " 1")) {
            mFailure = "the user namespace's id maps cannot be written";
            return false;
        }
        // Nothing mounted here may reach the namespace the test came from.
        if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
            ::mount("tmpfs", folder.c_str(), "tmpfs", 0, options.c_str()) != 0) {
            mFailure = std::string("mount: ") + std::strerror(errno);
            return false;
        }
        return true;
    }

    static inline std::string mFailure;
};
