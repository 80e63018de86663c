#pragma once

#include <cstddef>
#include <mutex>
#include <string>

// A log file kept under a size limit: a line that would take it over the limit
// first turns the file into "<path>.1" (replacing an older one) and a new file
// begins. Files are created readable by their owner only. Lines from several
// threads are written whole, one after another.
class RotatingLogFile {
public:
    RotatingLogFile(std::string path, std::size_t limit);
    ~RotatingLogFile();
    RotatingLogFile(const RotatingLogFile&) = delete;
    RotatingLogFile& operator=(const RotatingLogFile&) = delete;

    // Opens (or creates) the file; 0, or the error number.
    int open();
    // Appends the line and a line feed; 0, or the error number.
    int append(const std::string& line);

private:
    int openLocked();
    int rotateLocked();

    const std::string mPath;
    const std::size_t mLimit;
    std::mutex mLock;
    int mFd = -1;
};
