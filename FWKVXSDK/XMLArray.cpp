#include "FWKVXSDK/XMLArray.h"

XMLArray::~XMLArray()
{
    std::vector<XMLValue> pending;
    takeValues(pending);
    XMLValue::release(pending);
}

bool XMLArray::containsObject(const void* object) const
{
    // The value looked for is nearly always the one appended last.
    for (auto it = mItems.rbegin(); it != mItems.rend(); ++it) {
        if (it->isObject(object)) {
            return true;
        }
    }
    return false;
}

void XMLArray::takeValues(std::vector<XMLValue>& out)
{
    for (auto& item : mItems) {
        out.push_back(std::move(item));
    }
    mItems.clear();
}
