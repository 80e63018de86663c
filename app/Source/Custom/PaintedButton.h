#pragma once

#include <QPushButton>

class QPainterPath;

// Common ground of the application's own buttons: they paint themselves, take
// the keyboard focus with Tab, react to Space and Return, and draw a focus ring
// while focused. Properties set in the interface descriptions take effect when
// the button wakes, that is at its first polish, after setupUi has run.
class PaintedButton : public QPushButton {
    Q_OBJECT
    // Numbered as FwkUtilsMethod::ImagePosition; only stored, so that the
    // mirroring pass can turn it round.
    Q_PROPERTY(int imagePosition READ imagePosition WRITE setImagePosition)
    // Key in the string table of the name that assistive technology reads out
    // (and the tool tip), for buttons that show a picture instead of a title.
    Q_PROPERTY(QString accessibleNameKey READ accessibleNameKey WRITE setAccessibleNameKey)
public:
    explicit PaintedButton(QWidget* parent = nullptr);

    int imagePosition() const { return mImagePosition; }
    void setImagePosition(int position) { mImagePosition = position; }
    QString accessibleNameKey() const { return mAccessibleNameKey; }
    void setAccessibleNameKey(const QString& key);

    bool isAwake() const { return mAwake; }

protected:
    bool event(QEvent* event) override;
    // Runs once, at the first polish.
    virtual void awakeFromInterface() {}
    // A ring along the shape while the button has the keyboard focus.
    void drawFocusRing(QPainter& painter, const QPainterPath& shape) const;
    void drawFocusRing(QPainter& painter, double cornerRadius = 3) const;
    // The ring's colour; buttons with a dark face draw it light.
    virtual QColor focusRingColor() const;
    // How far inside the button's edge the ring runs: along the edge for
    // buttons on a light panel, inside the face for those with a dark one,
    // where a light ring at the edge would merge into the panel around it.
    virtual double focusRingInset() const { return 1.25; }
    QIcon::Mode iconMode() const;

private:
    int mImagePosition = 0;
    QString mAccessibleNameKey;
    bool mAwake = false;
};
