#include "RunStop.h"

#include "FWKVXSDK/WebApiClient.h"

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
        [&](const RunResult& result) {
            run.result = result.code;
            run.reason = result.reason;
        });
    if (run.stopped) {
        run.released = releaseLock(scanner);
    }
    return run;
}
