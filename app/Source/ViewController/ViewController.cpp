#include "ViewController.h"

#include "AutoresizingMask.h"
#include "InterfaceLocalizer.h"

ViewController::ViewController(QWidget* parent) : QWidget(parent) {}

ViewController::~ViewController() = default;

void ViewController::loadViewIfNeeded()
{
    if (mViewLoaded) {
        return;
    }
    mViewLoaded = true;
    loadView();
    InterfaceLocalizer::localize(this);
    // Views placed by frame follow the screen's size by their masks.
    AutoresizingMask::install(this);
    viewDidLoad();
}

void ViewController::loadView() {}

void ViewController::viewDidLoad()
{
    emit lifeCycle(QStringLiteral("viewDidLoad"));
}

void ViewController::viewWillAppear()
{
    emit lifeCycle(QStringLiteral("viewWillAppear"));
}

void ViewController::viewDidAppear()
{
    emit lifeCycle(QStringLiteral("viewDidAppear"));
}

void ViewController::viewWillDisappear()
{
    emit lifeCycle(QStringLiteral("viewWillDisappear"));
}

void ViewController::viewDidDisappear()
{
    emit lifeCycle(QStringLiteral("viewDidDisappear"));
}

void ViewController::setRepresentedObject(const RepresentedObject& object)
{
    mRepresentedObject = object;
}

QList<ViewController*> ViewController::childViewControllers() const
{
    QList<ViewController*> children;
    for (const auto& child : mChildViewControllers) {
        if (child) {
            children.append(child);
        }
    }
    return children;
}

void ViewController::addChildViewController(ViewController* child)
{
    if (!child || child->mParentViewController == this) {
        return;
    }
    child->removeFromParentViewController();
    child->mParentViewController = this;
    mChildViewControllers.append(child);
}

void ViewController::removeFromParentViewController()
{
    if (ViewController* parent = mParentViewController) {
        parent->mChildViewControllers.removeAll(QPointer<ViewController>(this));
        mParentViewController = nullptr;
    }
}
