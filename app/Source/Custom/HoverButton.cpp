#include "HoverButton.h"

#include <QCursor>
#include <QEnterEvent>
#include <QResizeEvent>

#include "NamedImage.h"

HoverButton::HoverButton(QWidget* parent) : PaintedButton(parent) {}

void HoverButton::setEventState(int state)
{
    if (state == mEventState) {
        return;
    }
    mEventState = state;
    eventStateChanged(state);
    update();
}

void HoverButton::setImageName(const QString& name)
{
    mImageName = name;
    setIcon(NamedImage::imageNamed(name));
    update();
}

void HoverButton::updateTrackingArea()
{
    mTrackingArea = rect();
    setAttribute(Qt::WA_Hover, true);
}

void HoverButton::awakeFromInterface()
{
    if (mTrackingAreaEnabled) {
        updateTrackingArea();
    }
}

void HoverButton::enterEvent(QEnterEvent* event)
{
    PaintedButton::enterEvent(event);
    if (mTrackingArea) {
        setEventState(0);
    }
}

void HoverButton::leaveEvent(QEvent* event)
{
    PaintedButton::leaveEvent(event);
    if (mTrackingArea) {
        setEventState(1);
    }
}

void HoverButton::resizeEvent(QResizeEvent* event)
{
    PaintedButton::resizeEvent(event);
    // The tracked area follows the button's size, so a button laid out after
    // waking still reacts over all of its face.
    if (mTrackingArea) {
        mTrackingArea = rect();
    }
}

void HoverButton::moveEvent(QMoveEvent* event)
{
    PaintedButton::moveEvent(event);
    // A button moved away from under the pointer (the mirroring pass moves the
    // views of a screen that is shown) gets no leave event: its hover ends here.
    if (mTrackingArea && mEventState == 0 && !rect().contains(mapFromGlobal(QCursor::pos()))) {
        setEventState(1);
    }
}
