#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>

#include "FWKVXSDK/ScannerData.h"

#include "JobRegistration.h"

// Stopping scan and registration runs that are under way, from another thread
// or from a signal handler, without leaving a scanner locked to nobody. A run
// checks the stop at each progress report, that is after the request under way
// has been answered and while the run still holds the scanner's lock; once a
// stop has been asked for it is broken off there (no further requests), and
// the thread that ran it releases the lock afterwards. The command-line tool
// stops its runs on Ctrl-C, the desktop application when its window closes.
class RunStop {
public:
    // What checkpoint() throws through a run; the runs' guards tell it from a fault.
    struct BrokenOff {};

    // A registration run that checked this stop.
    struct Registration {
        int64_t result = 0;    // the run's result code
        WebApiFailure reason;  // why the request that decided it failed, if one did
        bool stopped = false;  // broken off by the stop
        bool released = false; // broken off, and the scanner is free again
    };

    RunStop() = default;
    RunStop(const RunStop&) = delete;
    RunStop& operator=(const RunStop&) = delete;

    // Asks every run that checks this stop to break off. Lock-free, so that a
    // signal handler may call it.
    void request() noexcept { mRequested.store(true); }
    bool requested() const noexcept { return mRequested.load(); }

    // From a run's progress report: when a stop has been asked for, records it
    // in runStopped (the run's own record, touched only by the thread the run
    // is on) and breaks the run off by throwing through it; the run's guard
    // then ends it without further requests.
    void checkpoint(bool& runStopped) const;
    // Releases the lock that a run broken off still holds; true when the
    // scanner answered, that is, it is free again.
    static bool releaseLock(const std::shared_ptr<ScannerData>& scanner);

    // The registration run on the calling thread, with progress passed on and
    // this stop checked after each report; a run broken off has its lock
    // released before this returns.
    Registration registerJobs(const std::shared_ptr<ScannerData>& scanner, const std::string& password,
                              const JobRegistration::Progress& progress) const;

private:
    std::atomic<bool> mRequested{false};
    static_assert(std::atomic<bool>::is_always_lock_free, "signal handlers need a lock-free flag");
};
