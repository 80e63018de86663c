// The click-swallowing mask and the job card outline.
#include <QImage>
#include <QPainter>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include "CustomMaskView.h"
#include "JobItemBackgroundView.h"

namespace {
// Counts the presses that reach it: the content view of the window.
struct Content : QWidget {
    int presses = 0;
    void mousePressEvent(QMouseEvent*) override { ++presses; }
};

QColor at(const QImage& image, int x, int y)
{
    return QColor::fromRgba(image.pixel(x, y));
}

QImage renderCard(bool highlighted)
{
    JobItemBackgroundView card;
    card.resize(200, 100);
    card.setHighlight(highlighted);
    QImage image(200, 100, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    card.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    return image;
}
} // namespace

TEST(CustomMask, SwallowsClicksMeantForWhatItCovers)
{
    Content window;
    window.resize(300, 200);
    auto* button = new QPushButton("Scan", &window);
    button->setGeometry(20, 20, 100, 30);
    QSignalSpy clicked(button, &QPushButton::clicked);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

    auto* mask = new CustomMaskView(&window);
    mask->setGeometry(0, 0, 300, 200);
    mask->show();
    mask->raise();
    for (QPoint at : {QPoint(60, 35), QPoint(250, 150)}) {
        QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(window.windowHandle(), Qt::LeftButton, {}, at);
    }
    EXPECT_EQ(clicked.count(), 0);
    EXPECT_EQ(window.presses, 0);

    delete mask;
    QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {}, QPoint(60, 35));
    EXPECT_EQ(clicked.count(), 1) << "clicks come through again once the mask is gone";
}

TEST(JobCard, OutlineHasTheLargeCornerAtTheBottomLeft)
{
    const QPainterPath path = JobItemBackgroundView::contentsPathWithFrame(QRectF(10, 20, 200, 100));
    ASSERT_EQ(path.elementCount(), 1 + 4 * 3 + 3 + 1); // move, four curves, three lines, closing line
    // Starts on the bottom edge, 19 from the left, and curves up the left edge.
    EXPECT_EQ(QPointF(path.elementAt(0)), QPointF(29, 120));
    EXPECT_NEAR(path.elementAt(1).x, 10 + 19 - 0.553 * 19, 1e-9);
    EXPECT_EQ(path.elementAt(1).y, 120);
    EXPECT_EQ(path.elementAt(2).x, 10);
    EXPECT_NEAR(path.elementAt(2).y, 120 - 19 + 0.553 * 19, 1e-9);
    EXPECT_EQ(QPointF(path.elementAt(3)), QPointF(10, 101));
    EXPECT_EQ(path.boundingRect(), QRectF(10, 20, 200, 100));
}

TEST(JobCard, DrawsItsCornersEdgeAndFaceWhetherHighlightedOrNot)
{
    struct Look {
        bool highlighted;
        QColor edge;
        QColor face;
    };
    for (const Look& look : {Look{false, QColor(0xDC, 0xDC, 0xDC), QColor(Qt::white)},
                             Look{true, QColor(0xFF, 0xA2, 0x00), QColor(0xFF, 0xF9, 0xE4)}}) {
        SCOPED_TRACE(look.highlighted);
        const QImage card = renderCard(look.highlighted);
        // Three points in from each corner: outside the card only at the
        // bottom left.
        EXPECT_EQ(at(card, 3, 96).alpha(), 0);
        EXPECT_EQ(at(card, 3, 3).alpha(), 255);
        EXPECT_EQ(at(card, 196, 3).alpha(), 255);
        EXPECT_EQ(at(card, 196, 96).alpha(), 255);
        EXPECT_EQ(at(card, 0, 50), look.edge);
        EXPECT_EQ(at(card, 100, 99), look.edge);
        EXPECT_EQ(at(card, 100, 50), look.face);
        EXPECT_EQ(at(card, 1, 50), look.highlighted ? look.edge : look.face) << "the edge is 2 wide when highlighted";
    }
}
