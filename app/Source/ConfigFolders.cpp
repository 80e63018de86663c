#include "ConfigFolders.h"

#include <cstdlib>
#include <sstream>
#include <sys/stat.h>
#include <vector>

#include "FWKVXSDK/UserFolders.h"

namespace {
constexpr const char* kFolderName = "fernwick-vantix";

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
    return UserFolders::path("XDG_CONFIG_HOME", ".config");
}

bool ConfigFolders::ensureUserFolder()
{
    return UserFolders::ensurePrivate(userFolder()) == 0;
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
