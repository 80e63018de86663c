#include "ScanCommand.h"

#include <memory>

#include "FWKVXSDK/ScannerData.h"
#include "FWKVXSDK/SettingData.h"

#include "CliArguments.h"
#include "CliOutput.h"
#include "ExitStatus.h"
#include "JobList.h"
#include "LocalizedStrings.h"
#include "ProgressText.h"
#include "ResultMessage.h"
#include "RunInterruption.h"
#include "ScanWorkflow.h"
#include "UsageError.h"

int ScanCommand::run(const std::vector<std::string>& rest)
{
    const CliArguments arguments(rest, {{"--scanner", true}, {"--job", true}, {"--json", false}});
    arguments.allowNoMorePositionals(0);
    const auto address = arguments.value("--scanner");
    const auto jobText = arguments.value("--job");
    if (!address) {
        throw UsageError(LocalizedStrings::format("CliErrorMissingArgument", {"--scanner"}));
    }
    if (!jobText) {
        throw UsageError(LocalizedStrings::format("CliErrorMissingArgument", {"--job"}));
    }
    auto scanner = std::make_shared<ScannerData>();
    scanner->setScannerIp(CliArguments::ipv4Address(*address));
    const int64_t number = CliArguments::jobNumber(*jobText);
    const bool json = arguments.has("--json");

    if (!JobList::hasJobFile(number)) {
        CliOutput::error(LocalizedStrings::format("CliErrorNoSuchJob", {std::to_string(number)}));
        return ExitStatus::Failure;
    }
    const auto job = SettingData::ReadSettings(number);

    std::string shownText = LocalizedStrings::text("Scanning");
    if (!json) {
        CliOutput::line(shownText);
    }
    RunResult result;
    RunInterruption interruption;
    ScanWorkflow().scanWithjob(
        scanner, job, [&](const RunResult& ended) { result = ended; },
        [&](int64_t status) {
            if (json) {
                CliOutput::json({{"progress", status}});
            } else if (const auto text = ProgressText::forScanStatus(status); text && *text != shownText) {
                shownText = *text;
                CliOutput::line(shownText);
            }
            interruption.checkpoint();
        });

    if (interruption.stoppedRun()) {
        return CliOutput::runResult(json, result.code, RunInterruption::releaseStoppedRun(scanner));
    }
    return CliOutput::runResult(json, result.code, ResultMessage::forScan(result.code, result.reason), result.reason);
}
