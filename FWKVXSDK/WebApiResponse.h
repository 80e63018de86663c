#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>

#include <nlohmann/json.hpp>

#include "FWKVXSDK/JsonIdentifier.h"
#include "FWKVXSDK/WebApiFailure.h"

// What came back from one scanner request, and the shared rules for reading it.
// status 0 means no HTTP answer could be taken at all (no route, refused, time-out,
// TLS failure, broken or oversized transfer).
struct WebApiResponse {
    long status = 0;
    std::string body;
    // Why no usable answer came, as far as the transport can tell; an operation
    // adds what it finds when it reads the body (markUnreadable).
    WebApiFailure failure;
    std::chrono::milliseconds elapsed{0};

    // The body was not what the operation reads; an earlier reason stands.
    void markUnreadable();

    // Status 200 with a non-empty body.
    bool usable() const;
    // The body's top-level JSON object; absent when the body is not JSON or its
    // top level is not an object (both read as "not JSON" by every operation).
    std::optional<nlohmann::json> object() const;

    // An integer member: a JSON integer, the integer part of a JSON floating-point
    // number, or a JSON string read by readInteger. Absent when the key is missing
    // or holds another type (null, bool, object, array).
    static std::optional<int64_t> integer(const nlohmann::json& object, const std::string& key);
    // Optional leading spaces, an optional sign, then the leading decimal digits;
    // no digits gives 0. Out-of-range values saturate.
    static int64_t readInteger(const std::string& text);
    // A string member; absent for a missing key or another type.
    static std::optional<std::string> string(const nlohmann::json& object, const std::string& key);
    // An identifier as the scanner sent it: a JSON string or a JSON integer; any
    // other type counts as absent.
    static std::optional<JsonIdentifier> identifier(const nlohmann::json& object, const std::string& key);
    // The identifier back as JSON, with the type in which it arrived.
    static nlohmann::json identifierJson(const JsonIdentifier& identifier);
};
