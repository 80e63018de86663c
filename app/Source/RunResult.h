#pragma once

#include <cstdint>

#include "FWKVXSDK/ScannerData.h"
#include "FWKVXSDK/WebApiFailure.h"

// How a scan or registration run ended: its result code (0, the scanner's own
// error code, or an application code of AppError) and, when the application
// code stands for a request that failed, why that request failed. A code the
// scanner reported comes without a reason: the scanner said why.
struct RunResult {
    int64_t code = 0;
    WebApiFailure reason;

    // The scanner's code when the record holds one, else the application code
    // with the reason of the request that failed.
    static RunResult failed(const ScannerData& scanner, int64_t applicationCode, const WebApiFailure& reason)
    {
        const int64_t scannerCode = scanner.internalCode();
        if (scannerCode != 0) {
            return {scannerCode, {}};
        }
        return {applicationCode, reason};
    }
};
