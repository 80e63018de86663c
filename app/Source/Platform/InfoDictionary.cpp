#include "InfoDictionary.h"

#include "InfoDictionaryValues.h"

std::optional<std::string> InfoDictionary::objectForKey(const std::string& key)
{
    if (key == "CFBundleShortVersionString") {
        return VANTIX_SHORT_VERSION;
    }
    if (key == "NSHumanReadableCopyright") {
        return VANTIX_COPYRIGHT;
    }
    if (key == "CFBundleName") {
        return VANTIX_BUNDLE_NAME;
    }
    if (key == "CFBundleIdentifier") {
        return VANTIX_BUNDLE_IDENTIFIER;
    }
    return std::nullopt;
}
