#pragma once

#include "CustomButton.h"
#include "NamedPicture.h"

// The scan command: a picture for its face (one at rest, another while the
// pointer is over it) with a white title and an optional picture.
class ScanButton : public CustomButton {
    Q_OBJECT
    Q_PROPERTY(QString backgroundEnableImageName READ backgroundEnableImageName WRITE setBackgroundEnableImageName)
    Q_PROPERTY(QString backgroundDisableImageName READ backgroundDisableImageName WRITE setBackgroundDisableImageName)
public:
    explicit ScanButton(QWidget* parent = nullptr);

    // Face at rest.
    QIcon backgroundEnableImage() const { return mBackgroundEnablePicture.image; }
    void setBackgroundEnableImage(const QIcon& image) { mBackgroundEnablePicture.setImage(image); update(); }
    // Face while the pointer is over the button.
    QIcon backgroundDisableImage() const { return mBackgroundDisablePicture.image; }
    void setBackgroundDisableImage(const QIcon& image) { mBackgroundDisablePicture.setImage(image); update(); }
    QString backgroundEnableImageName() const { return mBackgroundEnablePicture.name; }
    void setBackgroundEnableImageName(const QString& name) { mBackgroundEnablePicture.setName(name); update(); }
    QString backgroundDisableImageName() const { return mBackgroundDisablePicture.name; }
    void setBackgroundDisableImageName(const QString& name) { mBackgroundDisablePicture.setName(name); update(); }

protected:
    void drawBackground(QPainter& painter) override;
    QColor titleColor() const override;
    // The highlight colour would vanish on the blue face: a white ring inside it.
    QColor focusRingColor() const override { return Qt::white; }
    double focusRingInset() const override { return 4; }

private:
    NamedPicture mBackgroundEnablePicture;
    NamedPicture mBackgroundDisablePicture;
};
