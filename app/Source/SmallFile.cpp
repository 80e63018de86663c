#include "SmallFile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
class Descriptor {
public:
    explicit Descriptor(int fd) : mFd(fd) {}
    ~Descriptor()
    {
        if (mFd >= 0) {
            ::close(mFd);
        }
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return mFd; }

private:
    int mFd;
};
} // namespace

SmallFile::Content SmallFile::read(const std::string& path, std::size_t maximumSize)
{
    Content content;
    // Non-blocking open, so that a FIFO cannot hang the tool before it is refused.
    const Descriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    struct stat info {};
    if (file.get() < 0 || ::fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode)) {
        return content;
    }
    content.mode = info.st_mode & 07777;
    if (static_cast<std::size_t>(info.st_size) > maximumSize) {
        content.status = Status::TooLarge;
        return content;
    }
    char buffer[8192];
    for (;;) {
        const ssize_t got = ::read(file.get(), buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            content.bytes.clear();
            return content;
        }
        if (got == 0) {
            break;
        }
        content.bytes.append(buffer, static_cast<std::size_t>(got));
        if (content.bytes.size() > maximumSize) {
            content.bytes.clear();
            content.status = Status::TooLarge; // grew while being read
            return content;
        }
    }
    content.status = Status::Read;
    return content;
}
