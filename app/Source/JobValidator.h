#pragma once

#include <optional>
#include <string>

#include "FWKVXSDK/SettingData.h"

// The job editor's validation, shared with the command-line tool. The rules run
// in this order and the first one broken decides the message:
// forbidden characters in the send path, empty job name, Monochrome with JPEG,
// empty send path. A name or path counts as empty when nothing is left of it
// without white space at its ends, as the job file gives it back.
class JobValidator {
public:
    // Message key of the first rule the job breaks; absent when the job is valid.
    static std::optional<std::string> firstFailure(const SettingData& job);
    // Validates and shows the first failure (as a FernwickException through the
    // installed presenter); true when the job is valid.
    static bool Check(const SettingData& job);
    // Whether the path holds any of : " * ? < > |, including their full-width and
    // small-form look-alikes, which a locale-aware comparison treats as the same.
    static bool containsForbiddenCharacter(const std::string& path);
    // The text as a job file gives it back: without white space and line
    // breaks (ASCII and Unicode spaces) at either end.
    static std::string trimmed(const std::string& text);
};
