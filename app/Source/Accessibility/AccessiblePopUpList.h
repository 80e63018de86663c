#pragma once

#include <QAccessibleWidget>

class QComboBox;

// A pop-up list (a combo box that cannot be typed into) as assistive
// technology should see it: named by its label (the label whose buddy it is)
// or its accessible name, with the chosen item as its value. On Linux, Qt's
// own description names a combo box by its chosen item, so that the five
// settings of the job editor would be read out as "Color", "Automatic", ...
// The list of items is its child; showing it is its action.
class AccessiblePopUpList : public QAccessibleWidget {
public:
    explicit AccessiblePopUpList(QComboBox* list);

    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;

private:
    QComboBox* list() const;
    bool popUpShown() const;
};
