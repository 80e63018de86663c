#include "RegisterCommands.h"

#include <memory>

#include "FWKVXSDK/ScannerData.h"

#include "CliArguments.h"
#include "CliOutput.h"
#include "ExitStatus.h"
#include "JobRegistration.h"
#include "LocalizedStrings.h"
#include "PasswordInput.h"
#include "ProgressText.h"
#include "ResultMessage.h"
#include "RunInterruption.h"
#include "TargetsFile.h"
#include "UsageError.h"

int RegisterCommands::registerJobs(const std::vector<std::string>& rest)
{
    const CliArguments arguments(rest, {{"--scanner", true}, {"--json", false}});
    arguments.allowNoMorePositionals(0);
    const auto address = arguments.value("--scanner");
    if (!address) {
        throw UsageError(LocalizedStrings::format("CliErrorMissingArgument", {"--scanner"}));
    }
    auto scanner = std::make_shared<ScannerData>();
    scanner->setScannerIp(CliArguments::ipv4Address(*address));
    const bool json = arguments.has("--json");

    const auto password = PasswordInput::read(LocalizedStrings::text("CliPasswordPrompt"));
    if (!password) {
        CliOutput::error(LocalizedStrings::text("CliErrorPasswordInput"));
        return ExitStatus::Failure;
    }

    int64_t result = 0;
    RunInterruption interruption;
    JobRegistration().jobregist(
        scanner, *password,
        [&](const std::shared_ptr<BulkJobStatus>& item) {
            if (json) {
                CliOutput::json(
                    {{"jobNo", item->jobNo()}, {"scannerName", item->scannerName()}, {"request", item->request()}});
            } else {
                CliOutput::line(ProgressText::forSlot(*item));
            }
            interruption.checkpoint();
        },
        [&](int64_t code) { result = code; });

    if (interruption.stoppedRun()) {
        return CliOutput::runResult(json, result, RunInterruption::releaseStoppedRun(scanner));
    }
    return CliOutput::runResult(json, result, ResultMessage::forRegistration(result));
}

int RegisterCommands::bulkRegister(const std::vector<std::string>& rest)
{
    const CliArguments arguments(rest, {{"--targets", true}, {"--json", false}});
    arguments.allowNoMorePositionals(0);
    const auto path = arguments.value("--targets");
    if (!path) {
        throw UsageError(LocalizedStrings::format("CliErrorMissingArgument", {"--targets"}));
    }
    const bool json = arguments.has("--json");
    bool readableByOthers = false;
    const auto targets = TargetsFile::read(*path, readableByOthers);
    if (readableByOthers) {
        CliOutput::error(LocalizedStrings::format("CliWarnTargetsReadable", {*path}));
    }

    bool allSucceeded = true;
    RunInterruption interruption;
    for (const auto& target : targets) {
        if (interruption.requested()) {
            // The scanners not yet begun are left as they are.
            CliOutput::error(LocalizedStrings::text("CliInterrupted"));
            return ExitStatus::Failure;
        }
        auto scanner = std::make_shared<ScannerData>();
        scanner->setScannerIp(target.address);
        int64_t result = 0;
        JobRegistration().jobregist(
            scanner, target.password, [&](const std::shared_ptr<BulkJobStatus>&) { interruption.checkpoint(); },
            [&](int64_t code) { result = code; });
        allSucceeded = allSucceeded && result == 0;
        const std::string text = ResultMessage::bulkRowText(result);
        if (json) {
            CliOutput::json({{"scannerIp", target.address}, {"result", result}, {"text", text}});
        } else {
            CliOutput::line(target.address + "\t" + text);
        }
        if (interruption.stoppedRun()) {
            CliOutput::error(RunInterruption::releaseStoppedRun(scanner));
            return ExitStatus::Failure;
        }
    }
    return allSucceeded ? ExitStatus::Success : ExitStatus::Failure;
}
