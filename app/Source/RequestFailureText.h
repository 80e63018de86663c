#pragma once

#include <optional>
#include <string>

#include "FWKVXSDK/WebApiFailure.h"

// Why a scanner request failed, as the user is told: a sentence in the user's
// language that follows a failure message, and a stable English keyword for
// JSON output ("refused", "timeout", "tls", "http-404", "unreadable", "closed",
// ...). The screens and the command-line tool both word reasons here.
class RequestFailureText {
public:
    // Absent when the request did not fail.
    static std::optional<std::string> sentence(const WebApiFailure& failure);
    static std::optional<std::string> keyword(const WebApiFailure& failure);
    // The message, then the reason's sentence when the request failed.
    static std::string withReason(const std::string& message, const WebApiFailure& failure);
};
