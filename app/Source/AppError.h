#pragma once

#include <cstdint>

#include "ErrorCatalogue.h"

// The codes the application itself gives to failed scanner operations.
class AppError : public ErrorCatalogue {
public:
    enum Code : int64_t {
        NoDetectScanner = 100001,   // identification before a scan or registration failed
        Scan = 100002,              // a scan that broke off without a code of its own
        FailedToBulkRegistJob = 100003, // a job request failed without a scanner code
        InvalidCharacters = 100004,
        TooLongPath = 100005,
        InvalidPassword = 100006,   // the scanner refused the job password
        Connect = 100007,           // lock or unlock failed
    };

    AppError();

    const Dictionary& appErrDict() const { return dictionary(); }
};
