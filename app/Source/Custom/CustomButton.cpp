#include "CustomButton.h"

#include <QPainter>
#include <QPainterPath>
#include <QStyle>
#include <algorithm>

#include "FwkUtilsMethod.h"

CustomButton::ContentLayout CustomButton::layoutContents(const QSizeF& face, const QSizeF& titleSize, bool hasImage,
                                                         bool isLTR)
{
    const double W = face.width();
    const double H = face.height();
    const double tw = titleSize.width();
    const double th = titleSize.height();
    const double titleY = (H - th) / 2;
    if (!hasImage) {
        return {QRectF((W - tw) / 2, titleY, tw, th), QRectF()};
    }
    // The picture and the title, 5 points apart, around the middle of the face.
    const double s = (W - tw + kImageSide) / 2;
    const double imageY = (H - kImageSide) / 2;
    if (isLTR) {
        return {QRectF(s, titleY, tw, th), QRectF(s - 25, imageY, kImageSide, kImageSide)};
    }
    return {QRectF(s - kImageSide, titleY, tw, th), QRectF(s + tw - 15, imageY, kImageSide, kImageSide)};
}

CustomButton::CustomButton(QWidget* parent) : HoverButton(parent), mIsLTR(FwkUtilsMethod::isLTR_LayoutDirection()) {}

void CustomButton::setCornerRadius(double radius)
{
    mCornerRadius = radius;
    update();
}

void CustomButton::setIsLTR(bool leftToRight)
{
    mIsLTR = leftToRight;
    update();
}

void CustomButton::awakeFromInterface()
{
    mIsLTR = FwkUtilsMethod::isLTR_LayoutDirection();
    HoverButton::awakeFromInterface();
}

QPainterPath CustomButton::facePath() const
{
    QPainterPath face;
    face.addRoundedRect(QRectF(rect()), mCornerRadius, mCornerRadius);
    return face;
}

void CustomButton::drawBackground(QPainter& painter)
{
    painter.fillPath(facePath(), eventState() == 1 ? QColor(Qt::white) : QColor::fromRgbF(0.75, 0.75, 0.75, 0.5));
    // A hairline edge, so that the button stays visible on a white panel.
    painter.strokePath(facePath(), QPen(QColor(0xd0, 0xd4, 0xda), 1));
}

QColor CustomButton::titleColor() const
{
    return palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText);
}

void CustomButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    drawBackground(painter);

    const QFontMetricsF metrics(font());
    const QString title = text();
    // The "&" before the access letter is not drawn; the letter is underlined
    // where the style underlines access letters.
    const int accessLetter =
        style()->styleHint(QStyle::SH_UnderlineShortcut, nullptr, this) ? Qt::TextShowMnemonic : Qt::TextHideMnemonic;
    const QSizeF titleSize(metrics.size(Qt::TextSingleLine | accessLetter, title).width(), metrics.height());
    const ContentLayout layout = layoutContents(size(), titleSize, !icon().isNull(), mIsLTR);
    if (!layout.image.isNull()) {
        icon().paint(&painter, layout.image.toRect(), Qt::AlignCenter, iconMode());
    }
    painter.setPen(titleColor());
    painter.setFont(font());
    // The title in its own writing direction, whatever the language of the screens.
    painter.setLayoutDirection(title.isRightToLeft() ? Qt::RightToLeft : Qt::LeftToRight);
    painter.drawText(layout.title, Qt::AlignCenter | Qt::TextSingleLine | accessLetter, title);
    drawFocusRing(painter, std::max(mCornerRadius, 3.0));
}
