#pragma once
#include "StubButtonProps.h"
class ScanerSelectButton : public StubButton {
    Q_OBJECT
public:
    using StubButton::StubButton;
    qint64 selectedState = 0;
};
