// The right-to-left mirroring pass on widget trees built here.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QSplitter>
#include <QStandardItemModel>
#include <QTabBar>
#include <QTableView>
#include <QHeaderView>
#include <gtest/gtest.h>

#include "AutoresizingMask.h"
#include "FwkUtilsMethod.h"
#include "LocalizedStrings.h"
#include "OV_Func.h"

namespace {
class InLanguage : public ::testing::Test {
protected:
    void TearDown() override { LocalizedStrings::useEnvironmentLanguage(); }
    static void rightToLeft() { LocalizedStrings::setLanguage("ar"); }
    static void leftToRight() { LocalizedStrings::setLanguage("en"); }
};

// A button that stores an image position like the application's own buttons.
class PositionedButton : public QPushButton {
    Q_OBJECT
    Q_PROPERTY(int imagePosition MEMBER imagePosition)
public:
    using QPushButton::QPushButton;
    int imagePosition = FwkUtilsMethod::ImageOnly;
};

QStringList columnOrder(QTableView& table)
{
    QStringList order;
    for (int position = 0; position < table.horizontalHeader()->count(); ++position) {
        const int logical = table.horizontalHeader()->logicalIndex(position);
        order << table.model()->headerData(logical, Qt::Horizontal).toString();
    }
    return order;
}

struct Tree {
    QWidget root;
    QPushButton* button;
    QLabel* label;
    QWidget* filler;
    Tree()
    {
        root.resize(400, 300);
        button = new QPushButton("OK", &root);
        button->setGeometry(10, 20, 100, 30);
        AutoresizingMask::setMask(button, AutoresizingMask::MaxXMargin);
        label = new QLabel("text", &root);
        label->setGeometry(150, 80, 120, 20);
        label->setAlignment(Qt::AlignLeft | Qt::AlignAbsolute | Qt::AlignVCenter);
        filler = new QWidget(&root);
        filler->setGeometry(0, 120, 400, 50);
        AutoresizingMask::setMask(filler, AutoresizingMask::WidthSizable | AutoresizingMask::MinXMargin |
                                              AutoresizingMask::MaxXMargin);
    }
};
} // namespace

using LayoutDirection = InLanguage;

TEST_F(LayoutDirection, LeftToRightChangesNothing)
{
    leftToRight();
    Tree tree;
    FwkUtilsMethod::layoutLeftToRight(&tree.root);
    EXPECT_EQ(tree.button->geometry(), QRect(10, 20, 100, 30));
    EXPECT_EQ(AutoresizingMask::mask(tree.button), AutoresizingMask::MaxXMargin);
    EXPECT_EQ(tree.label->alignment(), Qt::AlignLeft | Qt::AlignAbsolute | Qt::AlignVCenter);
    EXPECT_EQ(tree.root.layoutDirection(), Qt::LeftToRight);
    EXPECT_TRUE(FwkUtilsMethod::isLTR_LayoutDirection());
}

TEST_F(LayoutDirection, FramesMarginsAlignmentAndDirectionAreMirrored)
{
    rightToLeft();
    EXPECT_FALSE(FwkUtilsMethod::isLTR_LayoutDirection());
    Tree tree;
    FwkUtilsMethod::layoutLeftToRight(&tree.root);
    // 400 - (10 + 100): glued to the right edge now, as it was to the left.
    EXPECT_EQ(tree.button->geometry(), QRect(290, 20, 100, 30));
    EXPECT_EQ(AutoresizingMask::mask(tree.button), AutoresizingMask::MinXMargin);
    EXPECT_EQ(tree.label->geometry(), QRect(130, 80, 120, 20));
    EXPECT_EQ(tree.label->alignment(), Qt::AlignRight | Qt::AlignAbsolute | Qt::AlignVCenter);
    // Filling the parent: same frame; both margins flexible: mask kept.
    EXPECT_EQ(tree.filler->geometry(), QRect(0, 120, 400, 50));
    EXPECT_EQ(AutoresizingMask::mask(tree.filler),
              AutoresizingMask::WidthSizable | AutoresizingMask::MinXMargin | AutoresizingMask::MaxXMargin);
    for (QWidget* view : {&tree.root, static_cast<QWidget*>(tree.button), static_cast<QWidget*>(tree.label)}) {
        EXPECT_EQ(view->layoutDirection(), Qt::RightToLeft);
    }
    // The root has no parent: its frame stays.
    EXPECT_EQ(tree.root.geometry().size(), QSize(400, 300));
}

TEST_F(LayoutDirection, TwoPassesRestoreFramesMarginsAndLeftRightAlignment)
{
    rightToLeft();
    Tree tree;
    auto* natural = new QLabel("natural", &tree.root);
    natural->setGeometry(5, 200, 50, 20);
    natural->setAlignment(Qt::AlignLeft);  // leading: Qt's natural alignment
    auto* justified = new QLabel("justified", &tree.root);
    justified->setGeometry(60, 200, 50, 20);
    justified->setAlignment(Qt::AlignJustify);
    FwkUtilsMethod::layoutLeftToRight(&tree.root);
    FwkUtilsMethod::layoutLeftToRight(&tree.root);
    EXPECT_EQ(tree.button->geometry(), QRect(10, 20, 100, 30));
    EXPECT_EQ(AutoresizingMask::mask(tree.button), AutoresizingMask::MaxXMargin);
    EXPECT_EQ(tree.label->alignment(), Qt::AlignLeft | Qt::AlignAbsolute | Qt::AlignVCenter);
    EXPECT_EQ(natural->geometry(), QRect(5, 200, 50, 20));
    // Natural and justified come back as explicit left, not as they were.
    EXPECT_EQ(natural->alignment(), Qt::AlignLeft | Qt::AlignAbsolute);
    EXPECT_EQ(justified->alignment(), Qt::AlignLeft | Qt::AlignAbsolute);
}

TEST_F(LayoutDirection, AlignmentTable)
{
    using F = FwkUtilsMethod;
    EXPECT_EQ(F::mirroredAlignment(Qt::AlignRight | Qt::AlignAbsolute), int(Qt::AlignLeft | Qt::AlignAbsolute));
    EXPECT_EQ(F::mirroredAlignment(Qt::AlignRight), int(Qt::AlignLeft | Qt::AlignAbsolute));
    EXPECT_EQ(F::mirroredAlignment(Qt::AlignCenter), int(Qt::AlignCenter));
    EXPECT_EQ(F::mirroredAlignment(Qt::AlignLeft | Qt::AlignTop), int(Qt::AlignRight | Qt::AlignAbsolute | Qt::AlignTop));
    EXPECT_EQ(F::mirroredAlignment(Qt::AlignJustify), int(Qt::AlignRight | Qt::AlignAbsolute));
    EXPECT_EQ(F::mirroredAlignment(0), int(Qt::AlignRight | Qt::AlignAbsolute));
}

TEST_F(LayoutDirection, ImagePositions)
{
    rightToLeft();
    QWidget root;
    root.resize(200, 100);
    auto* alone = new PositionedButton(&root);
    auto* right = new PositionedButton(&root);
    right->imagePosition = FwkUtilsMethod::ImageRight;
    auto* above = new PositionedButton(&root);
    above->imagePosition = FwkUtilsMethod::ImageAbove;
    FwkUtilsMethod::layoutLeftToRight(&root);
    EXPECT_EQ(alone->imagePosition, FwkUtilsMethod::ImageRight);
    EXPECT_EQ(right->imagePosition, FwkUtilsMethod::ImageLeft);
    EXPECT_EQ(above->imagePosition, FwkUtilsMethod::ImageRight);
    FwkUtilsMethod::layoutLeftToRight(&root);
    EXPECT_EQ(above->imagePosition, FwkUtilsMethod::ImageLeft); // not restored to "above"
}

TEST_F(LayoutDirection, TableColumnsAreReversed)
{
    rightToLeft();
    QWidget root;
    root.resize(400, 300);
    QStandardItemModel model(2, 3);
    model.setHorizontalHeaderLabels({"A", "B", "C"});
    auto* table = new QTableView(&root);
    table->setModel(&model);
    table->setGeometry(0, 0, 400, 300);
    FwkUtilsMethod::layoutLeftToRight(&root);
    EXPECT_EQ(columnOrder(*table), QStringList({"C", "B", "A"}));
    EXPECT_EQ(model.headerData(0, Qt::Horizontal, Qt::TextAlignmentRole).toInt(),
              int(Qt::AlignRight | Qt::AlignAbsolute | Qt::AlignVCenter));
    FwkUtilsMethod::layoutLeftToRight(&root);
    EXPECT_EQ(columnOrder(*table), QStringList({"A", "B", "C"}));

    QStandardItemModel single(1, 1);
    single.setHorizontalHeaderLabels({"Only"});
    QTableView one;
    one.setModel(&single);
    FwkUtilsMethod::layoutLeftToRight(&one);
    EXPECT_EQ(columnOrder(one), QStringList({"Only"}));
}

TEST_F(LayoutDirection, SegmentedControlSplitViewAndSlider)
{
    rightToLeft();
    QWidget root;
    root.resize(400, 300);
    auto* segments = new QTabBar(&root);
    segments->addTab("one");
    segments->addTab("two");
    segments->setGeometry(10, 10, 150, 30);
    auto* side = new QSplitter(Qt::Horizontal, &root);
    side->setGeometry(0, 50, 400, 100);
    auto* left = new QLabel("left");
    auto* right = new QLabel("right");
    side->addWidget(left);
    side->addWidget(right);
    auto* stacked = new QSplitter(Qt::Vertical, &root);
    stacked->setGeometry(0, 160, 400, 100);
    auto* top = new QLabel("top");
    stacked->addWidget(top);
    stacked->addWidget(new QLabel("bottom"));
    auto* slider = new QSlider(Qt::Vertical, &root);
    slider->setTickPosition(QSlider::TicksRight);
    auto* flat = new QSlider(Qt::Horizontal, &root);
    flat->setTickPosition(QSlider::TicksAbove);
    FwkUtilsMethod::layoutLeftToRight(&root);

    EXPECT_EQ(segments->geometry(), QRect(10, 10, 150, 30));
    EXPECT_EQ(segments->layoutDirection(), Qt::RightToLeft); // inherited, not set by the pass
    EXPECT_FALSE(segments->testAttribute(Qt::WA_SetLayoutDirection));
    EXPECT_EQ(segments->tabText(0), "one");
    EXPECT_EQ(side->widget(0), right);
    EXPECT_EQ(side->widget(1), left);
    EXPECT_EQ(stacked->widget(0), top);
    EXPECT_EQ(slider->tickPosition(), QSlider::TicksLeft);
    EXPECT_EQ(flat->tickPosition(), QSlider::TicksAbove);
}

TEST(ReadingOrder, ParentFirstThenRowsThenLeftEdges)
{
    QWidget root;
    root.resize(300, 300);
    auto* lower = new QWidget(&root);
    lower->setGeometry(0, 100, 50, 50);
    auto* upperRight = new QWidget(&root);
    upperRight->setGeometry(200, 10, 50, 50);
    auto* upperLeft = new QWidget(&root);
    upperLeft->setGeometry(20, 10, 50, 50);
    auto* inner = new QWidget(upperRight);
    inner->setGeometry(0, 0, 10, 10);
    // A table's own parts (viewport, header, scroll bars) are not listed.
    auto* table = new QTableView(&root);
    table->setGeometry(0, 200, 100, 50);

    const QList<QWidget*> expected{&root, upperLeft, upperRight, inner, lower, table};
    EXPECT_EQ(OV_Func::deepSubviewsAtView(&root), expected);
    EXPECT_TRUE(OV_Func::deepSubviewsAtView(nullptr).isEmpty());
    EXPECT_EQ(SortViewFunc(upperLeft, upperRight, nullptr), -1);
    EXPECT_EQ(SortViewFunc(lower, upperLeft, nullptr), 1);
    EXPECT_EQ(SortViewFunc(upperLeft, upperLeft, nullptr), 0);
    // Compared in window coordinates: the inner view (window y 10) is above "lower".
    EXPECT_EQ(SortViewFunc(inner, lower, nullptr), -1);
    // A view without a parent counts as an empty rectangle at the origin.
    QWidget orphan;
    EXPECT_EQ(SortViewFunc(&orphan, upperLeft, nullptr), -1);
}

#include "LayoutDirectionTest.moc"
