#pragma once

#include <string>

#include "FWKVXSDK/FWKVXSDKExport.h"

// What a save or a delete of the job store did, for callers that must tell the
// user whether a job was stored and, if not, why (SettingData::SaveSettingsWithOutcome,
// SettingData::DeleteSettingsWithOutcome).
struct FWKVXSDK_EXPORT StoreOutcome {
    // The error number (errno) of the step that failed; 0 when the save or delete worked.
    int error = 0;

    bool succeeded() const { return error == 0; }
    // The error number's text as the C library words it, e.g. "No space left on
    // device" or "Permission denied"; empty when it worked.
    std::string reason() const;
};
