#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "FWKVXSDK/BulkJobStatus.h"
#include "FWKVXSDK/ScannerData.h"
#include "FWKVXSDK/SettingData.h"

#include "RunResult.h"

// The registration run: makes the scanner's job table (slots 1 to 99) equal to
// the PC's jobs, number for number. Identifies and locks the scanner, then for
// every slot registers the PC's job of that number or clears the slot, then
// unlocks. Runs synchronously on the calling thread (never the UI thread) and
// calls the completion exactly once with the result code (and the reason of
// the request that failed, when the code is the application's).
class JobRegistration {
public:
    using Progress = std::function<void(const std::shared_ptr<BulkJobStatus>& item)>;
    using Completion = std::function<void(const RunResult& result)>;

    static constexpr int64_t kFirstJobNo = 1;
    static constexpr int64_t kLastJobNo = 99;

    // progresscompletion (may be empty) is called after each slot's request has
    // succeeded, never before.
    void jobregist(const std::shared_ptr<ScannerData>& scanner, const std::string& password,
                   const Progress& progresscompletion, const Completion& completion);

    // What a run does with one slot: the job it registers there (carrying the
    // slot's number), or null when it clears the slot. The run and the
    // tool's registration plan both decide through this.
    static std::shared_ptr<SettingData> jobForSlot(int64_t number);

private:
    RunResult runSequence(const std::shared_ptr<ScannerData>& scanner, const std::string& password,
                          const Progress& progresscompletion);
};
