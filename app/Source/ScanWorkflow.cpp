#include "ScanWorkflow.h"

#include <string>
#include <thread>

#include "FWKVXSDK/WebApiClient.h"

#include "AppError.h"
#include "CaughtException.h"
#include "RunStop.h"
#include "SystemLog.h"

namespace {
constexpr int64_t kStatusRunning = 1;
constexpr int64_t kStatusEndedWithError = 2;
} // namespace

void ScanWorkflow::scanWithjob(const std::shared_ptr<ScannerData>& scanner, const std::shared_ptr<SettingData>& job,
                               const Completion& completion, const Progress& progresscompletion)
{
    std::optional<RunResult> decided;
    RunResult result;
    try {
        result = runSequence(scanner, job, progresscompletion, decided);
    } catch (const RunStop::BrokenOff&) {
        // Stopped on purpose: no further requests, and never a success.
        result = decided.value_or(RunResult{AppError::Scan, {}});
    } catch (...) {
        // A fault stops the sequence without further requests. A run that broke
        // off is a failure: without a code decided so far it reports the scan's
        // own failure code, never success.
        CaughtException::record("scan");
        result = decided.value_or(RunResult{AppError::Scan, {}});
    }
    try {
        if (completion) {
            completion(result);
        }
    } catch (...) {
        // The completion has been called; its own fault must not end the program.
        CaughtException::record("scan result");
    }
    SystemLog::write("completion:result(" + std::to_string(result.code) + ")");
}

RunResult ScanWorkflow::runSequence(const std::shared_ptr<ScannerData>& scanner,
                                    const std::shared_ptr<SettingData>& job, const Progress& progresscompletion,
                                    std::optional<RunResult>& decided)
{
    if (!scanner) {
        return {AppError::NoDetectScanner, {}};
    }
    if (!job) {
        return {AppError::Scan, {}};
    }
    WebApiClient client;
    const auto failed = [&](int64_t applicationCode) {
        return RunResult::failed(*scanner, applicationCode, scanner->lastRequestFailure());
    };

    if (!client.GetScannerID(scanner)) {
        return failed(AppError::NoDetectScanner);
    }
    if (!client.Lock(scanner)) {
        return failed(AppError::Connect);
    }
    if (client.SetSetting(scanner, job) != 1) {
        decided = failed(AppError::Connect); // taken before the unlock
        client.UnLock(scanner);
        return *decided;
    }
    if (!client.Scan(scanner, job)) {
        decided = failed(AppError::Connect);
        client.UnLock(scanner);
        return *decided;
    }

    // One failed status query is tolerated; the second in a row ends the scan.
    int failedQueries = 0;
    for (;;) {
        std::this_thread::sleep_for(kStatusQueryInterval);
        if (!client.GetStatus(scanner)) {
            if (failedQueries == 0) {
                failedQueries = 1;
                continue;
            }
            return failed(AppError::Connect); // no unlock on this path
        }
        const int64_t status = scanner->status();
        if (status == kStatusRunning) {
            failedQueries = 0;
            if (progresscompletion) {
                const int64_t detail = scanner->internalStatus();
                SystemLog::write("progresscompletion:status(" + std::to_string(detail) + ")");
                progresscompletion(detail);
            }
            continue;
        }
        if (status == kStatusEndedWithError) {
            client.UnLock(scanner);
            return failed(AppError::Connect); // taken after the unlock
        }
        client.UnLock(scanner);
        return {};
    }
}
