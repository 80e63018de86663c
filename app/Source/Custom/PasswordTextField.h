#pragma once
#include <QLineEdit>
class PasswordTextField : public QLineEdit {
    Q_OBJECT
public:
    using QLineEdit::QLineEdit;
};
