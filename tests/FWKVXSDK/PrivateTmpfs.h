#pragma once

#include <sched.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <functional>
#include <string>

// Runs a check in a child process with a private user and mount namespace in
// which `folder` is a fresh tmpfs mounted with `options` ("size=64k"): a full
// or read-only file system for root and other users alike, which nobody else
// sees and which goes with the child. Returns the check's text, or "skip:
// <why>" where user namespaces are not available.
class PrivateTmpfs {
public:
    static std::string run(const std::string& folder, const std::string& options,
                           const std::function<std::string()>& check)
    {
        int channel[2];
        if (::pipe(channel) != 0) {
            return "pipe failed";
        }
        if (::fork() == 0) {
            const std::string why = enter(folder, options);
            const std::string report = why.empty() ? check() : "skip: " + why;
            (void)!::write(channel[1], report.data(), report.size());
            ::_exit(0);
        }
        ::close(channel[1]);
        std::string report;
        char buffer[512];
        for (ssize_t n; (n = ::read(channel[0], buffer, sizeof buffer)) > 0;) {
            report.append(buffer, static_cast<std::size_t>(n));
        }
        ::close(channel[0]);
        ::wait(nullptr);
        return report;
    }

    // Inside a check: the tmpfs is read-only from now on.
    static bool makeReadOnly(const std::string& folder)
    {
        return ::mount(nullptr, folder.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) == 0;
    }

private:
    // Empty when the child is in its namespaces with the tmpfs mounted.
    static std::string enter(const std::string& folder, const std::string& options)
    {
        const std::string uid = std::to_string(::getuid());
        const std::string gid = std::to_string(::getgid());
        if (::unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0) {
            return std::string("unshare: ") + std::strerror(errno);
        }
        std::ofstream("/proc/self/setgroups") << "deny";
        std::ofstream("/proc/self/uid_map") << "0 " + uid + " 1";
        std::ofstream("/proc/self/gid_map") << "0 " + gid + " 1";
        // Nothing mounted here may reach the namespace the test came from.
        if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
            ::mount("tmpfs", folder.c_str(), "tmpfs", 0, options.c_str()) != 0) {
            return std::string("mount: ") + std::strerror(errno);
        }
        return "";
    }
};
