// Where the command buttons and the scanner selector put their pictures and
// titles, in both reading directions.
#include <QImage>
#include <gtest/gtest.h>

#include "CustomButton.h"
#include "NamedImage.h"
#include "ScanerSelectButton.h"

namespace {
const QSizeF kFace(200, 40);
const QSizeF kTitle(60, 16);

QRectF square(double x, double y, double side)
{
    return {x, y, side, side};
}
} // namespace

TEST(CustomButtonLayout, TitleWithoutPictureIsCentredBothWays)
{
    for (bool ltr : {true, false}) {
        const auto layout = CustomButton::layoutContents(kFace, kTitle, false, ltr);
        EXPECT_EQ(layout.title, QRectF(70, 12, 60, 16));
        EXPECT_TRUE(layout.image.isNull());
    }
}

TEST(CustomButtonLayout, PictureBeforeTheTitleInReadingOrder)
{
    // s = (200 - 60 + 20) / 2 = 80
    const auto ltr = CustomButton::layoutContents(kFace, kTitle, true, true);
    EXPECT_EQ(ltr.image, square(55, 10, 20));
    EXPECT_EQ(ltr.title, QRectF(80, 12, 60, 16));
    EXPECT_DOUBLE_EQ(ltr.title.left() - ltr.image.right(), 5);

    const auto rtl = CustomButton::layoutContents(kFace, kTitle, true, false);
    EXPECT_EQ(rtl.title, QRectF(60, 12, 60, 16));
    EXPECT_EQ(rtl.image, square(125, 10, 20));
    EXPECT_DOUBLE_EQ(rtl.image.left() - rtl.title.right(), 5);
    // Each direction is the other's mirror image.
    EXPECT_DOUBLE_EQ(rtl.image.left(), kFace.width() - ltr.image.right());
    EXPECT_DOUBLE_EQ(rtl.title.left(), kFace.width() - ltr.title.right());
}

TEST(ScannerSelectorLayout, PartsAtTheirPlacesBothWays)
{
    const QSizeF face(300, 60);
    const auto ltr = ScanerSelectButton::layoutContents(face, kTitle, true);
    EXPECT_EQ(ltr.scaner, square(25, 10, 40));
    EXPECT_EQ(ltr.state, square(115, 24, 12));
    EXPECT_EQ(ltr.title, QRectF(142, 22, 60, 16));

    const auto rtl = ScanerSelectButton::layoutContents(face, kTitle, false);
    EXPECT_EQ(rtl.scaner, square(235, 10, 40));
    EXPECT_EQ(rtl.state, square(145, 24, 12));
    EXPECT_EQ(rtl.title, QRectF(70, 22, 60, 16));
    EXPECT_DOUBLE_EQ(rtl.state.left() - rtl.title.right(), 15);
}

TEST(ScannerSelectorLayout, WithoutScannerPictureOnlyThePanelIsDrawn)
{
    ScanerSelectButton selector;
    selector.setText("Scanner 7");
    selector.resize(300, 60);
    selector.setSelectedStateImageName("ic_selected.png");
    selector.setUnselectedStateImageName("ic_unselected.png");

    auto darkPixelsInside = [&selector] {
        const QImage image = selector.grab().toImage();
        int dark = 0;
        for (int y = 2; y < image.height() - 2; ++y) {
            for (int x = 2; x < image.width() - 2; ++x) {
                dark += qGray(image.pixel(x, y)) < 200;
            }
        }
        return std::pair{dark, image};
    };
    const auto [withoutPicture, bare] = darkPixelsInside();
    EXPECT_EQ(withoutPicture, 0);
    EXPECT_EQ(qGray(bare.pixel(0, 30)), 0) << "the border is drawn";

    selector.setScanerImageName("ic_scanner.png");
    EXPECT_GT(darkPixelsInside().first, 0);
}
