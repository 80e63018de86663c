#pragma once

#include <QBasicTimer>
#include <QProgressBar>

// An indeterminate progress indicator: a ring of spokes that turns while
// animated. Turning costs one small repaint every 80 ms. It is Qt's progress
// bar without a range, which assistive technology knows as busy; it draws
// itself.
class ProgressIndicator : public QProgressBar {
    Q_OBJECT
public:
    explicit ProgressIndicator(QWidget* parent = nullptr);

    void startAnimation();
    void stopAnimation();
    bool isAnimating() const { return mTimer.isActive(); }
    QSize sizeHint() const override { return {32, 32}; }
    QSize minimumSizeHint() const override { return {16, 16}; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

private:
    QBasicTimer mTimer;
    int mStep = 0;
};
