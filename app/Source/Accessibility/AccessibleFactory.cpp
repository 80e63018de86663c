#include "AccessibleFactory.h"

#include <QAccessible>
#include <QComboBox>
#include <QTableWidget>

#include "AccessibleCellTable.h"
#include "AccessibleJobGrid.h"
#include "AccessibleJobTile.h"
#include "AccessiblePopUpList.h"
#include "AccessibleTableCell.h"
#include "JobCollectionView.h"

namespace {
// Qt asks with the class name of the object and then with those of its base
// classes, before its own descriptions.
QAccessibleInterface* describe(const QString& className, QObject* object)
{
    auto* view = qobject_cast<QWidget*>(object);
    if (!view) {
        return nullptr;
    }
    if (className == QLatin1String("JobCollectionView")) {
        return new AccessibleJobGrid(static_cast<JobCollectionView*>(view));
    }
    if (className == QLatin1String("JobItemBackgroundView")) {
        return new AccessibleJobTile(view);
    }
    if (className == QLatin1String("QComboBox") && !static_cast<QComboBox*>(view)->isEditable()) {
        return new AccessiblePopUpList(static_cast<QComboBox*>(view));
    }
    if (className == QLatin1String("QTableWidget")) {
        return new AccessibleCellTable(static_cast<QTableWidget*>(view));
    }
    if (className == QLatin1String("TableCellView")) {
        return new AccessibleTableCell(view);
    }
    if (className == QLatin1String("StatusLine")) {
        return new QAccessibleWidget(view, QAccessible::Notification);
    }
    return nullptr;
}
} // namespace

void AccessibleFactory::install()
{
    QAccessible::installFactory(&describe);
}
