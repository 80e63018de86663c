#include "FWKVXSDK/XMLValue.h"

#include "FWKVXSDK/XMLArray.h"
#include "FWKVXSDK/XMLDict.h"

std::shared_ptr<XMLDict> XMLValue::dict() const
{
    if (auto* dict = std::get_if<std::shared_ptr<XMLDict>>(&mValue)) {
        return *dict;
    }
    return nullptr;
}

std::shared_ptr<XMLArray> XMLValue::array() const
{
    if (auto* array = std::get_if<std::shared_ptr<XMLArray>>(&mValue)) {
        return *array;
    }
    return nullptr;
}

bool XMLValue::isObject(const void* object) const
{
    if (object == nullptr) {
        return false;
    }
    if (auto* dict = std::get_if<std::shared_ptr<XMLDict>>(&mValue)) {
        return dict->get() == object;
    }
    if (auto* array = std::get_if<std::shared_ptr<XMLArray>>(&mValue)) {
        return array->get() == object;
    }
    return false;
}

void XMLValue::release(std::vector<XMLValue>& pending)
{
    while (!pending.empty()) {
        XMLValue value = std::move(pending.back());
        pending.pop_back();
        // Empty a container this value alone keeps alive before it goes, so its
        // destructor finds nothing to recurse into; shared ones stay intact.
        if (auto* dict = std::get_if<std::shared_ptr<XMLDict>>(&value.mValue)) {
            if (*dict && dict->use_count() == 1) {
                (*dict)->takeValues(pending);
            }
        } else if (auto* array = std::get_if<std::shared_ptr<XMLArray>>(&value.mValue)) {
            if (*array && array->use_count() == 1) {
                (*array)->takeValues(pending);
            }
        }
    }
}
