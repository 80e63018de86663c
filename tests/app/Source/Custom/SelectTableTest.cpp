// Row clicks of the selection table, its row band, and the cells the bulk
// registration table puts in it.
#include <QCheckBox>
#include <QHeaderView>
#include <QStandardItemModel>
#include <QTest>
#include <gtest/gtest.h>
#include <vector>

#include "FwkUtilsMethod.h"
#include "LocalizedStrings.h"
#include "PasswordTableCellView.h"
#include "PasswordTextField.h"
#include "SelectTableCellView.h"
#include "SelectTableRowView.h"
#include "SelectTableView.h"
#include "ToolbarButton.h"

namespace {
struct RecordingDelegate : SelectTableViewDelegate {
    std::vector<int64_t> rows;
    bool selectedWhenCalled = false;
    void tableView(SelectTableView* table, int64_t row) override
    {
        rows.push_back(row);
        selectedWhenCalled = table->selectionModel()->isRowSelected(int(row), {});
    }
};

struct Table {
    QStandardItemModel model{3, 2};
    SelectTableView view;
    Table()
    {
        for (int row = 0; row < 3; ++row) {
            model.setItem(row, 1, new QStandardItem(QString("Scanner %1").arg(row)));
        }
        view.setModel(&model);
        view.verticalHeader()->setDefaultSectionSize(30);
        view.resize(400, 300);
    }
    QPoint middleOfRow(int row) const
    {
        return {50, view.rowViewportPosition(row) + view.rowHeight(row) / 2};
    }
};
} // namespace

TEST(SelectTable, PressOnARowTellsTheDelegateAfterSelecting)
{
    Table table;
    RecordingDelegate delegate;
    table.view.setSelectDelegate(&delegate);
    table.view.show();
    QTest::mousePress(table.view.viewport(), Qt::LeftButton, {}, table.middleOfRow(1));
    EXPECT_EQ(delegate.rows, std::vector<int64_t>{1});
    EXPECT_TRUE(delegate.selectedWhenCalled);
}

TEST(SelectTable, PressBelowTheLastRowTellsNobody)
{
    Table table;
    RecordingDelegate delegate;
    table.view.setSelectDelegate(&delegate);
    table.view.show();
    QTest::mousePress(table.view.viewport(), Qt::LeftButton, {}, QPoint(200, 3 * 30 + 20));
    EXPECT_TRUE(delegate.rows.empty());
    table.view.setSelectDelegate(nullptr);
    // Without a delegate: no call, no crash.
    QTest::mousePress(table.view.viewport(), Qt::LeftButton, {}, table.middleOfRow(0));
    EXPECT_TRUE(delegate.rows.empty());
}

TEST(SelectTable, SelectedRowIsOneGreyBandAcrossTheRow)
{
    Table table;
    table.view.setShowGrid(false);
    table.view.show();
    table.view.selectRow(1);
    const QImage image = table.view.viewport()->grab().toImage();
    const int fill = qRound(SelectTableRowView::kFillWhite * 255);
    const int middle = table.middleOfRow(1).y();
    // Across the boundary between the cells and up to the row's far end, the
    // band is there all the same.
    const int boundary = table.view.columnViewportPosition(1);
    for (int x : {boundary, boundary - 1, table.view.viewport()->width() - 10}) {
        SCOPED_TRACE(x);
        EXPECT_EQ(QColor(image.pixel(x, middle)), QColor(fill, fill, fill));
    }
    EXPECT_EQ(QColor(image.pixel(20, table.middleOfRow(0).y())), QColor(Qt::white)) << "other rows plain";
    // The band's ends are rounded: its corner pixel is not filled.
    const QRect band = table.view.rowBounds(1);
    EXPECT_NE(QColor(image.pixel(band.left() + 3, band.top() + 3)), QColor(fill, fill, fill));
}

TEST(TableCells, ChildrenFollowTheCellSizeAndMirror)
{
    LocalizedStrings::setLanguage("ar");
    QStandardItemModel model(1, 2);
    QTableView table;
    table.setModel(&model);
    table.horizontalHeader()->resizeSection(0, 90);
    table.horizontalHeader()->resizeSection(1, 300);
    table.verticalHeader()->setDefaultSectionSize(30);
    auto* password = new PasswordTableCellView;
    auto* select = new SelectTableCellView;
    FwkUtilsMethod::layoutLeftToRight(password);
    FwkUtilsMethod::layoutLeftToRight(select);
    LocalizedStrings::useEnvironmentLanguage();
    // Put in while the table is not yet shown: the cells are sized before
    // their first show.
    table.setIndexWidget(model.index(0, 1), password);
    table.setIndexWidget(model.index(0, 0), select);
    table.resize(500, 200);
    table.show();
    QCoreApplication::processEvents();

    const QRect eye = password->passwordsecurebutton->geometry();
    const QRect field = password->passwordtextfield->geometry();
    EXPECT_EQ(eye.left(), 10) << "mirrored: the eye keeps its gap from the next column, now on the left";
    EXPECT_EQ(field.right(), password->width() - 3);
    EXPECT_NEAR(eye.center().y(), password->height() / 2, 1);
    const QRect box = select->checkbutton->geometry();
    EXPECT_NEAR(box.center().x(), select->width() / 2, 1);
}

TEST(SelectTable, TheKeyboardFocusIsVisibleOnTheListAndOnACellsCheckBox)
{
    Table table;
    table.view.show();
    QApplication::setActiveWindow(&table.view);
    table.view.clearFocus();
    const QImage unfocused = table.view.grab().toImage();
    table.view.setFocus();
    ASSERT_TRUE(table.view.hasFocus());
    EXPECT_NE(table.view.grab().toImage(), unfocused) << "a ring marks the focused list";
    table.view.setCurrentIndex(table.model.index(2, 1));
    const QImage onTheThirdRow = table.view.grab().toImage();
    table.view.setCurrentIndex(table.model.index(0, 1));
    EXPECT_NE(table.view.grab().toImage(), onTheThirdRow) << "the ring follows the current row";

    SelectTableCellView cell;
    cell.show();
    QApplication::setActiveWindow(&cell);
    cell.checkbutton->clearFocus();
    const QImage boxUnfocused = cell.grab().toImage();
    cell.checkbutton->setFocus();
    ASSERT_TRUE(cell.checkbutton->hasFocus());
    EXPECT_NE(cell.grab().toImage(), boxUnfocused) << "a check box without a title still shows its focus";
}
