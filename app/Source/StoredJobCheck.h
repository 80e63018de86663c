#pragma once

#include <cstdint>
#include <string>

#include "FWKVXSDK/SettingData.h"

// Whether the job store really holds a job: the store reports no errors, so
// the tool reads the file back after saving or deleting before it tells the
// user that it worked.
class StoredJobCheck {
public:
    // True when the file of the job's number reads back as the job. Texts are
    // compared without white space at their ends, which the store does not keep.
    static bool holds(const SettingData& expected);
    static bool exists(int64_t number);
    // Texts without white space and line breaks at both ends.
    static std::string trimmed(const std::string& text);
};
