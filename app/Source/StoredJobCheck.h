#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "FWKVXSDK/SettingData.h"

// Whether the job store really holds a job. The store reports no errors, so
// the application and the command-line tool learn whether a save or a delete
// worked by reading the job folder back; both use these, so a job that could
// not be stored never looks stored.
class StoredJobCheck {
public:
    // Saves the job; true when its file reads back as the job.
    static bool save(const std::shared_ptr<SettingData>& job);
    // Deletes the job of that number; true when no job file of that number is left.
    static bool remove(int64_t number);
    // True when the file of the job's number reads back as the job. The job name
    // and the send path are compared without white space at their ends, which
    // the store does not keep; the user name and password exactly.
    static bool holds(const SettingData& expected);
    static bool exists(int64_t number);
};
