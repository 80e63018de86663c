#pragma once

#include <string>
#include <string_view>
#include <sys/types.h>
#include <system_error>

#include "FWKVXSDK/FWKVXSDKExport.h"

// Replaces a file as a whole: the bytes go to a new file beside it with the
// given mode, are synced, and the new file is renamed over the old one. The
// path then holds either the old or the new complete file, never a part.
class FWKVXSDK_EXPORT AtomicFile {
public:
    // False when the file could not be replaced; `failure` (when given) then
    // holds the system's reason.
    static bool write(const std::string& path, std::string_view bytes, mode_t mode,
                      std::error_code* failure = nullptr);
};
