#include "RotatingLogFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

RotatingLogFile::RotatingLogFile(std::string path, std::size_t limit) : mPath(std::move(path)), mLimit(limit) {}

RotatingLogFile::~RotatingLogFile()
{
    if (mFd >= 0) {
        ::close(mFd);
    }
}

int RotatingLogFile::open()
{
    std::lock_guard<std::mutex> guard(mLock);
    return openLocked();
}

int RotatingLogFile::openLocked()
{
    if (mFd >= 0) {
        ::close(mFd);
    }
    mFd = ::open(mPath.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (mFd < 0) {
        return errno;
    }
    // A file left by an older version, or made by hand, is the owner's alone too.
    return ::fchmod(mFd, 0600) == 0 ? 0 : errno;
}

int RotatingLogFile::rotateLocked()
{
    if (::rename(mPath.c_str(), (mPath + ".1").c_str()) != 0) {
        return errno;
    }
    return openLocked();
}

int RotatingLogFile::append(const std::string& line)
{
    const std::string text = line + '\n';
    std::lock_guard<std::mutex> guard(mLock);
    if (mFd < 0) {
        return EBADF;
    }
    // The size on disk, not a count of our own: another instance of the
    // program may write to the same file.
    struct stat info {};
    if (::fstat(mFd, &info) != 0) {
        return errno;
    }
    if (info.st_size > 0 && static_cast<std::size_t>(info.st_size) + text.size() > mLimit) {
        if (const int error = rotateLocked()) {
            return error;
        }
    }
    // One write per line (O_APPEND), so lines of other writers never cut into it.
    const ssize_t written = ::write(mFd, text.data(), text.size());
    if (written < 0) {
        return errno;
    }
    return static_cast<std::size_t>(written) == text.size() ? 0 : EIO;
}
