#pragma once

#include <mutex>
#include <utility>

// One record property: readers get a copy taken under the property's own lock,
// writers replace the value under it, so a reader never sees a torn value and
// no lock ever spans two properties.
template <typename T>
class AtomicProperty {
public:
    AtomicProperty() = default;
    explicit AtomicProperty(T initial) : mValue(std::move(initial)) {}
    AtomicProperty(const AtomicProperty&) = delete;
    AtomicProperty& operator=(const AtomicProperty&) = delete;

    T get() const
    {
        std::lock_guard<std::mutex> guard(mLock);
        return mValue;
    }

    void set(T value)
    {
        std::lock_guard<std::mutex> guard(mLock);
        mValue = std::move(value);
    }

private:
    mutable std::mutex mLock;
    T mValue{};
};

