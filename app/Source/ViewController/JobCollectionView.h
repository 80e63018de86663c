#pragma once
#include <QScrollArea>
class JobCollectionView : public QScrollArea {
    Q_OBJECT
public:
    using QScrollArea::QScrollArea;
};
