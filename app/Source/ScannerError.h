#pragma once

#include "ErrorCatalogue.h"

// The error codes a scanner reports in "internal_code" (negative numbers).
class ScannerError : public ErrorCatalogue {
public:
    ScannerError();

    const Dictionary& scannerErrDict() const { return dictionary(); }
};
