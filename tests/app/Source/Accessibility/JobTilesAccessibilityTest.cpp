#include <QApplication>
#include <gtest/gtest.h>

#include "AccessibilityTestSupport.h"
#include "FWKVXSDK/EnumExtensions.h"

TEST_F(AccessibleScreens, JobTilesAreSelectableNamedItemsThatArrowKeysSelectFocusAndTellOf)
{
    stored(1, FileFormat::Pdf, "Invoices");
    stored(2, FileFormat::Jpeg, "Quarterly statements for the accounting department");
    stored(3, FileFormat::Tiff, "Photos");
    open();
    QAccessibleInterface* jobs = QAccessible::queryAccessibleInterface(grid());
    const auto item = [&](int index) { return jobs->child(index); };
    const auto id = [&](int index) { return std::vector{QAccessible::uniqueId(item(index))}; };
    EXPECT_EQ(jobs->role(), QAccessible::List);
    ASSERT_EQ(jobs->childCount(), 3);
    EXPECT_EQ(item(0)->role(), QAccessible::ListItem);
    EXPECT_EQ(item(0)->text(QAccessible::Name), "Job 1, Invoices, PDF");
    EXPECT_EQ(item(1)->text(QAccessible::Name), "Job 2, Quarterly statements for the accounting department, JPEG")
        << "the whole name, which the tile cuts short";
    EXPECT_TRUE(item(0)->state().selectable);
    ASSERT_EQ(item(2)->childCount(), 2);
    EXPECT_EQ(item(2)->child(0)->text(QAccessible::Name), "Edit job 3, Photos");
    EXPECT_EQ(item(2)->child(1)->text(QAccessible::Name), "Remove job 3, Photos");

    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    ASSERT_TRUE(accessibilityActive()) << "the accessibility bus is not up";
    AccessibilityEvents events;
    grid()->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    QTest::keyClick(grid(), Qt::Key_Down);
    EXPECT_EQ(events.targetsOf(QAccessible::Selection), id(0)) << "one, and none on entering";
    EXPECT_EQ(events.targetsOf(QAccessible::Focus).back(), id(0).back());
    EXPECT_TRUE(item(0)->state().selected && item(0)->state().focused);

    events.events.clear();
    QTest::keyClick(grid(), Qt::Key_Right);
    EXPECT_EQ(events.targetsOf(QAccessible::SelectionRemove), id(0));
    EXPECT_EQ(events.targetsOf(QAccessible::Selection), id(1));
    EXPECT_EQ(events.targetsOf(QAccessible::Focus), id(1));
    EXPECT_TRUE(item(1)->state().focused);
    EXPECT_EQ(jobs->focusChild(), item(1));

    // Tabbing back in: the selected job, told after Qt tells of the grid, is what is read.
    list()->btnAddJob->setFocus(Qt::TabFocusReason);
    events.events.clear();
    grid()->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    ASSERT_FALSE(events.targetsOf(QAccessible::Focus).empty());
    EXPECT_EQ(events.targetsOf(QAccessible::Focus).back(), id(1).back());
}
