#include "RunStop.h"

#include "FWKVXSDK/WebApiClient.h"

namespace {
// Thrown through a run from its progress report.
struct BrokenOff {};
} // namespace

void RunStop::checkpoint(bool& runStopped) const
{
    if (requested()) {
        runStopped = true;
        throw BrokenOff{};
    }
}

bool RunStop::releaseLock(const std::shared_ptr<ScannerData>& scanner)
{
    return WebApiClient().UnLock(scanner);
}

RunStop::Registration RunStop::registerJobs(const std::shared_ptr<ScannerData>& scanner, const std::string& password,
                                            const JobRegistration::Progress& progress) const
{
    Registration run;
    JobRegistration().jobregist(
        scanner, password,
        [&](const std::shared_ptr<BulkJobStatus>& item) {
            if (progress) {
                progress(item);
            }
            checkpoint(run.stopped);
        },
        [&](int64_t code) { run.result = code; });
    if (run.stopped) {
        run.released = releaseLock(scanner);
    }
    return run;
}
