#include "CustomTextFieldCell.h"

#include <QEvent>
#include <QFontMetricsF>
#include <algorithm>
#include <cmath>

CustomTextFieldCell::CustomTextFieldCell(QWidget* parent) : QLineEdit(parent)
{
    updateInset();
}

int CustomTextFieldCell::verticalInset(double frameHeight, double ascent, double descent)
{
    return static_cast<int>(std::floor((frameHeight - (ascent + descent)) / 2)) - 5;
}

int CustomTextFieldCell::appliedVerticalInset() const
{
    const QFontMetricsF metrics(font());
    return std::max(0, verticalInset(height(), metrics.ascent(), metrics.descent()));
}

QSize CustomTextFieldCell::sizeHint() const
{
    return QLineEdit::sizeHint() - QSize(0, textMargins().top() + textMargins().bottom());
}

QSize CustomTextFieldCell::minimumSizeHint() const
{
    return QLineEdit::minimumSizeHint() - QSize(0, textMargins().top() + textMargins().bottom());
}

void CustomTextFieldCell::updateInset()
{
    const int dy = appliedVerticalInset();
    const QMargins current = textMargins();
    if (current.top() != dy || current.bottom() != dy) {
        setTextMargins(current.left(), dy, current.right(), dy);
    }
}

void CustomTextFieldCell::resizeEvent(QResizeEvent* event)
{
    updateInset();
    QLineEdit::resizeEvent(event);
}

void CustomTextFieldCell::changeEvent(QEvent* event)
{
    QLineEdit::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        updateInset();
    }
}
