#include "SelectTableCellView.h"

#include <QCheckBox>

#include "AutoresizingMask.h"
#include "LocalizedStrings.h"

SelectTableCellView::SelectTableCellView(QWidget* parent)
    : TableCellView(QSize(60, 24), parent), checkbutton(new QCheckBox(this))
{
    const QSize box = checkbutton->sizeHint();
    checkbutton->setGeometry((width() - box.width()) / 2, (height() - box.height()) / 2, box.width(), box.height());
    AutoresizingMask::setMask(checkbutton, AutoresizingMask::MinXMargin | AutoresizingMask::MaxXMargin |
                                               AutoresizingMask::MinYMargin | AutoresizingMask::MaxYMargin);
    checkbutton->setAccessibleName(QString::fromStdString(LocalizedStrings::text("LabelSelect")));
    installAutoresizing();
}
