#pragma once

#include <string>

#include "FWKVXSDK/FWKVXSDKExport.h"

// An identifier a scanner hands out ("scanner_id", "connection_id"), kept as the
// scanner sent it: a JSON string, or a JSON integer. URLs take its text; request
// bodies give it back with the type in which it arrived.
struct FWKVXSDK_EXPORT JsonIdentifier {
    std::string text;       // the string, or the integer's decimal text
    bool isNumber = false;  // true when the scanner sent a JSON integer

    static JsonIdentifier fromString(std::string value) { return {std::move(value), false}; }
    static JsonIdentifier fromNumber(std::string decimalText) { return {std::move(decimalText), true}; }

    bool operator==(const JsonIdentifier&) const = default;
};
