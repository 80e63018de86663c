#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "FWKVXSDK/XMLValue.h"

// A node of a tree read from XML: string keys to values, kept in the order in
// which the keys were first set. Lookups stay cheap for nodes with very many
// keys, and removing keys never costs more than a constant on average, so a
// hostile document cannot make building its tree quadratic.
class XMLDict {
    struct Slot;

public:
    struct Entry {
        std::string key;
        XMLValue value;
    };

    // Iterates over the entries in insertion order.
    class const_iterator {
    public:
        const Entry& operator*() const { return mSlot->entry; }
        const Entry* operator->() const { return &mSlot->entry; }
        const_iterator& operator++()
        {
            ++mSlot;
            skipRemoved();
            return *this;
        }
        bool operator==(const const_iterator& other) const { return mSlot == other.mSlot; }

    private:
        friend class XMLDict;
        const_iterator(const XMLDict::Slot* slot, const XMLDict::Slot* end) : mSlot(slot), mEnd(end) { skipRemoved(); }
        void skipRemoved();
        const XMLDict::Slot* mSlot;
        const XMLDict::Slot* mEnd;
    };

    XMLDict() = default;
    XMLDict(const XMLDict& other);
    XMLDict& operator=(const XMLDict& other);
    ~XMLDict();

    size_t size() const { return mCount; }
    bool empty() const { return mCount == 0; }

    // The value under the key, or null when the key is not there.
    XMLValue* find(std::string_view key);
    const XMLValue* find(std::string_view key) const;
    bool contains(std::string_view key) const { return find(key) != nullptr; }

    // Replaces the value under the key in place, or adds the key as the last entry.
    void set(std::string_view key, XMLValue value);
    // Removes the key; false when it was not there.
    bool erase(std::string_view key);

    const_iterator begin() const;
    const_iterator end() const;

private:
    friend class XMLValue;

    struct Slot {
        Entry entry;
        bool removed = false;
    };
    struct KeyHash {
        using is_transparent = void;
        size_t operator()(std::string_view key) const { return std::hash<std::string_view>{}(key); }
    };

    // Below this many slots a linear scan beats hashing.
    static constexpr size_t kIndexFrom = 16;

    size_t slotOf(std::string_view key) const;
    void compactIfSparse();
    void rebuildIndex();
    void takeValues(std::vector<XMLValue>& out);

    std::vector<Slot> mSlots;
    std::unordered_map<std::string, size_t, KeyHash, std::equal_to<>> mIndex; // used once mSlots is large
    size_t mCount = 0;
};
