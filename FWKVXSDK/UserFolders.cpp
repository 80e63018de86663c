#include "FWKVXSDK/UserFolders.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace {

constexpr const char* kFolderName = "fernwick-vantix";

std::string homeFolder()
{
    if (const char* home = std::getenv("HOME"); home != nullptr && home[0] == '/') {
        return home;
    }
    const long size = ::sysconf(_SC_GETPW_R_SIZE_MAX);
    std::string buffer(size > 0 ? static_cast<size_t>(size) : 16384, '\0');
    struct passwd entry {};
    struct passwd* found = nullptr;
    if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found != nullptr &&
        found->pw_dir != nullptr) {
        return found->pw_dir;
    }
    return std::string();
}

} // namespace

std::string UserFolders::path(const char* variable, const char* fallbackUnderHome)
{
    const char* configured = std::getenv(variable);
    std::string base = configured != nullptr && configured[0] == '/'
                           ? std::string(configured)
                           : homeFolder() + "/" + fallbackUnderHome;
    while (base.size() > 1 && base.back() == '/') {
        base.pop_back();
    }
    return base + (base.back() == '/' ? "" : "/") + kFolderName;
}

int UserFolders::ensurePrivate(const std::string& folder)
{
    for (size_t next = folder.find('/', 1);; next = folder.find('/', next + 1)) {
        const std::string part = folder.substr(0, next);
        if (!part.empty() && part.back() != '/' && ::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) {
            return errno;
        }
        if (next == std::string::npos) {
            break;
        }
    }
    struct stat info {};
    if (::stat(folder.c_str(), &info) != 0) {
        return errno;
    }
    return S_ISDIR(info.st_mode) ? 0 : ENOTDIR;
}
