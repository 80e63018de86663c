#include "AccessibleJobTile.h"

#include <QAbstractButton>

#include "JobCollectionView.h"
#include "JobItemBackgroundView.h"

namespace {
JobCollectionView* gridAround(const QWidget* card)
{
    for (QWidget* view = card->parentWidget(); view; view = view->parentWidget()) {
        if (auto* grid = qobject_cast<JobCollectionView*>(view)) {
            return grid;
        }
    }
    return nullptr;
}
} // namespace

AccessibleJobTile::AccessibleJobTile(QWidget* card) : QAccessibleWidget(card, QAccessible::ListItem) {}

QAccessibleInterface* AccessibleJobTile::parent() const
{
    JobCollectionView* grid = gridAround(widget());
    return grid ? QAccessible::queryAccessibleInterface(grid) : QAccessibleWidget::parent();
}

QWidgetList AccessibleJobTile::buttons() const
{
    QWidgetList shown;
    for (QAbstractButton* button : widget()->findChildren<QAbstractButton*>(Qt::FindDirectChildrenOnly)) {
        if (!button->isHidden()) {
            shown.append(button);
        }
    }
    return shown;
}

int AccessibleJobTile::childCount() const
{
    return static_cast<int>(buttons().size());
}

QAccessibleInterface* AccessibleJobTile::child(int index) const
{
    const QWidgetList all = buttons();
    return index >= 0 && index < all.size() ? QAccessible::queryAccessibleInterface(all.at(index)) : nullptr;
}

int AccessibleJobTile::indexOfChild(const QAccessibleInterface* child) const
{
    return child ? static_cast<int>(buttons().indexOf(qobject_cast<QWidget*>(child->object()))) : -1;
}

QAccessible::State AccessibleJobTile::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    const auto* card = qobject_cast<const JobItemBackgroundView*>(widget());
    const JobCollectionView* grid = gridAround(widget());
    state.selectable = true;
    state.selected = card && card->highlightState() != 0;
    state.focusable = true;
    state.focused = state.selected && grid && grid->hasFocus();
    return state;
}
