#include "RunStop.h"

#include <algorithm>
#include <thread>

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

RunStop::Scan RunStop::scan(const std::shared_ptr<ScannerData>& scanner, const std::shared_ptr<SettingData>& job,
                            const ScanWorkflow::Progress& progress, const ScanWorkflow::Completion& completion) const
{
    Scan run;
    const auto pause = [&](std::chrono::microseconds interval) {
        const auto end = std::chrono::steady_clock::now() + interval;
        for (auto now = std::chrono::steady_clock::now(); !requested() && now < end;
             now = std::chrono::steady_clock::now()) {
            std::this_thread::sleep_for(std::min<std::chrono::steady_clock::duration>(kStopPollInterval, end - now));
        }
        checkpoint(run.stopped);
    };
    ScanWorkflow(pause).scanWithjob(
        scanner, job,
        [&](const RunResult& result) {
            run.result = result.code;
            run.reason = result.reason;
            if (!run.stopped && completion) {
                completion(result);
            }
        },
        progress);
    if (run.stopped) {
        run.released = releaseLock(scanner);
    }
    return run;
}
