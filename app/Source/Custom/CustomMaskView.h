#pragma once
#include <QWidget>
class CustomMaskView : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;
};
