#include "ScanerSelectButton.h"

#include <QPainter>
#include <algorithm>

#include "FwkUtilsMethod.h"

ScanerSelectButton::ContentLayout ScanerSelectButton::layoutContents(const QSizeF& face, const QSizeF& titleSize,
                                                                     bool isLTR)
{
    const double W = face.width();
    const double H = face.height();
    const double tw = titleSize.width();
    const double scanerY = (H - kScanerSide) / 2;
    const double stateY = (H - kStateSide) / 2;
    const double titleY = (H - titleSize.height()) / 2;
    if (isLTR) {
        return {QRectF(25, scanerY, kScanerSide, kScanerSide), QRectF(115, stateY, kStateSide, kStateSide),
                QRectF(142, titleY, tw, titleSize.height())};
    }
    return {QRectF(W - 65, scanerY, kScanerSide, kScanerSide), QRectF(W - 155, stateY, kStateSide, kStateSide),
            QRectF(W - 170 - tw, titleY, tw, titleSize.height())};
}

double ScanerSelectButton::availableTitleWidth(double faceWidth, bool isLTR)
{
    return std::max(0.0, faceWidth - (isLTR ? 142 : 170) - kTitleMargin);
}

ScanerSelectButton::ScanerSelectButton(QWidget* parent)
    : PaintedButton(parent), mIsLTR(FwkUtilsMethod::isLTR_LayoutDirection())
{
}

void ScanerSelectButton::setSelectedState(int64_t state)
{
    mSelectedState = state;
    update();
}

void ScanerSelectButton::setIsLTR(bool leftToRight)
{
    mIsLTR = leftToRight;
    update();
}

void ScanerSelectButton::awakeFromInterface()
{
    mIsLTR = FwkUtilsMethod::isLTR_LayoutDirection();
    setChecked(false);
}

void ScanerSelectButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    painter.setPen(QPen(Qt::black, 1));
    painter.drawRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5));

    const QIcon& stateImage = mSelectedState != 0 ? mSelectedPicture.image : mUnselectedPicture.image;
    if (!stateImage.isNull() && !mScanerPicture.image.isNull()) {
        painter.setRenderHint(QPainter::Antialiasing);
        const QFontMetricsF metrics(font());
        // A long scanner name is cut short rather than run off the panel.
        const QString title =
            metrics.elidedText(text(), Qt::ElideRight, availableTitleWidth(width(), mIsLTR));
        const ContentLayout layout =
            layoutContents(size(), QSizeF(metrics.horizontalAdvance(title), metrics.height()), mIsLTR);
        mScanerPicture.image.paint(&painter, layout.scaner.toRect(), Qt::AlignCenter, iconMode());
        stateImage.paint(&painter, layout.state.toRect(), Qt::AlignCenter, iconMode());
        painter.setFont(font());
        painter.setLayoutDirection(title.isRightToLeft() ? Qt::RightToLeft : Qt::LeftToRight);
        painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
        painter.drawText(QPointF(layout.title.x(), layout.title.y() + metrics.ascent()), title);
    }
    drawFocusRing(painter, 0);
}
