#pragma once

#include <QRect>
#include <optional>

#include "PaintedButton.h"

// A button with a picture that shows whether the pointer is over it.
// eventState is 1 while the pointer is outside and 0 while it is inside; it
// follows the pointer only once updateTrackingArea has installed hover
// tracking, which waking does when trackingAreaEnabled is set.
class HoverButton : public PaintedButton {
    Q_OBJECT
    Q_PROPERTY(int eventState READ eventState WRITE setEventState)
    Q_PROPERTY(bool trackingAreaEnabled READ trackingAreaEnabled WRITE setTrackingAreaEnabled)
    // The picture by its name among the application's images ("ic_back.png").
    Q_PROPERTY(QString imageName READ imageName WRITE setImageName)
public:
    explicit HoverButton(QWidget* parent = nullptr);

    int eventState() const { return mEventState; }
    void setEventState(int state);
    bool trackingAreaEnabled() const { return mTrackingAreaEnabled; }
    void setTrackingAreaEnabled(bool enabled) { mTrackingAreaEnabled = enabled; }
    QString imageName() const { return mImageName; }
    void setImageName(const QString& name);

    // Replaces any previous tracking by one over the current bounds.
    void updateTrackingArea();
    // The tracked rectangle, absent while nothing is tracked.
    std::optional<QRect> trackingArea() const { return mTrackingArea; }

protected:
    void awakeFromInterface() override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    // Called after eventState has changed, before the redraw.
    virtual void eventStateChanged(int /*state*/) {}

private:
    int mEventState = 1;
    bool mTrackingAreaEnabled = false;
    QString mImageName;
    std::optional<QRect> mTrackingArea;
};
