#pragma once

#include <QBasicTimer>
#include <QWidget>

// An indeterminate progress indicator: a ring of spokes that turns while
// animated. Turning costs one small repaint every 80 ms.
class ProgressIndicator : public QWidget {
    Q_OBJECT
public:
    explicit ProgressIndicator(QWidget* parent = nullptr);

    void startAnimation();
    void stopAnimation();
    bool isAnimating() const { return mTimer.isActive(); }
    QSize sizeHint() const override { return {32, 32}; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

private:
    QBasicTimer mTimer;
    int mStep = 0;
};
