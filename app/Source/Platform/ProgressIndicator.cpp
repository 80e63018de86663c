#include "ProgressIndicator.h"

#include <QPainter>
#include <QTimerEvent>
#include <algorithm>

namespace {
constexpr int kSpokes = 12;
}

ProgressIndicator::ProgressIndicator(QWidget* parent) : QProgressBar(parent)
{
    setAttribute(Qt::WA_TranslucentBackground);
    setRange(0, 0);
    setTextVisible(false);
}

void ProgressIndicator::startAnimation()
{
    mTimer.start(80, this);
}

void ProgressIndicator::stopAnimation()
{
    mTimer.stop();
    update();
}

void ProgressIndicator::timerEvent(QTimerEvent* event)
{
    if (event->timerId() == mTimer.timerId()) {
        mStep = (mStep + 1) % kSpokes;
        update();
    }
}

void ProgressIndicator::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal side = std::min(width(), height());
    painter.translate(width() / 2.0, height() / 2.0);
    QPen pen(palette().color(QPalette::WindowText));
    pen.setWidthF(side / 10.0);
    pen.setCapStyle(Qt::RoundCap);
    for (int i = 0; i < kSpokes; ++i) {
        // The spoke at the current step is darkest; the others fade behind it.
        const int age = (mStep - i + kSpokes) % kSpokes;
        QColor color = pen.color();
        color.setAlphaF(1.0 - 0.75 * age / (kSpokes - 1));
        pen.setColor(color);
        painter.setPen(pen);
        painter.save();
        painter.rotate(360.0 * i / kSpokes);
        painter.drawLine(QPointF(0, -side * 0.25), QPointF(0, -side * 0.45));
        painter.restore();
    }
}
