#pragma once

#include <QAccessibleWidget>

class JobCollectionView;

// The job grid as assistive technology sees it: a list whose items are the
// job tiles, in the order of the jobs (AccessibleJobTile). While the grid has
// no tile, its line of help is its description.
class AccessibleJobGrid : public QAccessibleWidget {
public:
    explicit AccessibleJobGrid(JobCollectionView* grid);

    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    // The selected tile while the grid has the keyboard focus.
    QAccessibleInterface* focusChild() const override;
    QString text(QAccessible::Text t) const override;

private:
    JobCollectionView* grid() const;
};
