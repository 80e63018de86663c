#include "FWKVXSDK/AtomicFile.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
// 0 when all was written, else the reason.
int writeAll(int fd, std::string_view data)
{
    while (!data.empty()) {
        const ssize_t written = ::write(fd, data.data(), data.size());
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written < 0) {
            return errno;
        }
        if (written == 0) {
            return EIO;
        }
        data.remove_prefix(static_cast<std::size_t>(written));
    }
    return 0;
}
} // namespace

bool AtomicFile::write(const std::string& path, std::string_view bytes, mode_t mode, std::error_code* failure)
{
    const auto failed = [failure](int error) {
        if (failure != nullptr) {
            *failure = std::error_code(error, std::generic_category());
        }
        return false;
    };
    const auto slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash == 0 ? 1 : slash);
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    // Hidden, with a random last extension: no job listing takes it for a job file.
    std::string temporary = folder + "/." + name + ".XXXXXX";
    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0) {
        return failed(errno);
    }
    // The first step that fails gives the reason.
    int error = ::fchmod(fd, mode) == 0 ? 0 : errno;
    error = error != 0 ? error : writeAll(fd, bytes);
    error = error != 0 || ::fsync(fd) == 0 ? error : errno;
    error = ::close(fd) == 0 || error != 0 ? error : errno;
    error = error != 0 || ::rename(temporary.c_str(), path.c_str()) == 0 ? error : errno;
    if (error != 0) {
        ::unlink(temporary.c_str());
        return failed(error);
    }
    const int folderFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folderFd >= 0) {
        ::fsync(folderFd);
        ::close(folderFd);
    }
    return true;
}
