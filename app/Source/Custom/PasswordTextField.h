#pragma once

#include <QLineEdit>

// A password entry that can show its text or hide it behind bullets. The two
// modes are the field's two echo modes; switching keeps the text, its colours,
// alignment and font. The field starts hidden.
class PasswordTextField : public QLineEdit {
    Q_OBJECT
public:
    explicit PasswordTextField(QWidget* parent = nullptr);

    // true: hidden text; false: plain text. Switching to the mode in force does nothing.
    void changePasswordMode(bool hidden);
    // Hidden text.
    void setPasswordCell();
    bool isPasswordHidden() const { return echoMode() != QLineEdit::Normal; }
};
