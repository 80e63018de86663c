#pragma once

#include <QWidget>

// The version screen's background panel: opaque white.
class ScanerVersionView : public QWidget {
    Q_OBJECT
public:
    explicit ScanerVersionView(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};
