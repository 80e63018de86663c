#include "FwkUtilsMethod.h"

#include <QAbstractItemModel>
#include <QHeaderView>
#include <QSlider>
#include <QSplitter>
#include <QTabBar>
#include <QTableView>
#include <QTreeView>
#include <QVariant>
#include <QWidget>

#include "AutoresizingMask.h"
#include "LocalizedStrings.h"
#include "OV_Func.h"

namespace {
QHeaderView* columnHeader(QWidget* view)
{
    if (auto* table = qobject_cast<QTableView*>(view)) {
        return table->horizontalHeader();
    }
    if (auto* tree = qobject_cast<QTreeView*>(view)) {
        return tree->header();
    }
    return nullptr;
}

void mirrorTableColumns(QHeaderView* header)
{
    QAbstractItemModel* model = header->model();
    const int count = header->count();
    for (int section = 0; model && section < count; ++section) {
        if (model->headerData(section, Qt::Horizontal, Qt::DisplayRole).isValid()) {
            const TableColumnCell cell{model, section};
            FwkUtilsMethod::layoutLeftToRightOfExceptionCell(&cell);
        }
    }
    FwkUtilsMethod::reverseTableColumns(header);
}

void reverseSplitViewPanes(QSplitter* split)
{
    if (split->orientation() != Qt::Horizontal) {
        return; // panes stacked on top of each other keep their order
    }
    QList<QWidget*> panes;
    for (int i = 0; i < split->count(); ++i) {
        panes.append(split->widget(i));
    }
    for (int i = 0; i < panes.size(); ++i) {
        split->insertWidget(i, panes[panes.size() - 1 - i]);
    }
}

void mirrorSliderTicks(QSlider* slider)
{
    if (slider->orientation() != Qt::Vertical) {
        return;
    }
    if (slider->tickPosition() == QSlider::TicksRight) {
        slider->setTickPosition(QSlider::TicksLeft);
    } else if (slider->tickPosition() == QSlider::TicksLeft) {
        slider->setTickPosition(QSlider::TicksRight);
    }
}

void mirrorFrameInParent(QWidget* view)
{
    QWidget* parent = view->isWindow() ? nullptr : view->parentWidget();
    if (!parent) {
        return;
    }
    const QRect frame = view->geometry();
    view->move(parent->width() - (frame.x() + frame.width()), frame.y());
    AutoresizingMask::swapHorizontalMargins(view);
}
} // namespace

bool FwkUtilsMethod::isLTR_LayoutDirection()
{
    return !LocalizedStrings::isRightToLeft();
}

void FwkUtilsMethod::layoutLeftToRight(QWidget* view)
{
    if (isLTR_LayoutDirection() || !view) {
        return;
    }
    // The whole tree is listed first, so moving views cannot change the walk.
    const QList<QWidget*> views = OV_Func::deepSubviewsAtView(view);
    for (QWidget* each : views) {
        if (qobject_cast<QTabBar*>(each)) {
            continue; // segmented controls keep their order and look
        }
        changeUserInterfaceLayoutDirection(each);
        changeImagePosition(each);
        changeAlignment(each);
        if (QHeaderView* header = columnHeader(each)) {
            mirrorTableColumns(header);
        } else if (auto* split = qobject_cast<QSplitter*>(each)) {
            reverseSplitViewPanes(split);
        } else if (auto* slider = qobject_cast<QSlider*>(each)) {
            mirrorSliderTicks(slider);
        }
        mirrorFrameInParent(each);
    }
}

void FwkUtilsMethod::reverseTableColumns(QHeaderView* header)
{
    for (int position = header ? header->count() - 1 : 0; position >= 1; --position) {
        header->moveSection(0, position);
    }
}

void FwkUtilsMethod::layoutLeftToRightOfExceptionCell(const TableColumnCell* cell)
{
    if (!cell || !cell->model) {
        return;
    }
    // A header cell has neither a direction of its own nor an image position:
    // the header view draws it in the table's direction.
    changeAlignment(*cell);
}

void FwkUtilsMethod::changeUserInterfaceLayoutDirection(QWidget* view)
{
    if (view) {
        view->setLayoutDirection(Qt::RightToLeft);
    }
}

void FwkUtilsMethod::changeImagePosition(QObject* control)
{
    if (!control) {
        return;
    }
    const QVariant position = control->property("imagePosition");
    if (!position.isValid()) {
        return;
    }
    control->setProperty("imagePosition", position.toInt() == ImageRight ? ImageLeft : ImageRight);
}

int FwkUtilsMethod::mirroredAlignment(int alignment)
{
    const int horizontal = alignment & (Qt::AlignHorizontal_Mask | Qt::AlignAbsolute);
    const int vertical = alignment & Qt::AlignVertical_Mask;
    if (horizontal & Qt::AlignHCenter) {
        return alignment;
    }
    if (horizontal & Qt::AlignRight) {
        return vertical | Qt::AlignLeft | Qt::AlignAbsolute;
    }
    // Left, justified and natural (Qt's leading alignment, or none given).
    return vertical | Qt::AlignRight | Qt::AlignAbsolute;
}

void FwkUtilsMethod::changeAlignment(QObject* control)
{
    if (!control) {
        return;
    }
    const QVariant alignment = control->property("alignment");
    if (!alignment.isValid()) {
        return;
    }
    const auto mirrored = static_cast<Qt::Alignment>(mirroredAlignment(alignment.value<Qt::Alignment>().toInt()));
    control->setProperty("alignment", QVariant::fromValue(mirrored));
}

void FwkUtilsMethod::changeAlignment(const TableColumnCell& cell)
{
    if (!cell.model) {
        return;
    }
    const QVariant current = cell.model->headerData(cell.section, Qt::Horizontal, Qt::TextAlignmentRole);
    const int alignment = current.isValid() ? current.toInt() : int(Qt::AlignLeft | Qt::AlignVCenter);
    cell.model->setHeaderData(cell.section, Qt::Horizontal, mirroredAlignment(alignment), Qt::TextAlignmentRole);
}
