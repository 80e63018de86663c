#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "FWKVXSDK/XMLDict.h"

// Reading XML files into node trees, and the read accessors of a node.
// A node's reserved keys are "__name", "__text", "__attributes" and
// "__comments"; every key that begins with "_" counts as an attribute key.
class XMLDictionary {
public:
    static constexpr std::string_view kNameKey = "__name";
    static constexpr std::string_view kTextKey = "__text";
    static constexpr std::string_view kAttributesKey = "__attributes";
    static constexpr std::string_view kCommentsKey = "__comments";

    // The file read with the default options; null when it cannot be read or
    // holds no element.
    static std::shared_ptr<XMLDict> dictionaryWithXMLFile(const std::string& path);

    // The node's attributes: its "__attributes" map (null when empty), else a
    // new map of every "_"-prefixed entry except the reserved ones, with the
    // first "_" removed (null when there is none).
    static std::shared_ptr<XMLDict> attributes(const XMLDict& node);
    // A copy of the node without the keys that begin with "_"; null when nothing is left.
    static std::shared_ptr<XMLDict> childNodes(const XMLDict& node);
    static std::optional<XMLValue> comments(const XMLDict& node);
    // The "__name" text; absent when missing or not a text.
    static std::optional<std::string> nodeName(const XMLDict& node);
    // The "__text" text; a text in several runs is joined with line feeds.
    static std::optional<std::string> innerText(const XMLDict& node);

    // attributes(node) != null, childNodes(node) != null, comments(node) present,
    // without building the copies.
    static bool hasAttributes(const XMLDict& node);
    static bool hasChildNodes(const XMLDict& node);
    static bool hasComments(const XMLDict& node);
};
