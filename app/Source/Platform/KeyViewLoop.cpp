#include "KeyViewLoop.h"

#include <QVariant>
#include <QWidget>
#include <algorithm>

#include "FwkUtilsMethod.h"
#include "OV_Func.h"

namespace {
constexpr const char* kAutoProperty = "vxAutorecalculatesKeyViewLoop";

bool takesTabFocus(const QWidget* view)
{
    return (view->focusPolicy() & Qt::TabFocus) && view->isEnabled() && !view->isHidden() && !view->focusProxy();
}

void collect(QWidget* view, QList<QWidget*>& found)
{
    for (QObject* child : view->children()) {
        auto* widget = qobject_cast<QWidget*>(child);
        if (!widget || widget->isWindow() || widget->isHidden()) {
            continue;
        }
        if (takesTabFocus(widget)) {
            found.append(widget);
        }
        if (!OV_Func::isCompoundControl(widget)) {
            collect(widget, found);
        }
    }
}
} // namespace

void KeyViewLoop::setAutorecalculatesKeyViewLoop(QWidget* window, bool on)
{
    if (window) {
        window->setProperty(kAutoProperty, on);
    }
}

bool KeyViewLoop::autorecalculatesKeyViewLoop(const QWidget* window)
{
    return window && window->property(kAutoProperty).toBool();
}

QList<QWidget*> KeyViewLoop::focusableViewsInReadingOrder(QWidget* root, bool rightToLeft)
{
    QList<QWidget*> views;
    if (!root) {
        return views;
    }
    collect(root, views);
    QWidget* window = root->window();
    const auto place = [window](QWidget* view) { return QRect(view->mapTo(window, QPoint(0, 0)), view->size()); };
    std::stable_sort(views.begin(), views.end(), [&](QWidget* a, QWidget* b) { return place(a).top() < place(b).top(); });
    // Rows: a view whose top lies above the middle of the row's first view joins
    // that row; each row is then read in the language's direction.
    QList<QWidget*> ordered;
    for (int first = 0; first < views.size();) {
        const QRect head = place(views[first]);
        int end = first + 1;
        while (end < views.size() && place(views[end]).top() < head.top() + head.height() / 2) {
            ++end;
        }
        QList<QWidget*> row = views.mid(first, end - first);
        std::stable_sort(row.begin(), row.end(), [&](QWidget* a, QWidget* b) {
            return rightToLeft ? place(a).right() > place(b).right() : place(a).left() < place(b).left();
        });
        ordered.append(row);
        first = end;
    }
    return ordered;
}

void KeyViewLoop::recalculateKeyViewLoop(QWidget* window)
{
    if (window) {
        setLoop(focusableViewsInReadingOrder(window, !FwkUtilsMethod::isLTR_LayoutDirection()));
    }
}

void KeyViewLoop::setLoop(const QList<QWidget*>& views)
{
    for (int i = 1; i < views.size(); ++i) {
        QWidget::setTabOrder(views[i - 1], views[i]);
    }
}
