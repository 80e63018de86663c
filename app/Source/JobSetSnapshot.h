#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

// The job files as they are, byte for byte, kept in memory so that a change of
// the whole job set (an import) that fails half-way can be undone.
class JobSetSnapshot {
public:
    // Reads the files of these job numbers; false (and nothing kept) when one
    // of them cannot be read. `failed` then names its number.
    bool take(const std::vector<int64_t>& numbers, int64_t& failed);
    // Puts the job folder back: each kept file as it was, and every other job
    // file removed. True when the folder holds exactly the kept job set again.
    bool restore() const;

private:
    std::map<int64_t, std::string> mFiles;
};
