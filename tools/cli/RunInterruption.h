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
    // The message for a run that checked stop() and was broken off: whether
    // the scanner is free again.
    static std::string stoppedMessage(bool released);

private:
    RunStop mStop;
    struct sigaction mPrevious[3] {}; // SIGINT, SIGTERM, SIGHUP as they were
};
