#include "FWKVXSDK/XMLDictionary.h"

#include "FWKVXSDK/XMLArray.h"
#include "FWKVXSDK/XMLTODictionaryParser.h"

namespace {

bool isAttributeKey(std::string_view key)
{
    return !key.empty() && key.front() == '_' && key != XMLDictionary::kNameKey
        && key != XMLDictionary::kTextKey && key != XMLDictionary::kCommentsKey;
}

// The "__attributes" map when the node holds one as a map.
std::shared_ptr<XMLDict> attributeMap(const XMLDict& node)
{
    const XMLValue* value = node.find(XMLDictionary::kAttributesKey);
    return value ? value->dict() : nullptr;
}

} // namespace

std::shared_ptr<XMLDict> XMLDictionary::dictionaryWithXMLFile(const std::string& path)
{
    return XMLTODictionaryParser::sharedInstance()->copy()->dictionaryWithFile(path);
}

std::shared_ptr<XMLDict> XMLDictionary::attributes(const XMLDict& node)
{
    if (auto map = attributeMap(node)) {
        return map->empty() ? nullptr : map;
    }
    auto result = std::make_shared<XMLDict>();
    for (const auto& entry : node) {
        if (isAttributeKey(entry.key)) {
            result->set(std::string_view(entry.key).substr(1), entry.value);
        }
    }
    return result->empty() ? nullptr : result;
}

std::shared_ptr<XMLDict> XMLDictionary::childNodes(const XMLDict& node)
{
    auto result = std::make_shared<XMLDict>();
    for (const auto& entry : node) {
        if (entry.key.empty() || entry.key.front() != '_') {
            result->set(entry.key, entry.value);
        }
    }
    return result->empty() ? nullptr : result;
}

std::optional<XMLValue> XMLDictionary::comments(const XMLDict& node)
{
    if (const XMLValue* value = node.find(kCommentsKey)) {
        return *value;
    }
    return std::nullopt;
}

std::optional<std::string> XMLDictionary::nodeName(const XMLDict& node)
{
    const XMLValue* value = node.find(kNameKey);
    if (value && value->isString()) {
        return *value->string();
    }
    return std::nullopt;
}

std::optional<std::string> XMLDictionary::innerText(const XMLDict& node)
{
    const XMLValue* value = node.find(kTextKey);
    if (!value) {
        return std::nullopt;
    }
    if (value->isString()) {
        return *value->string();
    }
    auto runs = value->array();
    if (!runs) {
        return std::nullopt;
    }
    std::string joined;
    bool first = true;
    for (const auto& run : *runs) {
        if (const std::string* text = run.string()) {
            if (!first) {
                joined += '\n';
            }
            joined += *text;
            first = false;
        }
    }
    return joined;
}

bool XMLDictionary::hasAttributes(const XMLDict& node)
{
    if (auto map = attributeMap(node)) {
        return !map->empty();
    }
    for (const auto& entry : node) {
        if (isAttributeKey(entry.key)) {
            return true;
        }
    }
    return false;
}

bool XMLDictionary::hasChildNodes(const XMLDict& node)
{
    for (const auto& entry : node) {
        if (entry.key.empty() || entry.key.front() != '_') {
            return true;
        }
    }
    return false;
}

bool XMLDictionary::hasComments(const XMLDict& node)
{
    return node.contains(kCommentsKey);
}
