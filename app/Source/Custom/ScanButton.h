#pragma once
#include "CustomButton.h"
class ScanButton : public CustomButton {
    Q_OBJECT
public:
    using CustomButton::CustomButton;
};
