#pragma once

#include <memory>
#include <string>
#include <variant>
#include <vector>

class XMLDict;
class XMLArray;

// One value of a tree read from XML: a text, a node (XMLDict) or an array.
// Nodes and arrays are shared objects, held by reference: the reader finds a
// node in its parent by identity, so a copy of an XMLValue refers to the same
// node, never to an equal one.
class XMLValue {
public:
    XMLValue() = default;
    XMLValue(std::string text) : mValue(std::move(text)) {}
    XMLValue(const char* text) : mValue(std::string(text)) {}
    XMLValue(std::shared_ptr<XMLDict> dict) : mValue(std::move(dict)) {}
    XMLValue(std::shared_ptr<XMLArray> array) : mValue(std::move(array)) {}

    bool isString() const { return std::holds_alternative<std::string>(mValue); }
    bool isDict() const { return std::holds_alternative<std::shared_ptr<XMLDict>>(mValue); }
    bool isArray() const { return std::holds_alternative<std::shared_ptr<XMLArray>>(mValue); }

    // The text, or null when the value is not a text.
    const std::string* string() const { return std::get_if<std::string>(&mValue); }
    // The node or array, or null when the value is something else.
    std::shared_ptr<XMLDict> dict() const;
    std::shared_ptr<XMLArray> array() const;

    // True when the value is that very node or array.
    bool isObject(const void* object) const;

private:
    friend class XMLDict;
    friend class XMLArray;

    // Drops a batch of values without recursing into the nodes and arrays
    // they solely own, so that a tree of any depth is freed in constant stack.
    static void release(std::vector<XMLValue>& pending);

    std::variant<std::string, std::shared_ptr<XMLDict>, std::shared_ptr<XMLArray>> mValue;
};
