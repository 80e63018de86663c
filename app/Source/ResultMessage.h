#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "FWKVXSDK/WebApiFailure.h"

// Turns the result code of a scan or registration run into the text the user
// sees: the scanner catalogue first, then the application catalogue, then the
// caller's fallback. A fresh pair of catalogues is made for every result, so
// the texts follow the current language. When a request failed (reason), its
// reason follows the message as a second sentence (RequestFailureText).
class ResultMessage {
public:
    // The catalogue message for a failure code; absent when neither catalogue knows it.
    // Codes outside the 32-bit range are in neither catalogue.
    static std::optional<std::string> catalogueMessage(int64_t code);
    // 0: successText; otherwise the catalogue message, else fallbackText, with the reason.
    static std::string forResult(int64_t code, const std::string& successText, const std::string& fallbackText,
                                 const WebApiFailure& reason = {});
    // The final message of a scan ("CompletedScan" / catalogue / "ErrorScan").
    static std::string forScan(int64_t code, const WebApiFailure& reason = {});
    // The final message of a registration run ("FinishRegist" / catalogue / "ErrorFailedToBulkRegistJob").
    static std::string forRegistration(int64_t code, const WebApiFailure& reason = {});
    // The result text of one scanner in a bulk registration: the text for "ResSuccess",
    // or the text for "ResFailure" followed by the catalogue message and the reason
    // in parentheses (empty parentheses when neither is known).
    static std::string bulkRowText(int64_t code, const WebApiFailure& reason = {});
};
