#include "JobCollectionView.h"

#include <QAccessible>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>

#include "JobCollectionButton.h"
#include "JobCollectionViewItem.h"

namespace {
constexpr const char* kReuseIdentifier = "vxReuseIdentifier";

bool takesTabFocus(const QWidget* view)
{
    return (view->focusPolicy() & Qt::TabFocus) == Qt::TabFocus && view->isEnabled() && view->isVisible();
}
} // namespace

JobCollectionView::JobCollectionView(QWidget* parent) : QScrollArea(parent)
{
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::StrongFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setViewportMargins(kFocusMargin, kFocusMargin, kFocusMargin, kFocusMargin);
    setWidgetResizable(false);
    viewport()->setAutoFillBackground(false);
    mContent = new QWidget;
    // Opaque in the screen's own colour, so that scrolling moves what is drawn
    // already and paints only the strip that comes into view.
    mContent->setAutoFillBackground(true);
    mContent->setBackgroundRole(QPalette::Window);
    mContent->installEventFilter(this);
    setWidget(mContent);
}

JobCollectionView::~JobCollectionView() = default;

void JobCollectionView::registerNib(const QString& nibName, const QString& identifier)
{
    if (nibName == QLatin1String("JobCollectionViewItem")) {
        mFactories.insert(identifier, [] { return new JobCollectionViewItem; });
    }
}

JobCollectionViewItem* JobCollectionView::makeItemWithIdentifier(const QString& identifier, const IndexPath&)
{
    const auto reusable = std::find_if(mReusable.begin(), mReusable.end(), [&](JobCollectionViewItem* item) {
        return item->property(kReuseIdentifier).toString() == identifier;
    });
    if (reusable != mReusable.end()) {
        JobCollectionViewItem* item = *reusable;
        mReusable.erase(reusable);
        return item;
    }
    const auto factory = mFactories.constFind(identifier);
    if (factory == mFactories.constEnd()) {
        return nullptr;
    }
    JobCollectionViewItem* item = (*factory)();
    item->setProperty(kReuseIdentifier, identifier);
    item->loadViewIfNeeded();
    item->setParent(mContent);
    // The tiles' controls are reached through the grid (focusNextPrevChild),
    // not by the window's own Tab walk through every tile.
    for (QWidget* control : item->findChildren<QWidget*>()) {
        if (control->focusPolicy() & Qt::TabFocus) {
            control->setFocusPolicy(Qt::ClickFocus);
        }
    }
    return item;
}

void JobCollectionView::reloadData()
{
    mSelected = -1;
    mReusable.append(mItems);
    mItems.clear();
    const int64_t count = mDataSource ? mDataSource->collectionView(this, int64_t{0}) : 0;
    for (int64_t index = 0; index < count; ++index) {
        JobCollectionViewItem* item = mDataSource->collectionView(this, IndexPath{0, index});
        if (!item) {
            continue;
        }
        item->setSelected(false);
        item->show();
        mItems.append(item);
    }
    // A tile left over may be the one whose button is being handled right now.
    for (JobCollectionViewItem* item : std::as_const(mReusable)) {
        item->hide();
        item->deleteLater();
    }
    mReusable.clear();
    layoutItems();
}

JobCollectionViewItem* JobCollectionView::itemAtIndex(int64_t index) const
{
    return index >= 0 && index < mItems.size() ? mItems.at(index) : nullptr;
}

std::set<IndexPath> JobCollectionView::selectionIndexPaths() const
{
    if (mSelected < 0) {
        return {};
    }
    return {IndexPath{0, mSelected}};
}

void JobCollectionView::selectItem(int64_t index)
{
    JobCollectionViewItem* item = itemAtIndex(index);
    if (!item) {
        return;
    }
    if (index != mSelected) {
        JobCollectionViewItem* previous = itemAtIndex(mSelected);
        if (previous) {
            previous->setSelected(false);
        }
        mSelected = index;
        item->setSelected(true);
        announceSelection(previous, item);
    }
    ensureWidgetVisible(item, 0, 0);
}

void JobCollectionView::deselectAll()
{
    JobCollectionViewItem* previous = itemAtIndex(mSelected);
    if (previous) {
        previous->setSelected(false);
    }
    mSelected = -1;
    announceSelection(previous, nullptr);
}

void JobCollectionView::announceSelection(JobCollectionViewItem* previous, JobCollectionViewItem* current)
{
    if (!QAccessible::isActive() || previous == current) {
        return;
    }
    if (previous) {
        QAccessibleEvent removed(previous->accessibleItem(), QAccessible::SelectionRemove);
        QAccessible::updateAccessibility(&removed);
    }
    if (current) {
        QAccessibleEvent selected(current->accessibleItem(), QAccessible::Selection);
        QAccessible::updateAccessibility(&selected);
    }
    QAccessibleEvent within(this, QAccessible::SelectionWithin);
    QAccessible::updateAccessibility(&within);
    if (current && hasFocus()) {
        announceFocus();
    }
}

void JobCollectionView::announceFocus()
{
    if (JobCollectionViewItem* item = itemAtIndex(mSelected); item && QAccessible::isActive()) {
        QAccessibleEvent focus(item->accessibleItem(), QAccessible::Focus);
        QAccessible::updateAccessibility(&focus);
    }
}

void JobCollectionView::setEmptyText(const QString& text)
{
    if (!mEmptyText) {
        mEmptyText = new QLabel(viewport());
        mEmptyText->setAlignment(Qt::AlignCenter);
        mEmptyText->setWordWrap(true);
        mEmptyText->setForegroundRole(QPalette::PlaceholderText);
        mEmptyText->setAttribute(Qt::WA_TransparentForMouseEvents);
    }
    mEmptyText->setText(text);
    layoutItems();
}

QString JobCollectionView::emptyText() const
{
    return mEmptyText && mEmptyText->isVisibleTo(this) ? mEmptyText->text() : QString();
}

void JobCollectionView::layoutItems()
{
    const int available = viewport()->width();
    if (mEmptyText) {
        mEmptyText->setGeometry(0, kEmptyTextTop, available, mEmptyText->heightForWidth(available));
        mEmptyText->setVisible(mItems.isEmpty());
    }
    if (mItems.isEmpty()) {
        mColumns = 1;
        mContent->resize(available, 0);
        return;
    }
    const QSize tile = mItems.first()->size();
    mColumns = std::max(1, (available + kMinimumColumnSpacing) / (tile.width() + kMinimumColumnSpacing));
    const int spacing =
        mColumns > 1 ? std::min(kMaximumColumnSpacing, (available - mColumns * tile.width()) / (mColumns - 1)) : 0;
    const bool rightToLeft = layoutDirection() == Qt::RightToLeft;
    for (int index = 0; index < mItems.size(); ++index) {
        const int row = index / mColumns;
        const int column = index % mColumns;
        const int offset = column * (tile.width() + spacing);
        const int x = rightToLeft ? available - tile.width() - offset : offset;
        mItems.at(index)->setGeometry(x, row * (tile.height() + kRowSpacing), tile.width(), tile.height());
    }
    const int rows = (static_cast<int>(mItems.size()) + mColumns - 1) / mColumns;
    mContent->resize(available, rows * tile.height() + (rows - 1) * kRowSpacing);
    verticalScrollBar()->setSingleStep((tile.height() + kRowSpacing) / 4);
}

int64_t JobCollectionView::indexOfItemAt(const QPoint& contentPosition) const
{
    for (int index = 0; index < mItems.size(); ++index) {
        if (mItems.at(index)->geometry().contains(contentPosition)) {
            return index;
        }
    }
    return -1;
}

void JobCollectionView::keyPressEvent(QKeyEvent* event)
{
    keyDown(event);
}

void JobCollectionView::keyDown(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Down:
    case Qt::Key_Right:
        moveSelection(event->key());
        if (mSelected < 0 && !mItems.isEmpty()) {
            selectItem(0);
        }
        event->accept();
        break;
    case Qt::Key_Up:
    case Qt::Key_Left:
        moveSelection(event->key());
        event->accept();
        break;
    default:
        QScrollArea::keyPressEvent(event);
        break;
    }
}

void JobCollectionView::moveSelection(int key)
{
    if (mSelected < 0) {
        return;
    }
    const int forward = layoutDirection() == Qt::RightToLeft ? -1 : 1;
    int64_t step = 0;
    switch (key) {
    case Qt::Key_Right:
        step = forward;
        break;
    case Qt::Key_Left:
        step = -forward;
        break;
    case Qt::Key_Down:
        step = mColumns;
        break;
    case Qt::Key_Up:
        step = -mColumns;
        break;
    default:
        break;
    }
    const int64_t target = mSelected + step;
    if (target >= 0 && target < mItems.size()) {
        selectItem(target);
    }
}

QList<QWidget*> JobCollectionView::innerKeyViews()
{
    QList<QWidget*> stops{this};
    if (JobCollectionViewItem* item = itemAtIndex(mSelected)) {
        for (QWidget* button : {static_cast<QWidget*>(item->editbutton), static_cast<QWidget*>(item->removebutton)}) {
            if (button && button->isEnabled() && button->isVisible()) {
                stops.append(button);
            }
        }
    }
    return stops;
}

QWidget* JobCollectionView::keyViewOutside(bool next)
{
    for (QWidget* view = next ? nextInFocusChain() : previousInFocusChain(); view && view != this;
         view = next ? view->nextInFocusChain() : view->previousInFocusChain()) {
        if (!isAncestorOf(view) && view->window() == window() && takesTabFocus(view)) {
            return view;
        }
    }
    return nullptr;
}

bool JobCollectionView::focusNextPrevChild(bool next)
{
    const QList<QWidget*> stops = innerKeyViews();
    const int at = std::max<int>(0, stops.indexOf(QApplication::focusWidget()));
    const int to = at + (next ? 1 : -1);
    QWidget* target = to >= 0 && to < stops.size() ? stops.at(to) : keyViewOutside(next);
    if (!target) {
        return false;
    }
    mMovingInside = true;
    target->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    mMovingInside = false;
    if (isAncestorOf(target)) {
        ensureWidgetVisible(target, 0, 0);
    }
    return true;
}

bool JobCollectionView::eventFilter(QObject* watched, QEvent* event)
{
    // A press that no control of a tile took: on a tile it selects the tile,
    // beside the tiles it clears the selection.
    if (watched == mContent && event->type() == QEvent::MouseButtonPress) {
        const auto* press = static_cast<QMouseEvent*>(event);
        if (press->button() == Qt::LeftButton) {
            setFocus(Qt::MouseFocusReason);
            const int64_t index = indexOfItemAt(press->position().toPoint());
            if (index >= 0) {
                selectItem(index);
            } else {
                deselectAll();
            }
            return true;
        }
    }
    return QScrollArea::eventFilter(watched, event);
}

void JobCollectionView::resizeEvent(QResizeEvent* event)
{
    QScrollArea::resizeEvent(event);
    layoutItems();
}

void JobCollectionView::changeEvent(QEvent* event)
{
    QScrollArea::changeEvent(event);
    if (event->type() == QEvent::LayoutDirectionChange) {
        layoutItems();
    }
}

bool JobCollectionView::event(QEvent* event)
{
    const bool handled = QScrollArea::event(event);
    // The focus ring goes round the tiles, in the margin left for it.
    if (event->type() == QEvent::Paint && hasFocus()) {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        QColor ring = palette().color(QPalette::Highlight);
        ring.setAlphaF(0.9);
        painter.setPen(QPen(ring, 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), 4, 4);
    }
    return handled;
}

void JobCollectionView::focusInEvent(QFocusEvent* event)
{
    QScrollArea::focusInEvent(event);
    update();
    // Qt tells of the grid's own focus after this handler: the selected tile's
    // comes after that, so that a screen reader names the job.
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (hasFocus()) {
                announceFocus();
            }
        },
        Qt::QueuedConnection);
    // Coming back with Shift-Tab from the view after the grid: the last stop
    // inside it comes first, as Tab left it last.
    if (event->reason() == Qt::BacktabFocusReason && !mMovingInside) {
        const QList<QWidget*> stops = innerKeyViews();
        if (stops.size() > 1) {
            stops.last()->setFocus(Qt::BacktabFocusReason);
            ensureWidgetVisible(stops.last(), 0, 0);
        }
    }
}

void JobCollectionView::focusOutEvent(QFocusEvent* event)
{
    QScrollArea::focusOutEvent(event);
    update();
}
