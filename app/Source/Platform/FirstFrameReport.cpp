#include "FirstFrameReport.h"

#include <QEvent>
#include <QFile>
#include <QObject>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <ctime>

namespace {
long residentKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) {
        return -1;
    }
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:")) {
            return line.mid(6).trimmed().split(' ').first().toLong();
        }
    }
    return -1;
}

class PaintWatcher final : public QObject {
public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !mReported) {
            mReported = true;
            // Reported once the event loop is back, after the frame has been flushed.
            QTimer::singleShot(0, this, [] {
                timespec now{};
                clock_gettime(CLOCK_MONOTONIC, &now);
                std::fprintf(stderr, "first-frame-ns %lld rss-kib %ld\n",
                             static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec, residentKiB());
                std::fflush(stderr);
            });
            watched->removeEventFilter(this);
        }
        return false;
    }

private:
    bool mReported = false;
};
} // namespace

void FirstFrameReport::installIfRequested(QWidget* window)
{
    if (window && qEnvironmentVariableIsSet("VANTIX_REPORT_FIRST_FRAME")) {
        window->installEventFilter(new PaintWatcher(window));
    }
}
