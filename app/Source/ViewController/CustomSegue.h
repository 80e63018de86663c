#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <variant>

#include "FWKVXSDK/ScannerData.h"
#include "FWKVXSDK/SettingData.h"

class VXViewController;

// What travels with a change of screen: a job record ("addjob", "editjob") or a
// scanner record ("scanner").
using RepresentedValue = std::variant<std::shared_ptr<SettingData>, std::shared_ptr<ScannerData>>;
// A one-entry map from the key naming the content to the record, or absent.
using RepresentedObject = std::optional<std::map<std::string, RepresentedValue>>;

// One requested change of screen. Screens fill the identifier, the source and
// the represented object; the container chooses the destination itself.
class CustomSegue {
public:
    CustomSegue() = default;
    CustomSegue(std::string identifier, VXViewController* source, RepresentedObject object = std::nullopt);

    const std::string& segueidentifier() const { return mSegueidentifier; }
    void setSegueidentifier(std::string value) { mSegueidentifier = std::move(value); }
    VXViewController* sourceController() const { return mSourceController; }
    void setSourceController(VXViewController* value) { mSourceController = value; }
    VXViewController* destinationController() const { return mDestinationController; }
    void setDestinationController(VXViewController* value) { mDestinationController = value; }
    VXViewController* parentViewController() const { return mParentViewController; }
    void setParentViewController(VXViewController* value) { mParentViewController = value; }
    const RepresentedObject& representedObject() const { return mRepresentedObject; }
    void setRepresentedObject(RepresentedObject value) { mRepresentedObject = std::move(value); }

    // A one-entry represented object under the key.
    static RepresentedObject entry(const std::string& key, RepresentedValue value);

private:
    std::string mSegueidentifier;
    VXViewController* mSourceController = nullptr;
    VXViewController* mDestinationController = nullptr;
    VXViewController* mParentViewController = nullptr;
    RepresentedObject mRepresentedObject;
};

// The record under the key, when the object holds one of that type.
template <typename Record>
std::shared_ptr<Record> representedRecord(const RepresentedObject& object, const std::string& key)
{
    if (!object) {
        return nullptr;
    }
    const auto found = object->find(key);
    if (found == object->end()) {
        return nullptr;
    }
    const auto* record = std::get_if<std::shared_ptr<Record>>(&found->second);
    return record ? *record : nullptr;
}
