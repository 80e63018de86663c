#include "JobRegistration.h"

#include "FWKVXSDK/WebApiClient.h"

#include "AppError.h"
#include "CaughtException.h"
#include "LocalizedStrings.h"
#include "RunStop.h"

namespace {
constexpr int64_t kAccepted = 1;
constexpr int64_t kRefused = -1;
} // namespace

std::shared_ptr<SettingData> JobRegistration::jobForSlot(int64_t number)
{
    const auto stored = SettingData::ReadSettings(number);
    // An absent number counts as present: only the empty number means "no job".
    if (!stored || stored->jobNo() == std::optional<std::string>(std::string())) {
        return nullptr;
    }
    // The job stored in the file of number n goes into slot n. A damaged file
    // whose own number is missing or differs would otherwise be sent under
    // another slot (or none); it is sent as a copy carrying n.
    const auto jobNo = stored->jobNo();
    if (jobNo && *jobNo == std::to_string(number)) {
        return stored;
    }
    auto copy = SettingData::initWithData(*stored);
    copy->setJobNo(std::to_string(number));
    return copy;
}

void JobRegistration::jobregist(const std::shared_ptr<ScannerData>& scanner, const std::string& password,
                                const Progress& progresscompletion, const Completion& completion)
{
    // Every code of the run is decided just before it ends, so a run that
    // breaks off has none: it reports a failed registration, never success.
    RunResult result;
    try {
        result = runSequence(scanner, password, progresscompletion);
    } catch (const RunStop::BrokenOff&) {
        // Stopped on purpose: no further requests (the caller unlocks).
        result = {AppError::FailedToBulkRegistJob, {}};
    } catch (...) {
        // A fault stops the run without further requests (no unlock).
        CaughtException::record("registration");
        result = {AppError::FailedToBulkRegistJob, {}};
    }
    try {
        if (completion) {
            completion(result);
        }
    } catch (...) {
        // The completion has been called; its own fault must not end the program.
        CaughtException::record("registration result");
    }
}

RunResult JobRegistration::runSequence(const std::shared_ptr<ScannerData>& scanner, const std::string& password,
                                       const Progress& progresscompletion)
{
    if (!scanner) {
        return {AppError::NoDetectScanner, {}};
    }
    scanner->setInternalStatus(0);
    scanner->setInternalCode(0);
    scanner->setStatus(0);
    scanner->setScannerId(JsonIdentifier::fromString(""));

    WebApiClient client;
    const auto failed = [&](int64_t applicationCode, const WebApiFailure& reason) {
        return RunResult::failed(*scanner, applicationCode, reason);
    };
    if (!client.GetScannerID(scanner)) {
        return failed(AppError::NoDetectScanner, scanner->lastRequestFailure());
    }
    if (!client.Lock(scanner)) {
        return failed(AppError::Connect, scanner->lastRequestFailure());
    }

    const std::string registerText = LocalizedStrings::text("RegistJob");
    const std::string deleteText = LocalizedStrings::text("MenuDelete");
    for (int64_t number = kFirstJobNo; number <= kLastJobNo; ++number) {
        auto item = std::make_shared<BulkJobStatus>();
        item->setJobNo(number);
        item->setScannerName(scanner->scannerName().value_or(std::string()));

        int64_t result = 0;
        if (const auto job = jobForSlot(number)) {
            item->setRequest(registerText);
            result = client.Register(scanner, job, password);
        } else {
            item->setRequest(deleteText);
            result = client.Delete(scanner, password, number);
        }
        if (result == kAccepted) {
            if (progresscompletion) {
                progresscompletion(item);
            }
            continue;
        }
        // The code is taken after the unlock, so a code the unlock answer carries
        // counts; the reason is the slot request's, unless the unlock failed too.
        const WebApiFailure slotFailure = scanner->lastRequestFailure();
        if (client.UnLock(scanner)) {
            return failed(result == kRefused ? AppError::InvalidPassword : AppError::FailedToBulkRegistJob,
                          slotFailure);
        }
        return failed(AppError::Connect, scanner->lastRequestFailure());
    }
    if (client.UnLock(scanner)) {
        return {};
    }
    return failed(AppError::Connect, scanner->lastRequestFailure());
}
