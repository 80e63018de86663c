#pragma once

#include "TableCellView.h"

class QAbstractButton;
class PasswordTextField;
class ToolbarButton;

// The password cell of the bulk registration table: a password field and an
// eye toggle that shows the text while it is on. Children are placed by frame
// with autoresizing masks; a screen that mirrors for right to left runs
// FwkUtilsMethod::layoutLeftToRight on the cell once it has made it (the
// table's own pass does not reach cells).
class PasswordTableCellView : public TableCellView {
    Q_OBJECT
public:
    static constexpr int kEyeSide = 20;

    explicit PasswordTableCellView(QWidget* parent = nullptr);

    PasswordTextField* passwordtextfield;
    ToolbarButton* passwordsecurebutton;

public slots:
    // The eye was toggled: its picture and the field's mode follow its state.
    void passwordSecure(QAbstractButton* sender);
};
