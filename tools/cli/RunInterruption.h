#pragma once

#include <csignal>
#include <memory>
#include <string>

#include "FWKVXSDK/ScannerData.h"

// Ctrl-C (or SIGTERM, SIGHUP) during a scan or registration run. Ending the
// tool at once would leave a shared scanner locked to nobody, so the first
// signal only asks the run to stop: at its next progress report the run is
// broken off (no further requests), and the tool then releases the lock the
// run holds. A second signal ends the tool at once, as usual.
// One instance at a time. Several runs may be under way at once, each on its
// own thread; each then keeps its own record of having been broken off.
class RunInterruption {
public:
    RunInterruption();
    ~RunInterruption();
    RunInterruption(const RunInterruption&) = delete;
    RunInterruption& operator=(const RunInterruption&) = delete;

    // A signal has come.
    bool requested() const;
    // Called from a run's progress report: breaks the run off when a signal
    // has come. Reports come only while the run holds the scanner's lock.
    void checkpoint();
    // The same for one of several runs under way at once: `runStopped` is that
    // run's own record, touched only by the thread the run is on.
    void checkpoint(bool& runStopped) const;
    // checkpoint() broke the run off; it then still holds the lock.
    bool stoppedRun() const { return mStopped; }
    // Releases the lock of the run that was broken off and returns the
    // message that tells the user whether the scanner is free again.
    static std::string releaseStoppedRun(const std::shared_ptr<ScannerData>& scanner);

private:
    bool mStopped = false;
    struct sigaction mPrevious[3] {}; // SIGINT, SIGTERM, SIGHUP as they were
};
