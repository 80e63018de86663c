#include "AccessiblePopUpList.h"

#include <QAbstractItemView>
#include <QComboBox>

AccessiblePopUpList::AccessiblePopUpList(QComboBox* list) : QAccessibleWidget(list, QAccessible::ComboBox) {}

QComboBox* AccessiblePopUpList::list() const
{
    return static_cast<QComboBox*>(widget());
}

bool AccessiblePopUpList::popUpShown() const
{
    return list()->view() && list()->view()->isVisible();
}

QString AccessiblePopUpList::text(QAccessible::Text t) const
{
    return t == QAccessible::Value ? list()->currentText() : QAccessibleWidget::text(t);
}

QAccessible::State AccessiblePopUpList::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    state.expandable = true;
    state.expanded = popUpShown();
    state.collapsed = !state.expanded;
    state.hasPopup = true;
    return state;
}

int AccessiblePopUpList::childCount() const
{
    return list()->view() ? 1 : 0;
}

QAccessibleInterface* AccessiblePopUpList::child(int index) const
{
    return index == 0 && list()->view() ? QAccessible::queryAccessibleInterface(list()->view()) : nullptr;
}

int AccessiblePopUpList::indexOfChild(const QAccessibleInterface* child) const
{
    return child && list()->view() && child->object() == list()->view() ? 0 : -1;
}

QStringList AccessiblePopUpList::actionNames() const
{
    return QStringList{showMenuAction(), pressAction()} + QAccessibleWidget::actionNames();
}

void AccessiblePopUpList::doAction(const QString& actionName)
{
    if (actionName == showMenuAction() || actionName == pressAction()) {
        popUpShown() ? list()->hidePopup() : list()->showPopup();
        return;
    }
    QAccessibleWidget::doAction(actionName);
}
