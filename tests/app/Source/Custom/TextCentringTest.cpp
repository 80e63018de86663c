// Vertical placement of the progress text and of the text in the centred text field.
#include <QImage>
#include <gtest/gtest.h>

#include "CustomTextFieldCell.h"
#include "ProcessTextFieldCell.h"

namespace {
// First and last rows of the image that hold a dark pixel.
std::pair<int, int> inkRows(const QImage& image)
{
    int first = -1;
    int last = -1;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qGray(image.pixel(x, y)) < 128) {
                first = first < 0 ? y : first;
                last = y;
                break;
            }
        }
    }
    return {first, last};
}
} // namespace

TEST(ProgressText, BlockIsCentredOnTheMiddleByWholePoints)
{
    EXPECT_EQ(ProcessTextFieldCell::drawingRect(QRectF(0, 0, 300, 100), QRectF(0, 0, 280, 45)),
              QRectF(0, 28, 300, 45)); // trunc(50) - trunc(22.5)
    EXPECT_EQ(ProcessTextFieldCell::drawingRect(QRectF(0, 0, 300, 41), QRectF(0, 0, 100, 17)), QRectF(0, 12, 300, 17));
    EXPECT_EQ(ProcessTextFieldCell::drawingRect(QRectF(4, 2, 300, 40), QRectF()), QRectF(4, 22, 300, 0));
}

TEST(ProgressText, OneAndThreeLinesAreDrawnAroundTheMiddle)
{
    for (const char* text : {"Searching for scanners...", "Registering jobs...\nLobby scanner\nJob No.12(Set)"}) {
        SCOPED_TRACE(text);
        ProcessTextFieldCell label;
        label.setStyleSheet("background: white; color: black;");
        label.resize(300, 121);
        label.setText(text);
        const auto [top, bottom] = inkRows(label.grab().toImage());
        ASSERT_GE(top, 0);
        EXPECT_NEAR((top + bottom) / 2.0, 121 / 2.0, 4);
    }
}

TEST(CentredTextField, InsetFollowsTheFrameHeightAndNeverGoesNegative)
{
    EXPECT_EQ(CustomTextFieldCell::verticalInset(30, 12, 3), 2);   // floor(7.5) - 5
    EXPECT_EQ(CustomTextFieldCell::verticalInset(41, 12.5, 3.5), 7); // floor(12.5) - 5
    EXPECT_EQ(CustomTextFieldCell::verticalInset(22, 13, 4), -3);

    CustomTextFieldCell field;
    const QFontMetricsF metrics(field.font());
    field.resize(200, 60);
    field.show();
    const int expected = CustomTextFieldCell::verticalInset(60, metrics.ascent(), metrics.descent());
    ASSERT_GT(expected, 0);
    EXPECT_EQ(field.textMargins().top(), expected);
    EXPECT_EQ(field.textMargins().bottom(), expected);
    field.resize(200, 12);
    EXPECT_EQ(field.textMargins().top(), 0);
}
