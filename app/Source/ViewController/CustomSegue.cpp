#include "CustomSegue.h"

CustomSegue::CustomSegue(std::string identifier, VXViewController* source, RepresentedObject object)
    : mSegueidentifier(std::move(identifier)), mSourceController(source), mRepresentedObject(std::move(object))
{
}

RepresentedObject CustomSegue::entry(const std::string& key, RepresentedValue value)
{
    return std::map<std::string, RepresentedValue>{{key, std::move(value)}};
}
