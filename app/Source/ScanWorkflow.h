#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include "FWKVXSDK/ScannerData.h"
#include "FWKVXSDK/SettingData.h"

#include "RunResult.h"

// The scan sequence: identify, lock, send the job's settings, start the scan,
// query the status once a second until the scanner reports the end, unlock.
// Runs synchronously on the calling thread (never the UI thread) and calls the
// completion exactly once with the result code: 0, the scanner's own code, or
// an application code (AppError) with the reason of the request that failed.
class ScanWorkflow {
public:
    using Completion = std::function<void(const RunResult& result)>;
    using Progress = std::function<void(int64_t status)>;

    // The wait before every status query, the first one included.
    static constexpr std::chrono::microseconds kStatusQueryInterval{1'000'000};

    // scanner: the record the requests update (shared with the caller);
    // progresscompletion may be empty. Writes "progresscompletion:status(N)" to the
    // system log for each progress report and "completion:result(N)" after the
    // completion has returned.
    void scanWithjob(const std::shared_ptr<ScannerData>& scanner, const std::shared_ptr<SettingData>& job,
                     const Completion& completion, const Progress& progresscompletion);

private:
    RunResult runSequence(const std::shared_ptr<ScannerData>& scanner, const std::shared_ptr<SettingData>& job,
                          const Progress& progresscompletion, std::optional<RunResult>& decided);
};
