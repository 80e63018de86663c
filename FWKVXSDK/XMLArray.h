#pragma once

#include <cstddef>
#include <initializer_list>
#include <vector>

#include "FWKVXSDK/XMLValue.h"

// An ordered list of values in a tree read from XML (repeated elements, or a
// text that came in several runs).
class XMLArray {
public:
    XMLArray() = default;
    XMLArray(std::initializer_list<XMLValue> items) : mItems(items) {}
    XMLArray(const XMLArray&) = default;
    XMLArray& operator=(const XMLArray&) = default;
    XMLArray(XMLArray&&) = default;
    XMLArray& operator=(XMLArray&&) = default;
    ~XMLArray();

    size_t size() const { return mItems.size(); }
    bool empty() const { return mItems.empty(); }
    XMLValue& operator[](size_t index) { return mItems[index]; }
    const XMLValue& operator[](size_t index) const { return mItems[index]; }
    XMLValue& back() { return mItems.back(); }
    const XMLValue& back() const { return mItems.back(); }
    void push_back(XMLValue value) { mItems.push_back(std::move(value)); }
    void pop_back() { mItems.pop_back(); }

    std::vector<XMLValue>::const_iterator begin() const { return mItems.begin(); }
    std::vector<XMLValue>::const_iterator end() const { return mItems.end(); }

    // True when the array holds that very node or array.
    bool containsObject(const void* object) const;

private:
    friend class XMLValue;
    void takeValues(std::vector<XMLValue>& out);

    std::vector<XMLValue> mItems;
};
