#pragma once

// What assistive technology is told about the views whose meaning Qt cannot
// know by itself: the job grid and its tiles (a list of selectable items),
// pop-up lists (named by their labels), tables whose cells hold controls,
// and status lines (notifications a screen reader reads out as they appear).
class AccessibleFactory {
public:
    // On the main thread, once the QApplication exists; later calls do nothing.
    static void install();
};
