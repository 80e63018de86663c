#pragma once

#include <cstddef>
#include <string>
#include <sys/types.h>

// Reads a file the tool is handed (a targets file, a job bundle) with care:
// a regular file only (a FIFO or device is refused without hanging), opened
// once, of bounded size, also when it grows while being read.
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
