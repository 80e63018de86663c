#pragma once
#include <QWidget>
class OvSettingGridView : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;
};
