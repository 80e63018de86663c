#include "VXContainerViewController.h"

#include "AutoresizingMask.h"
#include "KeyViewLoop.h"
#include "Storyboard.h"
#include "VXJobCreateViewController.h"
#include "VXJobRegisterViewController.h"
#include "VXJobScanViewController.h"
#include "VXScanerListViewController.h"
#include "VXVersionViewController.h"
#include "WindowTitle.h"

namespace {
template <typename Screen>
Screen* instantiate(const char* storyboard, const char* identifier)
{
    return static_cast<Screen*>(Storyboard::instantiateControllerWithIdentifier(storyboard, identifier));
}
} // namespace

VXContainerViewController::VXContainerViewController(QWidget* parent) : VXViewController(parent)
{
    AutoresizingMask::setMask(this, AutoresizingMask::WidthSizable | AutoresizingMask::HeightSizable);
}

VXContainerViewController::~VXContainerViewController()
{
    // Screens not shown have no parent widget; the container owns all five.
    for (VXViewController* screen : screens()) {
        screen->setParent(nullptr);
        delete screen;
    }
}

QList<VXViewController*> VXContainerViewController::screens() const
{
    QList<VXViewController*> all;
    for (VXViewController* screen :
         std::initializer_list<VXViewController*>{jobScanViewController, scanerListViewController,
                                                  versionViewController, jobCreateViewController,
                                                  jobRegisterViewController}) {
        if (screen) {
            all.append(screen);
        }
    }
    return all;
}

ViewController* VXContainerViewController::shownScreen() const
{
    const auto children = childViewControllers();
    return children.isEmpty() ? nullptr : children.first();
}

void VXContainerViewController::viewDidLoad()
{
    VXViewController::viewDidLoad();
    AutoresizingMask::install(this);
    jobScanViewController = instantiate<VXJobScanViewController>("JobScan", "VXJobScanViewController");
    scanerListViewController = instantiate<VXScanerListViewController>("ScanerList", "VXScanerListViewController");
    versionViewController = instantiate<VXVersionViewController>("ScanerVersion", "VXVersionViewController");
    jobCreateViewController = instantiate<VXJobCreateViewController>("JobCreate", "VXJobCreateViewController");
    jobRegisterViewController = instantiate<VXJobRegisterViewController>("JobRegister", "VXJobRegisterViewController");

    installHandler(jobScanViewController, {{"discovery", scanerListViewController, false, false},
                                           {"version", versionViewController, true, false},
                                           {"addjob", jobCreateViewController, true, true},
                                           {"editjob", jobCreateViewController, true, true}});
    installHandler(scanerListViewController, {{"goback", jobScanViewController, true, true}});
    installHandler(versionViewController, {{"copyjob", jobRegisterViewController, false, false},
                                           {"goback", jobScanViewController, true, false}});
    installHandler(jobCreateViewController, {{"goback", jobScanViewController, true, false},
                                             {"addjob", jobScanViewController, true, true},
                                             {"editjob", jobScanViewController, true, true}});
    installHandler(jobRegisterViewController, {{"goback", jobScanViewController, true, false}});

    removeContentViewController(nullptr);
    addContentViewController(jobScanViewController);
}

void VXContainerViewController::installHandler(VXViewController* screen, std::vector<Route> routes)
{
    if (!screen) {
        return;
    }
    screen->transitionCompletionHandler([this, routes = std::move(routes)](const CustomSegue& segue) {
        for (const Route& route : routes) {
            if (route.identifier == segue.segueidentifier()) {
                follow(segue, route);
                return;
            }
        }
        // An identifier the sending screen may not send: the screen stays.
    });
}

void VXContainerViewController::follow(const CustomSegue& segue, const Route& route)
{
    QWidget* window = this->window();
    KeyViewLoop::setAutorecalculatesKeyViewLoop(window, route.autorecalculatesKeyViewLoop);
    KeyViewLoop::recalculateKeyViewLoop(window);
    embeddedFromViewController(segue.sourceController(), route.destination);
    if (route.autorecalculatesKeyViewLoop) {
        // The loop follows the new screen, as an automatic loop does after a change of views.
        KeyViewLoop::recalculateKeyViewLoop(window);
    }
    if (route.passesRepresentedObject && route.destination) {
        route.destination->setRepresentedObject(segue.representedObject());
    }
}

void VXContainerViewController::embeddedFromViewController(VXViewController* from, VXViewController* to)
{
    if (!to) {
        return;
    }
    ViewController* parent = from ? from->parentViewController() : this;
    if (to->parentViewController() && to->parentViewController() == parent) {
        return; // shown already
    }
    // The screen shown leaves the window before the next one appears: a screen
    // that lays out the whole window content when it appears (the version
    // screen) must find only its own views there.
    removeContentViewController(from);
    addContentViewController(to);
}

void VXContainerViewController::addContentViewController(VXViewController* screen)
{
    if (!screen) {
        return;
    }
    screen->loadViewIfNeeded();
    const bool appearing = isVisible();
    if (appearing) {
        screen->viewWillAppear();
    }
    screen->setGeometry(0, 0, width(), height());
    AutoresizingMask::setMask(screen, AutoresizingMask::mask(this));
    addChildViewController(screen);
    screen->setParent(this);
    screen->show();
    // The window names the screen shown: assistive technology reads it out as it changes.
    if (QWidget* window = this->window(); window != this) {
        WindowTitle::set(window, screen->windowTitle());
    }
    if (appearing) {
        screen->viewDidAppear();
    }
}

void VXContainerViewController::removeContentViewController(VXViewController* screen)
{
    if (!screen) {
        return;
    }
    const bool disappearing = screen->isVisible();
    if (disappearing) {
        screen->viewWillDisappear();
    }
    screen->hide();
    screen->setParent(nullptr);
    screen->removeFromParentViewController();
    if (disappearing) {
        screen->viewDidDisappear();
    }
}

void VXContainerViewController::viewWillAppear()
{
    VXViewController::viewWillAppear();
    if (ViewController* screen = shownScreen()) {
        screen->viewWillAppear();
    }
}

void VXContainerViewController::viewDidAppear()
{
    VXViewController::viewDidAppear();
    if (ViewController* screen = shownScreen()) {
        screen->viewDidAppear();
    }
}

void VXContainerViewController::viewWillDisappear()
{
    VXViewController::viewWillDisappear();
    if (ViewController* screen = shownScreen()) {
        screen->viewWillDisappear();
    }
}

void VXContainerViewController::viewDidDisappear()
{
    VXViewController::viewDidDisappear();
    if (ViewController* screen = shownScreen()) {
        screen->viewDidDisappear();
    }
}
