#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "FWKVXSDK/StoreOutcome.h"

// The last removal of jobs, kept so that it can be undone: the removed job
// files byte for byte, by number. Undo puts them back under their numbers,
// but only while none of those numbers has a job file again, so that a job
// made since is never overwritten; redo removes them once more. A new
// removal takes the place of the one kept.
class JobRemovalHistory {
public:
    struct Removal {
        std::vector<int64_t> removed;                          // the numbers whose files are gone
        std::vector<std::pair<int64_t, StoreOutcome>> failed; // those whose files stay, and why
    };

    // Removes the job files of these numbers and keeps them. A removal of
    // nothing keeps the last one.
    Removal remove(const std::vector<int64_t>& numbers);

    // A removal is kept, not undone yet, and none of its numbers is taken.
    bool canUndo() const;
    // The last change of the job set was an undo.
    bool canRedo() const { return mUndone; }
    // Puts the kept files back; the numbers put back, or nothing when they
    // could not all be written (then none of them is left in the folder).
    std::optional<std::vector<int64_t>> undo();
    // Removes the jobs that undo put back.
    Removal redo();
    // Another change of the job set (a job saved) ends what redo could redo.
    void jobsChanged() { mUndone = false; }

private:
    std::vector<int64_t> keptNumbers() const;

    std::map<int64_t, std::string> mRemoved;
    bool mUndone = false;
};
