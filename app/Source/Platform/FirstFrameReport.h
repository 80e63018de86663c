#pragma once

class QWidget;

// For start-up measurements: with VANTIX_REPORT_FIRST_FRAME set in the
// environment, the program writes one line to standard error once the window
// has been painted for the first time: "first-frame-ns N rss-kib M", where N is
// CLOCK_MONOTONIC in nanoseconds and M the resident memory at that moment.
class FirstFrameReport {
public:
    static void installIfRequested(QWidget* window);
};
