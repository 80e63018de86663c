#include "PasswordTableCellView.h"

#include <QAbstractButton>

#include "AutoresizingMask.h"
#include "LocalizedStrings.h"
#include "LocalizedText.h"
#include "PasswordTextField.h"
#include "ToolbarButton.h"

PasswordTableCellView::PasswordTableCellView(QWidget* parent)
    : TableCellView(QSize(200, 24), parent), passwordtextfield(new PasswordTextField(this)),
      passwordsecurebutton(new ToolbarButton(this))
{
    const int width = this->width();
    const int height = this->height();
    constexpr int margin = 2;
    // Room after the eye, so that the next column's text never touches it
    // (on either side: the cell is mirrored in a right-to-left language).
    constexpr int trailing = 10;
    const int eyeX = width - trailing - kEyeSide;

    passwordtextfield->setGeometry(margin, margin, eyeX - 2 * margin, height - 2 * margin);
    AutoresizingMask::setMask(passwordtextfield, AutoresizingMask::WidthSizable | AutoresizingMask::HeightSizable);
    passwordtextfield->setAccessibleName(localized("LabelPassword"));

    passwordsecurebutton->setGeometry(eyeX, (height - kEyeSide) / 2, kEyeSide, kEyeSide);
    AutoresizingMask::setMask(passwordsecurebutton, AutoresizingMask::MinXMargin | AutoresizingMask::MinYMargin |
                                                        AutoresizingMask::MaxYMargin);
    passwordsecurebutton->setCheckable(true);
    passwordsecurebutton->setAccessibleNameKey("AccessibleShowPassword");
    passwordSecure(passwordsecurebutton);
    // The picture and the field's mode follow the toggle whoever sets it: the
    // user, or the screen filling the cell from its row.
    connect(passwordsecurebutton, &QAbstractButton::toggled, this, [this] { passwordSecure(passwordsecurebutton); });

    installAutoresizing();
}

void PasswordTableCellView::passwordSecure(QAbstractButton* sender)
{
    if (!sender) {
        return;
    }
    const bool shown = sender->isChecked();
    if (auto* eye = qobject_cast<ToolbarButton*>(sender)) {
        eye->setImageName(shown ? "ic_eye_enable.png" : "ic_eye_unenable.png");
    }
    passwordtextfield->changePasswordMode(!shown);
    passwordtextfield->update();
    update();
}
