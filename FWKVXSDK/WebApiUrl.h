#pragma once

#include <optional>
#include <string>

#include "FWKVXSDK/JsonIdentifier.h"

// Request URLs: the plain concatenation of scheme, scanner address, resource
// prefix and remainder, without escaping. Because nothing is escaped, a value
// that could change the URL's structure (another host or port, another path,
// a query, a fragment, a broken request line) is refused: the request is then
// not built and nothing is sent.
class WebApiUrl {
public:
    // IPv4 dotted decimal or a host name: letters, digits, '.' and '-' only, non-empty.
    static bool isPlainHost(const std::string& host);
    // Text that stays inside one path segment or the status query: printable ASCII
    // without space, '#', '/', '?' and '\'. Empty text is allowed.
    static bool isPlainSegment(const std::string& text);

    // prefix + host + resource + remainder, or absent when the host is absent or not plain.
    static std::optional<std::string> join(const std::string& prefix, const std::optional<std::string>& host,
                                           const std::string& resource, const std::string& remainder);
    // The identifier's text when present and plain.
    static std::optional<std::string> segment(const std::optional<JsonIdentifier>& identifier);
};
