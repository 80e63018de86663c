#pragma once

#include <string>

#include "FWKVXSDK/FWKVXSDKExport.h"

// The account's folders of this system, after the XDG base directory rules:
// the job folder (data), the saved scanners and settings (config) and the
// request log (state) are all found and made the same way.
class FWKVXSDK_EXPORT UserFolders {
public:
    // "<base>/fernwick-vantix", where base is $variable when that is an
    // absolute path, else the account's home followed by `fallbackUnderHome`
    // (".local/share", ".config", ".local/state").
    static std::string path(const char* variable, const char* fallbackUnderHome);
    // Creates the folder and each missing parent, every new one private
    // (0700): the folders hold passwords. 0, or the error number of the step
    // that failed. A folder made meanwhile by someone else is fine.
    static int ensurePrivate(const std::string& folder);
};
