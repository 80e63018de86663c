#include "StatusLine.h"

StatusLine::StatusLine(QWidget* parent) : QLabel(parent)
{
    setVisible(false);
}

void StatusLine::announce(const QString& text)
{
    setText(text);
    setAccessibleName(text);
    // A screen reader reads a notification as it appears: one already shown
    // appears anew.
    setVisible(false);
    setVisible(true);
}

void StatusLine::clear()
{
    setVisible(false);
    QLabel::clear();
    setAccessibleName(QString());
}
