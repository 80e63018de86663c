#include "ConfigFolders.h"

#include <cerrno>
#include <cstdlib>
#include <pwd.h>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {
constexpr const char* kFolderName = "fernwick-vantix";

std::string homeFolder()
{
    if (const char* home = std::getenv("HOME"); home != nullptr && home[0] == '/') {
        return home;
    }
    const long size = ::sysconf(_SC_GETPW_R_SIZE_MAX);
    std::string buffer(size > 0 ? static_cast<std::size_t>(size) : 16384, '\0');
    struct passwd entry {};
    struct passwd* found = nullptr;
    if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found != nullptr &&
        found->pw_dir != nullptr) {
        return found->pw_dir;
    }
    return "/";
}

std::string underFolder(std::string folder, const std::string& name)
{
    while (folder.size() > 1 && folder.back() == '/') {
        folder.pop_back();
    }
    return folder + (folder.back() == '/' ? "" : "/") + name;
}
} // namespace

std::string ConfigFolders::userFolder()
{
    const char* configured = std::getenv("XDG_CONFIG_HOME");
    const std::string base = configured != nullptr && configured[0] == '/' ? configured : homeFolder() + "/.config";
    return underFolder(base, kFolderName);
}

bool ConfigFolders::ensureUserFolder()
{
    const std::string folder = userFolder();
    // Each missing component in turn; one made meanwhile by someone else is fine.
    for (std::size_t next = folder.find('/', 1);; next = folder.find('/', next + 1)) {
        const std::string part = folder.substr(0, next);
        if (part.back() != '/' && ::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) {
            return false;
        }
        if (next == std::string::npos) {
            break;
        }
    }
    struct stat info {};
    return ::stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::optional<std::string> ConfigFolders::systemFile(const std::string& name)
{
    const char* configured = std::getenv("XDG_CONFIG_DIRS");
    std::istringstream list(configured != nullptr ? configured : "");
    std::vector<std::string> folders;
    for (std::string folder; std::getline(list, folder, ':');) {
        if (!folder.empty() && folder.front() == '/') {
            folders.push_back(folder);
        }
    }
    if (folders.empty()) {
        folders.emplace_back("/etc/xdg");
    }
    for (const auto& folder : folders) {
        const std::string path = underFolder(underFolder(folder, kFolderName), name);
        struct stat info {};
        if (::stat(path.c_str(), &info) == 0) {
            return path;
        }
    }
    return std::nullopt;
}
