#include "ScanWorkflow.h"

#include <string>
#include <thread>
#include <utility>

#include "FWKVXSDK/WebApiClient.h"

#include "AppError.h"
#include "SystemLog.h"

namespace {
// The scanner's own code when it reported one, else the application code.
int64_t codeOr(const ScannerData& scanner, int64_t fallback)
{
    const int64_t code = scanner.internalCode();
    return code != 0 ? code : fallback;
}

constexpr int64_t kStatusRunning = 1;
constexpr int64_t kStatusEndedWithError = 2;
} // namespace

ScanWorkflow::ScanWorkflow(Pause pause) : mPause(std::move(pause))
{
    if (!mPause) {
        mPause = [](std::chrono::microseconds interval) { std::this_thread::sleep_for(interval); };
    }
}

void ScanWorkflow::scanWithjob(const std::shared_ptr<ScannerData>& scanner, const std::shared_ptr<SettingData>& job,
                               const Completion& completion, const Progress& progresscompletion)
{
    std::optional<int64_t> decided;
    int64_t result = 0;
    try {
        result = runSequence(scanner, job, progresscompletion, decided);
    } catch (...) {
        // A fault stops the sequence without further requests. A run that broke
        // off is a failure: without a code decided so far it reports the scan's
        // own failure code, never success.
        result = decided.value_or(AppError::Scan);
    }
    try {
        if (completion) {
            completion(result);
        }
    } catch (...) {
        // The completion has been called; its own fault must not end the program.
    }
    SystemLog::write("completion:result(" + std::to_string(result) + ")");
}

int64_t ScanWorkflow::runSequence(const std::shared_ptr<ScannerData>& scanner,
                                  const std::shared_ptr<SettingData>& job, const Progress& progresscompletion,
                                  std::optional<int64_t>& decided)
{
    if (!scanner) {
        return AppError::NoDetectScanner;
    }
    if (!job) {
        return AppError::Scan;
    }
    WebApiClient client;

    if (!client.GetScannerID(scanner)) {
        return codeOr(*scanner, AppError::NoDetectScanner);
    }
    if (!client.Lock(scanner)) {
        return codeOr(*scanner, AppError::Connect);
    }
    if (client.SetSetting(scanner, job) != 1) {
        decided = codeOr(*scanner, AppError::Connect); // taken before the unlock
        client.UnLock(scanner);
        return *decided;
    }
    if (!client.Scan(scanner, job)) {
        decided = codeOr(*scanner, AppError::Connect);
        client.UnLock(scanner);
        return *decided;
    }

    // One failed status query is tolerated; the second in a row ends the scan.
    int failedQueries = 0;
    for (;;) {
        mPause(kStatusQueryInterval);
        if (!client.GetStatus(scanner)) {
            if (failedQueries == 0) {
                failedQueries = 1;
                continue;
            }
            return codeOr(*scanner, AppError::Connect); // no unlock on this path
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
            return codeOr(*scanner, AppError::Connect); // taken after the unlock
        }
        client.UnLock(scanner);
        return 0;
    }
}
