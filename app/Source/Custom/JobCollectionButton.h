#pragma once

#include "HoverButton.h"

// The round edit and remove buttons of a job tile: a light disc with the
// picture on it, and a blue square frame while the pointer is over it.
class JobCollectionButton : public HoverButton {
    Q_OBJECT
public:
    explicit JobCollectionButton(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};
