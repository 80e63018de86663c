#pragma once

#include <QRectF>

#include "HoverButton.h"

// A command button with a title and an optional 20-point picture beside it,
// on a rounded white face that turns translucent grey while hovered. The
// picture sits before the title in the reading direction of the language.
class CustomButton : public HoverButton {
    Q_OBJECT
    Q_PROPERTY(double cornerRadius READ cornerRadius WRITE setCornerRadius)
    Q_PROPERTY(bool isLTR READ isLTR WRITE setIsLTR)
public:
    static constexpr double kImageSide = 20;

    // Where the title and the picture go on a face of the given size; the
    // image rectangle is null when there is no picture.
    struct ContentLayout {
        QRectF title;
        QRectF image;
    };
    static ContentLayout layoutContents(const QSizeF& face, const QSizeF& titleSize, bool hasImage, bool isLTR);

    explicit CustomButton(QWidget* parent = nullptr);

    double cornerRadius() const { return mCornerRadius; }
    void setCornerRadius(double radius);
    bool isLTR() const { return mIsLTR; }
    void setIsLTR(bool leftToRight);

protected:
    void awakeFromInterface() override;
    void paintEvent(QPaintEvent* event) override;
    virtual void drawBackground(QPainter& painter);
    virtual QColor titleColor() const;
    QPainterPath facePath() const;

private:
    double mCornerRadius = 0;
    bool mIsLTR;
};
