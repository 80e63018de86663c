#pragma once

#include <csignal>
#include <memory>
#include <string>

#include "FWKVXSDK/ScannerData.h"

#include "RunStop.h"

// Ctrl-C (or SIGTERM, SIGHUP) during a scan or registration run. Ending the
// tool at once would leave a shared scanner locked to nobody, so the first
// signal only asks the runs to stop (RunStop): each is broken off at its next
// progress report, and the tool then releases the lock the run holds. A
// second signal ends the tool at once, as usual.
// One instance at a time. Several runs may be under way at once, each on its
// own thread; each then keeps its own record of having been broken off.
class RunInterruption {
public:
    RunInterruption();
    ~RunInterruption();
    RunInterruption(const RunInterruption&) = delete;
    RunInterruption& operator=(const RunInterruption&) = delete;

    // What the first signal asks for.
    const RunStop& stop() const { return mStop; }
    // A signal has come.
    bool requested() const { return mStop.requested(); }
    // Called from a scan's progress report: breaks the run off when a signal
    // has come. Reports come only while the run holds the scanner's lock.
    void checkpoint() { mStop.checkpoint(mStopped); }
    // checkpoint() broke the run off; it then still holds the lock.
    bool stoppedRun() const { return mStopped; }
    // Releases the lock of the run that was broken off and returns the
    // message that tells the user whether the scanner is free again.
    static std::string releaseStoppedRun(const std::shared_ptr<ScannerData>& scanner);
    // That message for a registration that checked stop().
    static std::string stoppedMessage(bool released);

private:
    RunStop mStop;
    bool mStopped = false;
    struct sigaction mPrevious[3] {}; // SIGINT, SIGTERM, SIGHUP as they were
};
