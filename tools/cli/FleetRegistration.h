#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "FWKVXSDK/WebApiFailure.h"

#include "RunInterruption.h"
#include "TargetsFile.h"

// The registration run on many scanners, up to a given number at once, each
// run on a thread of its own and each scanner getting exactly the requests of
// one run. Scanners are begun in the order listed. After a signal every run
// under way stops at its next progress report and its scanner is unlocked;
// no further scanner is begun.
class FleetRegistration {
public:
    static constexpr int kMostAtOnce = 16;

    struct Outcome {
        std::string address;
        int64_t result = 0;
        WebApiFailure reason;       // why the request that decided the result failed, if one did
        bool stopped = false;       // broken off by a signal
        std::string releaseMessage; // for a stopped run: whether its scanner is free again
    };
    // Called once per scanner as its run ends, never for two scanners at the same time.
    using Report = std::function<void(const Outcome& outcome)>;

    struct Summary {
        bool allSucceeded = true;
        bool anyStopped = false;
        std::size_t notBegun = 0; // scanners left alone after a signal
    };

    static Summary run(const std::vector<TargetsFile::Target>& targets, int atOnce, const RunInterruption& interruption,
                       const Report& report);
};
