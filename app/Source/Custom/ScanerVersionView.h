#pragma once
#include <QWidget>
class ScanerVersionView : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;
};
