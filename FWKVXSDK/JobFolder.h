#pragma once

#include <string>

#include "FWKVXSDK/FWKVXSDKExport.h"

// The job folder's life outside the job store: the store never creates the
// folder, so the application and the command-line tool call ensureExists()
// when they start.
class FWKVXSDK_EXPORT JobFolder {
public:
    // Creates SettingData::userAppRootFolderPath() and any missing parent,
    // each new one with mode 0700 (the job files hold share passwords).
    // True when the folder exists afterwards.
    static bool ensureExists();
};
