#pragma once

#include <optional>
#include <string>

// The application's information set at build time: "CFBundleShortVersionString"
// (the project's version), "NSHumanReadableCopyright" (the copyright line),
// "CFBundleName" and "CFBundleIdentifier" (reverse-domain name).
class InfoDictionary {
public:
    static std::optional<std::string> objectForKey(const std::string& key);
};
