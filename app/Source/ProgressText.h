#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "FWKVXSDK/BulkJobStatus.h"

// The progress texts of the two long operations, shared by the screens and the
// command-line tool.
class ProgressText {
public:
    // The text for a scan's detail status: 0 "Scanning", 1 "CreatingFile",
    // 2 "SendingFile"; absent for any other value (the shown text stays).
    static std::optional<std::string> forScanStatus(int64_t status);
    // One registration slot: the text for "LabelJobNo" directly followed by the
    // number, then the request text in parentheses.
    static std::string forSlot(const BulkJobStatus& item);
    // The registration's progress text, three lines: the text for "BulkRegist",
    // the scanner's name, and the slot.
    static std::string forRegistration(const BulkJobStatus& item);
};
