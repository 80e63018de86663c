#include "ScanerVersionView.h"

#include <QPainter>

ScanerVersionView::ScanerVersionView(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ScanerVersionView::paintEvent(QPaintEvent*)
{
    QPainter(this).fillRect(rect(), Qt::white);
}
