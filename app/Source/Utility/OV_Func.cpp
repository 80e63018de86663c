#include "OV_Func.h"

#include <QAbstractScrollArea>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QTabBar>
#include <QWidget>
#include <algorithm>

namespace {
// The view's frame in the coordinates of its window; a view without a parent
// counts as an empty rectangle at the origin.
QRect frameInWindow(QWidget* view)
{
    QWidget* parent = view->isWindow() ? nullptr : view->parentWidget();
    if (!parent) {
        return {};
    }
    const QPoint origin = parent->mapTo(parent->window(), view->geometry().topLeft());
    return {origin, view->size()};
}
} // namespace

bool OV_Func::isCompoundControl(const QWidget* view)
{
    return qobject_cast<const QAbstractScrollArea*>(view) || qobject_cast<const QComboBox*>(view) ||
           qobject_cast<const QAbstractSpinBox*>(view) || qobject_cast<const QTabBar*>(view);
}

QList<QWidget*> OV_Func::deepSubviewsAtView(QWidget* view)
{
    QList<QWidget*> result;
    if (!view) {
        return result;
    }
    result.append(view);
    if (isCompoundControl(view)) {
        return result;
    }
    QList<QWidget*> children;
    for (QObject* child : view->children()) {
        auto* widget = qobject_cast<QWidget*>(child);
        if (widget && !widget->isWindow()) {
            children.append(widget);
        }
    }
    std::stable_sort(children.begin(), children.end(),
                     [](QWidget* a, QWidget* b) { return SortViewFunc(a, b, nullptr) < 0; });
    for (QWidget* child : children) {
        result.append(deepSubviewsAtView(child));
    }
    return result;
}

int SortViewFunc(QWidget* a, QWidget* b, void* /*context*/)
{
    const QRect first = frameInWindow(a);
    const QRect second = frameInWindow(b);
    if (first.top() != second.top()) {
        return first.top() < second.top() ? -1 : 1;
    }
    if (first.left() != second.left()) {
        return first.left() < second.left() ? -1 : 1;
    }
    return 0;
}
