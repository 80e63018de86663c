#include "AutoresizingMask.h"

#include <QEvent>
#include <QLayout>
#include <QObject>
#include <QPointer>
#include <QRectF>
#include <QResizeEvent>
#include <QVariant>
#include <QWidget>

namespace {
constexpr const char* kMaskProperty = "autoresizingMask";
// The frame kept with fractions, so that many small resizes do not drift.
constexpr const char* kExactFrameProperty = "vxExactFrame";
// The size the view's subviews were last laid out for. Qt coalesces the resizes
// of a hidden view into one event without the old size, so the view keeps it.
constexpr const char* kLaidOutSizeProperty = "vxLaidOutSize";

// One axis: the margin before, the size and the margin after, each flexible or not.
struct Axis {
    double before;
    double size;
    double after;
};

Axis resizeAxis(Axis axis, bool flexibleBefore, bool flexibleSize, bool flexibleAfter, double delta)
{
    double parts[3] = {axis.before, axis.size, axis.after};
    const bool flexible[3] = {flexibleBefore, flexibleSize, flexibleAfter};
    double total = 0;
    int count = 0;
    for (int i = 0; i < 3; ++i) {
        if (flexible[i]) {
            total += parts[i] > 0 ? parts[i] : 0;
            ++count;
        }
    }
    if (count == 0) {
        return axis;
    }
    for (int i = 0; i < 3; ++i) {
        if (flexible[i]) {
            const double share = total > 0 ? (parts[i] > 0 ? parts[i] : 0) / total : 1.0 / count;
            parts[i] += delta * share;
        }
    }
    if (parts[1] < 0) {
        parts[1] = 0;
    }
    return {parts[0], parts[1], parts[2]};
}

class ResizeFollower final : public QObject {
public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Resize) {
            auto* parent = static_cast<QWidget*>(watched);
            QSize old = parent->property(kLaidOutSizeProperty).toSize();
            if (!old.isValid()) {
                old = static_cast<QResizeEvent*>(event)->oldSize();
            }
            parent->setProperty(kLaidOutSizeProperty, parent->size());
            if (old.isValid() && old != parent->size()) {
                for (QObject* child : parent->children()) {
                    auto* view = qobject_cast<QWidget*>(child);
                    if (view && !view->isWindow()) {
                        AutoresizingMask::resizeWithOldSuperviewSize(view, old.width(), old.height());
                    }
                }
            }
        } else if (event->type() == QEvent::ChildAdded) {
            auto* added = static_cast<QChildEvent*>(event)->child();
            if (auto* view = qobject_cast<QWidget*>(added)) {
                AutoresizingMask::install(view);
            }
        }
        return false;
    }
};

bool isManagedByLayout(const QWidget* view)
{
    const QWidget* parent = view->parentWidget();
    return parent && parent->layout() && parent->layout()->indexOf(const_cast<QWidget*>(view)) >= 0;
}
} // namespace

int AutoresizingMask::mask(const QWidget* view)
{
    return view ? view->property(kMaskProperty).toInt() : 0;
}

void AutoresizingMask::setMask(QWidget* view, int mask)
{
    if (view) {
        view->setProperty(kMaskProperty, mask);
    }
}

void AutoresizingMask::swapHorizontalMargins(QWidget* view)
{
    const int current = mask(view);
    const bool left = current & MinXMargin;
    const bool right = current & MaxXMargin;
    if (left != right) {
        setMask(view, current ^ (MinXMargin | MaxXMargin));
    }
}

void AutoresizingMask::install(QWidget* root)
{
    if (!root || root->property("vxAutoresizing").toBool()) {
        return;
    }
    root->setProperty("vxAutoresizing", true);
    root->setProperty(kLaidOutSizeProperty, root->size());
    root->installEventFilter(new ResizeFollower(root));
    for (QObject* child : root->children()) {
        if (auto* view = qobject_cast<QWidget*>(child); view && !view->isWindow()) {
            install(view);
        }
    }
}

void AutoresizingMask::resizeWithOldSuperviewSize(QWidget* view, int oldWidth, int oldHeight)
{
    QWidget* parent = view->parentWidget();
    const int flags = mask(view);
    if (!parent || flags == NotSizable || isManagedByLayout(view)) {
        return;
    }
    QRectF frame = view->property(kExactFrameProperty).toRectF();
    if (frame.toRect() != view->geometry()) {
        frame = QRectF(view->geometry()); // moved by someone else since: start from where it is
    }
    const Axis x = resizeAxis({frame.x(), frame.width(), oldWidth - frame.x() - frame.width()}, flags & MinXMargin,
                              flags & WidthSizable, flags & MaxXMargin, parent->width() - oldWidth);
    const Axis y = resizeAxis({frame.y(), frame.height(), oldHeight - frame.y() - frame.height()},
                              flags & MinYMargin, flags & HeightSizable, flags & MaxYMargin,
                              parent->height() - oldHeight);
    frame = QRectF(x.before, y.before, x.size, y.size);
    view->setProperty(kExactFrameProperty, frame);
    view->setGeometry(frame.toRect());
}
