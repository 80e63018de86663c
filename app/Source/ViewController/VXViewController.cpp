#include "VXViewController.h"

#include <QAbstractButton>
#include <QShortcut>

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

void VXViewController::backOnEscape(QAbstractButton* back)
{
    // A hidden screen's shortcut does not fire: only the screen shown goes back.
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    escape->setContext(Qt::WindowShortcut);
    connect(escape, &QShortcut::activated, back, &QAbstractButton::click);
}
