#pragma once

#include <cstdint>
#include <string>

#include <nlohmann/json.hpp>

#include "FWKVXSDK/WebApiFailure.h"

// Everything the tool writes. Texts that come from scanners or files pass
// through printable() before they reach a terminal; JSON is written one
// object per line, with invalid UTF-8 replaced rather than failing.
class CliOutput {
public:
    static void line(const std::string& text);
    static void error(const std::string& text);
    static void json(const nlohmann::json& value);
    // The last report of a run: {"result","message"} with --json, and "reason"
    // when a request failed (addReason); else the message (standard error on
    // failure). Returns the tool's exit status.
    static int runResult(bool asJson, int64_t result, const std::string& message, const WebApiFailure& reason = {});
    // Adds the member "reason", the failure's keyword ("refused", "http-404", ...),
    // when the request failed.
    static void addReason(nlohmann::json& object, const WebApiFailure& reason);
    // The text with control characters (C0, DEL, C1), tabs included, and bytes
    // that are not UTF-8 replaced by "?", so that a name cannot drive the terminal.
    static std::string printable(const std::string& text);
};
