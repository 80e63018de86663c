#include "FWKVXSDK/XMLDict.h"

namespace {
constexpr size_t kNoSlot = static_cast<size_t>(-1);
}

void XMLDict::const_iterator::skipRemoved()
{
    while (mSlot != mEnd && mSlot->removed) {
        ++mSlot;
    }
}

XMLDict::XMLDict(const XMLDict& other)
{
    for (const auto& entry : other) {
        set(entry.key, entry.value);
    }
}

XMLDict& XMLDict::operator=(const XMLDict& other)
{
    if (this != &other) {
        XMLDict copy(other);
        std::swap(mSlots, copy.mSlots);
        std::swap(mIndex, copy.mIndex);
        std::swap(mCount, copy.mCount);
    }
    return *this;
}

XMLDict::~XMLDict()
{
    std::vector<XMLValue> pending;
    takeValues(pending);
    XMLValue::release(pending);
}

size_t XMLDict::slotOf(std::string_view key) const
{
    if (mSlots.size() >= kIndexFrom) {
        auto it = mIndex.find(key);
        return it == mIndex.end() ? kNoSlot : it->second;
    }
    for (size_t i = 0; i < mSlots.size(); ++i) {
        if (!mSlots[i].removed && mSlots[i].entry.key == key) {
            return i;
        }
    }
    return kNoSlot;
}

XMLValue* XMLDict::find(std::string_view key)
{
    size_t slot = slotOf(key);
    return slot == kNoSlot ? nullptr : &mSlots[slot].entry.value;
}

const XMLValue* XMLDict::find(std::string_view key) const
{
    size_t slot = slotOf(key);
    return slot == kNoSlot ? nullptr : &mSlots[slot].entry.value;
}

void XMLDict::set(std::string_view key, XMLValue value)
{
    size_t slot = slotOf(key);
    if (slot != kNoSlot) {
        mSlots[slot].entry.value = std::move(value);
        return;
    }
    mSlots.push_back(Slot{Entry{std::string(key), std::move(value)}, false});
    ++mCount;
    if (mSlots.size() == kIndexFrom) {
        rebuildIndex();
    } else if (mSlots.size() > kIndexFrom) {
        mIndex.emplace(mSlots.back().entry.key, mSlots.size() - 1);
    }
}

bool XMLDict::erase(std::string_view key)
{
    size_t slot = slotOf(key);
    if (slot == kNoSlot) {
        return false;
    }
    if (auto it = mIndex.find(key); it != mIndex.end()) {
        mIndex.erase(it);
    }
    // The value is dropped outside the slot vector: freeing it may take a while
    // for a big subtree, and must not run while the vector is being changed.
    XMLValue dropped = std::move(mSlots[slot].entry.value);
    --mCount;
    if (slot + 1 == mSlots.size()) {
        mSlots.pop_back();
        if (mSlots.size() + 1 == kIndexFrom) {
            mIndex.clear();
        }
    } else {
        mSlots[slot].removed = true;
        mSlots[slot].entry.key.clear();
        compactIfSparse();
    }
    return true;
}

void XMLDict::compactIfSparse()
{
    size_t removed = mSlots.size() - mCount;
    if (removed < 8 || removed < mCount) {
        return;
    }
    std::vector<Slot> live;
    live.reserve(mCount);
    for (auto& slot : mSlots) {
        if (!slot.removed) {
            live.push_back(std::move(slot));
        }
    }
    mSlots = std::move(live);
    rebuildIndex();
}

void XMLDict::rebuildIndex()
{
    mIndex.clear();
    if (mSlots.size() < kIndexFrom) {
        return;
    }
    for (size_t i = 0; i < mSlots.size(); ++i) {
        if (!mSlots[i].removed) {
            mIndex.emplace(mSlots[i].entry.key, i);
        }
    }
}

XMLDict::const_iterator XMLDict::begin() const
{
    const Slot* first = mSlots.data();
    return const_iterator(first, first + mSlots.size());
}

XMLDict::const_iterator XMLDict::end() const
{
    const Slot* last = mSlots.data() + mSlots.size();
    return const_iterator(last, last);
}

void XMLDict::takeValues(std::vector<XMLValue>& out)
{
    for (auto& slot : mSlots) {
        if (!slot.removed) {
            out.push_back(std::move(slot.entry.value));
        }
    }
    mSlots.clear();
    mIndex.clear();
    mCount = 0;
}
