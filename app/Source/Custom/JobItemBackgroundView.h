#pragma once
#include <QWidget>
class JobItemBackgroundView : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;
};
