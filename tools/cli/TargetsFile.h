#pragma once

#include <cstddef>
#include <string>
#include <vector>

// The scanners of a bulk registration: one per line, the IPv4 address, white
// space, then the job password (the rest of the line, kept as written). Blank
// lines and lines starting with "#" are skipped; a scanner may be listed only
// once. The file holds passwords, so it is read with care: a regular file of
// bounded size, opened once.
class TargetsFile {
public:
    struct Target {
        std::string address;
        std::string password;
        std::size_t line = 0;
    };

    static constexpr std::size_t kMaximumSize = 1024 * 1024;

    // The targets of the file. Throws UsageError when it cannot be read, is not a
    // regular file, is too large, lists nothing, or has a malformed or repeated
    // line (named by its number). readableByOthers tells whether group or others
    // may read it.
    static std::vector<Target> read(const std::string& path, bool& readableByOthers);
    // The targets of the file's content; throws UsageError naming a malformed line
    // or the line that lists a scanner again.
    static std::vector<Target> parse(const std::string& content);
};
