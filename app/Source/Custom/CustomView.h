#pragma once
#include <QWidget>
class CustomView : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;
};
