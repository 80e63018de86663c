#pragma once

#include <QLabel>

// One line under a list that says what the last search or registration came
// to ("Scanners found: 3"). Assistive technology sees a notification
// (AccessibleFactory) that appears with each new text, so that a screen
// reader reads it out without a box that takes the focus. Hidden until it
// has something to say.
class StatusLine : public QLabel {
    Q_OBJECT
public:
    explicit StatusLine(QWidget* parent = nullptr);

    void announce(const QString& text);
    // Hidden again: what it said no longer holds.
    void clear();
};
