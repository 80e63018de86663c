#pragma once

#include <cstddef>
#include <string>
#include <sys/types.h>

// Reads a file with care (a targets file or job bundle the tool is handed, a
// job file kept so that its removal can be undone): a regular file only (a
// FIFO or device is refused without hanging), opened once, of bounded size,
// also when it grows while being read.
class SmallFile {
public:
    enum class Status { Read, CannotRead, TooLarge };

    struct Content {
        Status status = Status::CannotRead;
        std::string bytes;
        mode_t mode = 0; // permission bits of the file
    };

    static Content read(const std::string& path, std::size_t maximumSize);
};
