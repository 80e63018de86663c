#pragma once

#include <string>
#include <vector>

#include "VXViewController.h"

class VXJobCreateViewController;
class VXJobRegisterViewController;
class VXJobScanViewController;
class VXScanerListViewController;
class VXVersionViewController;

// The main window's content: creates the five screens once, shows one at a
// time and carries out the screens' requests for another screen.
class VXContainerViewController : public VXViewController {
    Q_OBJECT
public:
    explicit VXContainerViewController(QWidget* parent = nullptr);
    ~VXContainerViewController() override;

    void viewDidLoad() override;
    // The window's appearance reaches the screen shown.
    void viewWillAppear() override;
    void viewDidAppear() override;
    void viewWillDisappear() override;
    void viewDidDisappear() override;

    // Replaces the screen shown, from, by to; nothing when to is shown already.
    void embeddedFromViewController(VXViewController* from, VXViewController* to);
    void addContentViewController(VXViewController* screen);
    void removeContentViewController(VXViewController* screen);
    // The screen shown, or null.
    ViewController* shownScreen() const;

    VXJobScanViewController* jobScanViewController = nullptr;
    VXScanerListViewController* scanerListViewController = nullptr;
    VXVersionViewController* versionViewController = nullptr;
    VXJobCreateViewController* jobCreateViewController = nullptr;
    VXJobRegisterViewController* jobRegisterViewController = nullptr;

private:
    // One row of the transition table of a sending screen.
    struct Route {
        std::string identifier;
        VXViewController* destination;
        bool autorecalculatesKeyViewLoop;
        bool passesRepresentedObject;
    };
    void installHandler(VXViewController* screen, std::vector<Route> routes);
    void follow(const CustomSegue& segue, const Route& route);
    QList<VXViewController*> screens() const;
};
