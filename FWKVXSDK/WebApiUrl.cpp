#include "FWKVXSDK/WebApiUrl.h"

bool WebApiUrl::isPlainHost(const std::string& host)
{
    if (host.empty()) {
        return false;
    }
    for (unsigned char c : host) {
        bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
        bool digit = c >= '0' && c <= '9';
        if (!letter && !digit && c != '.' && c != '-') {
            return false;
        }
    }
    return true;
}

bool WebApiUrl::isPlainSegment(const std::string& text)
{
    for (unsigned char c : text) {
        if (c <= 0x20 || c >= 0x7F || c == '#' || c == '/' || c == '?' || c == '\\') {
            return false;
        }
    }
    return true;
}

std::optional<std::string> WebApiUrl::join(const std::string& prefix, const std::optional<std::string>& host,
                                           const std::string& resource, const std::string& remainder)
{
    if (!host || !isPlainHost(*host)) {
        return std::nullopt;
    }
    return prefix + *host + resource + remainder;
}

std::optional<std::string> WebApiUrl::segment(const std::optional<JsonIdentifier>& identifier)
{
    if (!identifier || !isPlainSegment(identifier->text)) {
        return std::nullopt;
    }
    return identifier->text;
}
