#pragma once
#include <QTableView>
class SelectTableView : public QTableView {
    Q_OBJECT
public:
    using QTableView::QTableView;
};
