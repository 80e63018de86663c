#pragma once

#include <QWidget>

// The job editor's settings panel: a plain container that draws nothing itself.
class OvSettingGridView : public QWidget {
    Q_OBJECT
public:
    explicit OvSettingGridView(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};
