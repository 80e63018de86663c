#pragma once

#include <functional>

#include "CustomSegue.h"
#include "ViewController.h"

class QAbstractButton;

// The screens' base. A screen never shows another one itself: it hands a
// CustomSegue to transition(), and the handler the container installed does
// the rest.
class VXViewController : public ViewController {
    Q_OBJECT
public:
    using TransitionHandler = std::function<void(const CustomSegue& segue)>;

    explicit VXViewController(QWidget* parent = nullptr);
    ~VXViewController() override;

    // Stores the handler; a later call replaces it.
    void transitionCompletionHandler(TransitionHandler handler);
    // Calls the handler with the segue, synchronously; nothing without a handler.
    // The change of screen is complete when it returns.
    void transition(const CustomSegue& segue);

protected:
    // Escape presses the screen's back button while the screen is shown.
    void backOnEscape(QAbstractButton* back);

private:
    TransitionHandler mCompletion;
};
