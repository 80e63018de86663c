#pragma once

#include <optional>
#include <string>

#include <nlohmann/json.hpp>

#include "FWKVXSDK/JsonIdentifier.h"
#include "FWKVXSDK/SettingData.h"

// The JSON shapes of the tool's output. A job never carries its share password.
class JobJson {
public:
    // jobNo (string or null), jobName, the six settings as their table keywords,
    // userName, sendPath.
    static nlohmann::json job(const SettingData& job);
    // An identifier as the scanner sent it: a JSON string or integer; null when absent.
    static nlohmann::json identifier(const std::optional<JsonIdentifier>& identifier);
    static nlohmann::json text(const std::optional<std::string>& text);
};
