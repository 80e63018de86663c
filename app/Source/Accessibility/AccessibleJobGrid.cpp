#include "AccessibleJobGrid.h"

#include "JobCollectionView.h"
#include "JobCollectionViewItem.h"

AccessibleJobGrid::AccessibleJobGrid(JobCollectionView* grid) : QAccessibleWidget(grid, QAccessible::List) {}

JobCollectionView* AccessibleJobGrid::grid() const
{
    return static_cast<JobCollectionView*>(widget());
}

int AccessibleJobGrid::childCount() const
{
    return static_cast<int>(grid()->numberOfItems());
}

QAccessibleInterface* AccessibleJobGrid::child(int index) const
{
    JobCollectionViewItem* tile = grid()->itemAtIndex(index);
    return tile ? QAccessible::queryAccessibleInterface(tile->accessibleItem()) : nullptr;
}

int AccessibleJobGrid::indexOfChild(const QAccessibleInterface* child) const
{
    for (int index = 0; child && index < childCount(); ++index) {
        if (grid()->itemAtIndex(index)->accessibleItem() == child->object()) {
            return index;
        }
    }
    return -1;
}

QAccessibleInterface* AccessibleJobGrid::focusChild() const
{
    if (!grid()->hasFocus()) {
        return QAccessibleWidget::focusChild();
    }
    const auto selected = grid()->selectionIndexPaths();
    return selected.empty() ? nullptr : child(static_cast<int>(selected.begin()->item));
}

QString AccessibleJobGrid::text(QAccessible::Text t) const
{
    if (t == QAccessible::Description && childCount() == 0 && !grid()->emptyText().isEmpty()) {
        return grid()->emptyText();
    }
    return QAccessibleWidget::text(t);
}
