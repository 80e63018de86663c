#pragma once

#include <chrono>
#include <functional>
#include <string>

#include "FWKVXSDK/FWKVXSDKExport.h"
#include "FWKVXSDK/WebApiFailure.h"

// The log hook of the scanner requests: every request a WebApiClient sends is
// reported once, when the operation has judged its answer. An entry holds no
// header and no body, so neither the job password nor a shared folder's
// password can ever reach a log through it. Without a hook nothing is reported.
class FWKVXSDK_EXPORT WebApiTrace {
public:
    struct Entry {
        std::string method;
        std::string url;
        long status = 0; // HTTP status; 0 when no answer came
        std::chrono::milliseconds elapsed{0};
        WebApiFailure failure;
    };
    using Hook = std::function<void(const Entry&)>;

    // Installs the hook (an empty one removes it). It is called on the thread
    // that runs the operation, possibly on several threads at once; what it
    // throws is dropped.
    static void install(Hook hook);
    static void report(const Entry& entry);

    // One line for a person: "GET https://192.0.2.1/api/v1/scanners/ -> 200 (12 ms)",
    // or the failure in place of the status, e.g. "-> connection refused (0 ms)".
    static std::string describe(const Entry& entry);
};
