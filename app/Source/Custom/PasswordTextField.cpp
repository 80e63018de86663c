#include "PasswordTextField.h"

PasswordTextField::PasswordTextField(QWidget* parent) : QLineEdit(parent)
{
    // Hidden from the start rather than at the first polish: a field made in
    // code (a table cell) is set up, perhaps shown in plain text on purpose,
    // before it is first polished, and that choice must stand.
    changePasswordMode(true);
}

void PasswordTextField::changePasswordMode(bool hidden)
{
    if (hidden == isPasswordHidden()) {
        return;
    }
    setEchoMode(hidden ? QLineEdit::Password : QLineEdit::Normal);
}

void PasswordTextField::setPasswordCell()
{
    changePasswordMode(true);
}
