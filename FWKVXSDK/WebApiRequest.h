#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

// One request to a scanner, in one of the four kinds the scanners understand.
// Headers go on the wire in the order given here, after the transport's "Host".
struct WebApiRequest {
    std::string method;
    std::string url;
    std::vector<std::pair<std::string, std::string>> headers;
    // Headers the HTTP stack would add on its own and that this kind must not carry.
    std::vector<std::string> withoutDefaults;
    std::optional<std::string> body;

    // GET with caches bypassed; no body.
    static WebApiRequest query(std::string url, const std::optional<std::string>& origin);
    // POST with a form content type and no body.
    static WebApiRequest lock(std::string url, const std::optional<std::string>& origin);
    // DELETE with a JSON body but no content type of its own.
    static WebApiRequest deletion(std::string url, const std::optional<std::string>& origin, std::string body);
    // PUT with a JSON body, its content type and its length in bytes.
    static WebApiRequest upload(std::string url, const std::optional<std::string>& origin, std::string body);
};
