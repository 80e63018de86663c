#include "VXViewController.h"

VXViewController::VXViewController(QWidget* parent) : ViewController(parent) {}

VXViewController::~VXViewController() = default;

void VXViewController::transitionCompletionHandler(TransitionHandler handler)
{
    mCompletion = std::move(handler);
}

void VXViewController::transition(const CustomSegue& segue)
{
    // A copy: the handler may install another handler while it runs.
    if (const TransitionHandler handler = mCompletion) {
        handler(segue);
    }
}
