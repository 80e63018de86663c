#pragma once

#include <QList>
#include <QPointer>
#include <QWidget>

#include "CustomSegue.h"

// A widget with a view controller's life cycle. The view is built from its
// interface description on first use (loadView, then viewDidLoad, once); whoever
// shows and hides it calls the appearance methods.
class ViewController : public QWidget {
    Q_OBJECT
public:
    explicit ViewController(QWidget* parent = nullptr);
    ~ViewController() override;

    void loadViewIfNeeded();
    bool isViewLoaded() const { return mViewLoaded; }

    virtual void viewDidLoad();
    virtual void viewWillAppear();
    virtual void viewDidAppear();
    virtual void viewWillDisappear();
    virtual void viewDidDisappear();

    virtual void setRepresentedObject(const RepresentedObject& object);
    const RepresentedObject& representedObject() const { return mRepresentedObject; }

    ViewController* parentViewController() const { return mParentViewController; }
    QList<ViewController*> childViewControllers() const;
    void addChildViewController(ViewController* child);
    void removeFromParentViewController();

signals:
    // Each life-cycle call, by its name ("viewDidLoad", "viewWillAppear", ...).
    void lifeCycle(const QString& call);

protected:
    // Builds the view's controls (setupUi of the interface description).
    virtual void loadView();

private:
    RepresentedObject mRepresentedObject;
    bool mViewLoaded = false;
    QPointer<ViewController> mParentViewController;
    QList<QPointer<ViewController>> mChildViewControllers;
};
