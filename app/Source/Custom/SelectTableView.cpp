#include "SelectTableView.h"

#include <QCoreApplication>
#include <QHeaderView>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QProxyStyle>
#include <QStyleOptionViewItem>
#include <algorithm>

#include "SelectTableRowView.h"

namespace {
// Draws the cells of a selected row like any other: the band behind them
// shows the selection, so Qt's own highlight (and focus frame) of each cell
// stays off.
class RowBandStyle final : public QProxyStyle {
public:
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override
    {
        if (element == PE_PanelItemViewRow || element == PE_PanelItemViewItem) {
            if (const auto* item = qstyleoption_cast<const QStyleOptionViewItem*>(option)) {
                const QStyleOptionViewItem plain = unselected(*item);
                QProxyStyle::drawPrimitive(element, &plain, painter, widget);
                return;
            }
        }
        QProxyStyle::drawPrimitive(element, option, painter, widget);
    }

    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override
    {
        if (element == CE_ItemViewItem) {
            if (const auto* item = qstyleoption_cast<const QStyleOptionViewItem*>(option)) {
                const QStyleOptionViewItem plain = unselected(*item);
                QProxyStyle::drawControl(element, &plain, painter, widget);
                return;
            }
        }
        QProxyStyle::drawControl(element, option, painter, widget);
    }

    // One for all tables, for as long as the application runs.
    static QStyle* shared()
    {
        static QPointer<RowBandStyle> style;
        if (!style) {
            style = new RowBandStyle;
            style->setParent(QCoreApplication::instance());
        }
        return style;
    }

private:
    static QStyleOptionViewItem unselected(const QStyleOptionViewItem& option)
    {
        QStyleOptionViewItem plain(option);
        // The table's own ring marks the focus, across the whole row.
        plain.state &= ~(QStyle::State_Selected | QStyle::State_HasFocus);
        return plain;
    }
};
} // namespace

SelectTableView::SelectTableView(QWidget* parent) : QTableView(parent)
{
    setSelectionBehavior(QAbstractItemView::SelectRows);
    // The last column takes the rest of the width, so that a press anywhere
    // along a row lands on one of its cells and selects it.
    horizontalHeader()->setStretchLastSection(true);
    setStyle(RowBandStyle::shared());
}

QRect SelectTableView::rowBounds(int row) const
{
    const int left = -horizontalOffset();
    const int width = std::max(horizontalHeader()->length(), viewport()->width() - left);
    return {left, rowViewportPosition(row), width, rowHeight(row)};
}

void SelectTableView::mousePressEvent(QMouseEvent* event)
{
    const int row = rowAt(event->position().toPoint().y());
    QTableView::mousePressEvent(event);
    // The other buttons select the row for its context menu; only the primary one chooses.
    if (row != -1 && mSelectDelegate && event->button() == Qt::LeftButton) {
        mSelectDelegate->tableView(this, row);
    }
}

void SelectTableView::focusInEvent(QFocusEvent* event)
{
    QTableView::focusInEvent(event);
    viewport()->update();
}

void SelectTableView::focusOutEvent(QFocusEvent* event)
{
    QTableView::focusOutEvent(event);
    viewport()->update();
}

void SelectTableView::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    QTableView::currentChanged(current, previous);
    viewport()->update();
}

void SelectTableView::paintEvent(QPaintEvent* event)
{
    if (selectionMode() != QAbstractItemView::NoSelection && selectionModel() && model()) {
        QPainter painter(viewport());
        const int first = std::max(0, rowAt(0));
        int last = rowAt(viewport()->height() - 1);
        if (last < 0) {
            last = model()->rowCount(rootIndex()) - 1;
        }
        for (int row = first; row <= last; ++row) {
            if (!isRowHidden(row) && selectionModel()->rowIntersectsSelection(row, rootIndex())) {
                SelectTableRowView::drawSelection(painter, rowBounds(row));
            }
        }
    }
    QTableView::paintEvent(event);
    if (hasFocus()) {
        // Where the keyboard is: the current row, or the whole list before one is current.
        QPainter painter(viewport());
        const QModelIndex current = currentIndex();
        const QRect bounds = current.isValid() ? rowBounds(current.row()) : viewport()->rect();
        SelectTableRowView::drawFocus(painter, bounds, palette().color(QPalette::Highlight));
    }
}
