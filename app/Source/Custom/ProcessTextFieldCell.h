#pragma once
#include <QLabel>
class ProcessTextFieldCell : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;
};
