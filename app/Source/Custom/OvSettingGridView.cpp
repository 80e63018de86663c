#include "OvSettingGridView.h"

OvSettingGridView::OvSettingGridView(QWidget* parent) : QWidget(parent) {}

void OvSettingGridView::paintEvent(QPaintEvent*) {}
