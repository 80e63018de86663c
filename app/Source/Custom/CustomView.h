#pragma once

#include <QWidget>

// An opaque black panel.
class CustomView : public QWidget {
    Q_OBJECT
public:
    explicit CustomView(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};
