#include "SelectTableCellView.h"

#include <QCheckBox>
#include <QEvent>
#include <QPainter>

#include "AutoresizingMask.h"
#include "LocalizedStrings.h"
#include "SelectTableRowView.h"

SelectTableCellView::SelectTableCellView(QWidget* parent)
    : TableCellView(QSize(60, 24), parent), checkbutton(new QCheckBox(this))
{
    const QSize box = checkbutton->sizeHint();
    checkbutton->setGeometry((width() - box.width()) / 2, (height() - box.height()) / 2, box.width(), box.height());
    AutoresizingMask::setMask(checkbutton, AutoresizingMask::MinXMargin | AutoresizingMask::MaxXMargin |
                                               AutoresizingMask::MinYMargin | AutoresizingMask::MaxYMargin);
    checkbutton->setAccessibleName(QString::fromStdString(LocalizedStrings::text("LabelSelect")));
    checkbutton->installEventFilter(this);
    installAutoresizing();
}

void SelectTableCellView::paintEvent(QPaintEvent* event)
{
    TableCellView::paintEvent(event);
    if (checkbutton->hasFocus()) {
        QPainter painter(this);
        SelectTableRowView::drawFocus(painter, QRectF(checkbutton->geometry()).adjusted(-4, -4, 4, 4),
                                      palette().color(QPalette::Highlight));
    }
}

bool SelectTableCellView::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == checkbutton && (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut)) {
        update();
    }
    return TableCellView::eventFilter(watched, event);
}
