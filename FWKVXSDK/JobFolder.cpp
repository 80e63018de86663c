#include "FWKVXSDK/JobFolder.h"

#include <sys/stat.h>

#include <cerrno>

#include "FWKVXSDK/SettingData.h"

namespace {

bool isDirectory(const std::string& path)
{
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

} // namespace

bool JobFolder::ensureExists()
{
    const std::string folder = SettingData::userAppRootFolderPath();
    if (folder.empty() || folder.front() != '/') {
        return false;
    }
    // Create each component in turn; one made meanwhile by someone else is fine.
    for (size_t next = folder.find('/', 1);; next = folder.find('/', next + 1)) {
        std::string part = folder.substr(0, next);
        if (!part.empty() && part.back() != '/' && ::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) {
            return false;
        }
        if (next == std::string::npos) {
            break;
        }
    }
    return isDirectory(folder);
}
