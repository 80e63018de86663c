#pragma once

#include "HoverButton.h"

class QPropertyAnimation;

// A picture-only button for the screens' title bars (back, close). It fades to
// 0.4 opacity while the pointer is over it and comes back to full opacity
// when the pointer leaves.
class ToolbarButton : public HoverButton {
    Q_OBJECT
    Q_PROPERTY(double opacity READ opacity WRITE setOpacity)
    // The picture points along the reading direction (a back arrow): it is
    // drawn mirrored once the screen has been mirrored for right to left.
    Q_PROPERTY(bool directionalImage READ directionalImage WRITE setDirectionalImage)
public:
    static constexpr double kHoverOpacity = 0.4;
    static constexpr int kFadeMilliseconds = 120;

    explicit ToolbarButton(QWidget* parent = nullptr);

    double opacity() const { return mOpacity; }
    void setOpacity(double opacity);
    // The opacity the button is on its way to (or at).
    double targetOpacity() const;
    bool directionalImage() const { return mDirectionalImage; }
    void setDirectionalImage(bool directional);

protected:
    void paintEvent(QPaintEvent* event) override;
    void eventStateChanged(int state) override;

private:
    double mOpacity = 1.0;
    bool mDirectionalImage = false;
    QPropertyAnimation* mFade;
};
