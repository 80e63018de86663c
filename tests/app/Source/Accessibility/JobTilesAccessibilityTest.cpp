// The job grid as assistive technology sees it: a list of selectable job
// items, and the events that tell a screen reader where the arrows went.
#include <QAccessible>
#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

#include "AccessibilityTestSupport.h"
#include "FWKVXSDK/EnumExtensions.h"

namespace {
class JobTiles : public AccessibleScreens {
protected:
    void SetUp() override
    {
        AccessibleScreens::SetUp();
        stored(1, FileFormat::Pdf, "Invoices");
        stored(2, FileFormat::Jpeg, "Quarterly statements for the accounting department");
        stored(3, FileFormat::Tiff, "Photos");
    }

    QAccessibleInterface* tiles() const { return QAccessible::queryAccessibleInterface(grid()); }
    QAccessibleInterface* item(int index) const { return tiles()->child(index); }
};
} // namespace

TEST_F(JobTiles, AreSelectableItemsNamedByNumberNameAndFormat)
{
    open();
    QAccessibleInterface* jobs = tiles();
    EXPECT_EQ(jobs->role(), QAccessible::List);
    EXPECT_EQ(jobs->text(QAccessible::Name).toStdString(), en("LabelScanSettings")) << "its label names it";
    ASSERT_EQ(jobs->childCount(), 3);
    EXPECT_EQ(item(0)->role(), QAccessible::ListItem);
    EXPECT_EQ(item(0)->text(QAccessible::Name), "Job 1, Invoices, PDF");
    EXPECT_EQ(item(1)->text(QAccessible::Name), "Job 2, Quarterly statements for the accounting department, JPEG")
        << "the whole name, which the tile shows cut short";
    EXPECT_EQ(item(2)->text(QAccessible::Name), "Job 3, Photos, TIFF");
    EXPECT_EQ(item(1)->parent(), jobs);
    EXPECT_EQ(jobs->indexOfChild(item(1)), 1);
    EXPECT_TRUE(item(0)->state().selectable);
    EXPECT_FALSE(item(0)->state().selected);

    // The tile's two buttons are its children and say which job they act on.
    ASSERT_EQ(item(2)->childCount(), 2);
    EXPECT_EQ(item(2)->child(0)->text(QAccessible::Name), "Edit job 3, Photos");
    EXPECT_EQ(item(2)->child(1)->text(QAccessible::Name), "Remove job 3, Photos");
    EXPECT_EQ(item(2)->child(1)->parent(), item(2));
    EXPECT_EQ(item(2)->indexOfChild(item(2)->child(1)), 1);

    // In the user's language.
    LocalizedStrings::setLanguage("ar");
    window.reset();
    open();
    EXPECT_EQ(item(0)->text(QAccessible::Name), QString::fromUtf8("المهمة 1، Invoices، PDF"));
}

TEST_F(JobTiles, ArrowKeysMoveSelectionAndFocusAndTellOfBoth)
{
    open();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    ASSERT_TRUE(accessibilityActive()) << "the accessibility bus is not up";
    AccessibilityEvents events;
    grid()->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    EXPECT_TRUE(events.targetsOf(QAccessible::Selection).empty()) << "nothing selected yet";

    QTest::keyClick(grid(), Qt::Key_Down);
    EXPECT_EQ(events.targetsOf(QAccessible::Selection), std::vector{QAccessible::uniqueId(item(0))});
    EXPECT_EQ(events.targetsOf(QAccessible::Focus).back(), QAccessible::uniqueId(item(0)));
    EXPECT_TRUE(item(0)->state().selected);
    EXPECT_TRUE(item(0)->state().focused);

    events.events.clear();
    QTest::keyClick(grid(), Qt::Key_Right);
    EXPECT_EQ(events.targetsOf(QAccessible::SelectionRemove), std::vector{QAccessible::uniqueId(item(0))});
    EXPECT_EQ(events.targetsOf(QAccessible::Selection), std::vector{QAccessible::uniqueId(item(1))});
    EXPECT_EQ(events.targetsOf(QAccessible::Focus), std::vector{QAccessible::uniqueId(item(1))});
    EXPECT_FALSE(item(0)->state().selected);
    EXPECT_TRUE(item(1)->state().focused);
    EXPECT_EQ(tiles()->focusChild(), item(1));

    // Back in the grid with Tab: after Qt tells of the grid's focus, the
    // selected job is the one a screen reader names.
    list()->btnAddJob->setFocus(Qt::TabFocusReason);
    events.events.clear();
    grid()->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    const auto focused = events.targetsOf(QAccessible::Focus);
    ASSERT_FALSE(focused.empty());
    EXPECT_EQ(focused.back(), QAccessible::uniqueId(item(1)));
    EXPECT_FALSE(item(2)->state().focused);
}
