#pragma once

#include "CustomButton.h"

// The scan command: a picture for its face (one at rest, another while the
// pointer is over it) with a white title and an optional picture.
class ScanButton : public CustomButton {
    Q_OBJECT
    Q_PROPERTY(QString backgroundEnableImageName READ backgroundEnableImageName WRITE setBackgroundEnableImageName)
    Q_PROPERTY(QString backgroundDisableImageName READ backgroundDisableImageName WRITE setBackgroundDisableImageName)
public:
    explicit ScanButton(QWidget* parent = nullptr);

    // Face at rest.
    QIcon backgroundEnableImage() const { return mBackgroundEnableImage; }
    void setBackgroundEnableImage(const QIcon& image);
    // Face while the pointer is over the button.
    QIcon backgroundDisableImage() const { return mBackgroundDisableImage; }
    void setBackgroundDisableImage(const QIcon& image);
    QString backgroundEnableImageName() const { return mBackgroundEnableImageName; }
    void setBackgroundEnableImageName(const QString& name);
    QString backgroundDisableImageName() const { return mBackgroundDisableImageName; }
    void setBackgroundDisableImageName(const QString& name);

protected:
    void drawBackground(QPainter& painter) override;
    QColor titleColor() const override;

private:
    QIcon mBackgroundEnableImage;
    QIcon mBackgroundDisableImage;
    QString mBackgroundEnableImageName;
    QString mBackgroundDisableImageName;
};
