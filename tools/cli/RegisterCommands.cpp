#include "RegisterCommands.h"

#include <memory>

#include "FWKVXSDK/ScannerData.h"

#include "CliArguments.h"
#include "CliOutput.h"
#include "ExitStatus.h"
#include "FleetRegistration.h"
#include "LocalizedStrings.h"
#include "PasswordInput.h"
#include "ProgressText.h"
#include "RegistrationPlan.h"
#include "ResultMessage.h"
#include "RunInterruption.h"
#include "TargetsFile.h"
#include "UsageError.h"

namespace {
// The value of --parallel: decimal digits, 1 to 16.
int scannersAtOnce(const std::string& text)
{
    const bool digits = !text.empty() && text.size() <= 2 &&
                        text.find_first_not_of("0123456789") == std::string::npos;
    const int count = digits ? std::stoi(text) : 0;
    if (count < 1 || count > FleetRegistration::kMostAtOnce) {
        throw UsageError(LocalizedStrings::format("CliErrorInvalidParallel", {text}));
    }
    return count;
}
} // namespace

int RegisterCommands::registerJobs(const std::vector<std::string>& rest)
{
    const CliArguments arguments(rest, {{"--scanner", true}, {"--json", false}, {"--plan", false}});
    arguments.allowNoMorePositionals(0);
    const auto address = arguments.value("--scanner");
    if (!address) {
        throw UsageError(LocalizedStrings::format("CliErrorMissingArgument", {"--scanner"}));
    }
    auto scanner = std::make_shared<ScannerData>();
    scanner->setScannerIp(CliArguments::ipv4Address(*address));
    const bool json = arguments.has("--json");
    if (arguments.has("--plan")) {
        RegistrationPlan::print({*address}, json, false);
        return ExitStatus::Success;
    }

    const auto password = PasswordInput::read(LocalizedStrings::text("CliPasswordPrompt"));
    if (!password) {
        CliOutput::error(LocalizedStrings::text("CliErrorPasswordInput"));
        return ExitStatus::Failure;
    }

    const RunInterruption interruption;
    const auto report = [&](const std::shared_ptr<BulkJobStatus>& item) {
        if (json) {
            CliOutput::json(
                {{"jobNo", item->jobNo()}, {"scannerName", item->scannerName()}, {"request", item->request()}});
        } else {
            CliOutput::line(ProgressText::forSlot(*item));
        }
    };
    const auto run = interruption.stop().registerJobs(scanner, *password, report);

    if (run.stopped) {
        return CliOutput::runResult(json, run.result, RunInterruption::stoppedMessage(run.released));
    }
    return CliOutput::runResult(json, run.result, ResultMessage::forRegistration(run.result, run.reason), run.reason);
}

int RegisterCommands::bulkRegister(const std::vector<std::string>& rest)
{
    const CliArguments arguments(rest,
                                 {{"--targets", true}, {"--json", false}, {"--parallel", true}, {"--plan", false}});
    arguments.allowNoMorePositionals(0);
    const auto path = arguments.value("--targets");
    if (!path) {
        throw UsageError(LocalizedStrings::format("CliErrorMissingArgument", {"--targets"}));
    }
    const int atOnce = arguments.has("--parallel") ? scannersAtOnce(*arguments.value("--parallel")) : 1;
    const bool json = arguments.has("--json");
    bool readableByOthers = false;
    const auto targets = TargetsFile::read(*path, readableByOthers);
    if (readableByOthers) {
        CliOutput::error(LocalizedStrings::format("CliWarnTargetsReadable", {*path}));
    }
    if (arguments.has("--plan")) {
        std::vector<std::string> addresses;
        for (const auto& target : targets) {
            addresses.push_back(target.address);
        }
        RegistrationPlan::print(addresses, json, true);
        return ExitStatus::Success;
    }

    RunInterruption interruption;
    const auto summary = FleetRegistration::run(
        targets, atOnce, interruption, [&](const FleetRegistration::Outcome& outcome) {
            const std::string text = ResultMessage::bulkRowText(outcome.result, outcome.reason);
            if (json) {
                nlohmann::json row = {{"scannerIp", outcome.address}, {"result", outcome.result}, {"text", text}};
                CliOutput::addReason(row, outcome.reason);
                CliOutput::json(row);
            } else {
                CliOutput::line(outcome.address + "\t" + text);
            }
            if (outcome.stopped) {
                // With one scanner at a time the message can only be about the row above.
                CliOutput::error(atOnce == 1 ? outcome.releaseMessage
                                             : outcome.address + "\t" + outcome.releaseMessage);
            }
        });
    if (summary.anyStopped) {
        return ExitStatus::Failure;
    }
    if (summary.notBegun > 0) {
        // A signal came between two scanners: those not yet begun are left as they are.
        CliOutput::error(LocalizedStrings::text("CliInterrupted"));
        return ExitStatus::Failure;
    }
    return summary.allSucceeded ? ExitStatus::Success : ExitStatus::Failure;
}
