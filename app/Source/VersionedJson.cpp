#include "VersionedJson.h"

#include <algorithm>

VersionedJson::Json VersionedJson::read(const std::string& bytes, const char* format, int64_t version,
                                        const std::vector<std::string>& members, int deepest)
{
    const Json::parser_callback_t flatEnough = [deepest](int depth, Json::parse_event_t, Json&) {
        return depth <= deepest;
    };
    Json root;
    try {
        root = Json::parse(bytes, flatEnough);
    } catch (const Json::parse_error& error) {
        throw Fault(Fault::Kind::Syntax, std::to_string(error.byte));
    }
    if (!root.is_object() || !root.contains("format") || root["format"] != format) {
        throw Fault(Fault::Kind::Foreign, std::string());
    }
    const Json& found = root.contains("version") ? root["version"] : Json();
    if (!found.is_number_integer()) {
        damaged("/version");
    }
    const bool newer = found.is_number_unsigned() ? found.get<uint64_t>() > static_cast<uint64_t>(version)
                                                   : found.get<int64_t>() > version;
    if (newer) {
        throw Fault(Fault::Kind::Newer, found.dump());
    }
    if (found.get<int64_t>() < 1) {
        damaged("/version");
    }
    onlyMembers(root, members, "");
    return root;
}

void VersionedJson::onlyMembers(const Json& object, const std::vector<std::string>& members, const std::string& place)
{
    if (!object.is_object()) {
        damaged(place);
    }
    for (const std::string& member : members) {
        if (!object.contains(member)) {
            damaged(place + "/" + member);
        }
    }
    for (const auto& [member, value] : object.items()) {
        if (std::find(members.begin(), members.end(), member) == members.end()) {
            damaged(place + "/" + member);
        }
    }
}

void VersionedJson::damaged(const std::string& place)
{
    throw Fault(Fault::Kind::Damaged, place);
}
