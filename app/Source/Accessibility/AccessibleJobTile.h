#pragma once

#include <QAccessibleWidget>

// One job tile as assistive technology sees it: an item of the job grid's
// list, named by its job ("Job 3, Invoices, PDF", set by the job list), that
// can be selected and is selected and focused as the tile is, with the tile's
// edit and remove buttons as its children. The tile's card stands for the
// tile: it is what is drawn selected.
class AccessibleJobTile : public QAccessibleWidget {
public:
    explicit AccessibleJobTile(QWidget* card);

    QAccessibleInterface* parent() const override;
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessible::State state() const override;

private:
    QWidgetList buttons() const;
};
