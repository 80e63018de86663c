#include "ScannerCommands.h"

#include <chrono>
#include <memory>
#include <set>
#include <thread>

#include "FWKVXSDK/ScannerData.h"
#include "FWKVXSDK/WebApiClient.h"

#include "AppError.h"
#include "CliArguments.h"
#include "CliMainLoop.h"
#include "CliOutput.h"
#include "ExitStatus.h"
#include "JobJson.h"
#include "LocalizedStrings.h"
#include "RequestFailureText.h"
#include "SavedScannerCheck.h"
#include "SavedScanners.h"

namespace {
// A search lasts about seven seconds; this only bounds a search that never completes.
constexpr std::chrono::seconds kSearchLimit{30};

int noScanner()
{
    CliOutput::error(LocalizedStrings::text("ErrorNoDetectScanner"));
    return ExitStatus::Failure;
}
} // namespace

int ScannerCommands::discover(const std::vector<std::string>& rest)
{
    const CliArguments arguments(rest, {{"--json", false}});
    arguments.allowNoMorePositionals(0);

    // Saved scanners are asked who they are while discovery listens; a saved
    // list that cannot be read is reported, and discovery goes on without it.
    const auto saved = SavedScanners::load();
    if (!saved.problem.empty()) {
        CliOutput::error(saved.problem);
    }
    bool succeeded = false;
    std::vector<std::shared_ptr<ScannerData>> scanners;
    std::vector<std::shared_ptr<ScannerData>> answered;
    {
        // The loop is the main thread the search delivers its completion to; it
        // outlives the client, whose terminate ends the search's worker.
        CliMainLoop loop;
        WebApiClient client;
        std::jthread asking([&] { answered = SavedScannerCheck::identify(client, saved.scanners); });
        const bool started = client.GetHostListWithCompletion(
            [&](bool result, std::vector<std::shared_ptr<ScannerData>> found) {
                succeeded = result;
                scanners = std::move(found);
                loop.stop();
            });
        if (started) {
            loop.run(kSearchLimit);
        }
        client.terminate();
        asking.join();
    }
    const auto savedList = SavedScanners::addresses(saved);
    const std::set<std::string> savedAddresses(savedList.begin(), savedList.end());
    scanners = SavedScannerCheck::merge(succeeded ? std::move(scanners) : decltype(scanners)(), answered);
    if (scanners.empty()) {
        return noScanner();
    }
    const auto isSaved = [&](const ScannerData& scanner) {
        return savedAddresses.count(scanner.scannerIp().value_or(std::string())) != 0;
    };
    if (arguments.has("--json")) {
        nlohmann::json array = nlohmann::json::array();
        for (const auto& scanner : scanners) {
            nlohmann::json row{{"scannerName", JobJson::text(scanner->scannerName())},
                               {"scannerIp", JobJson::text(scanner->scannerIp())}};
            if (isSaved(*scanner)) {
                row["saved"] = true;
            }
            array.push_back(std::move(row));
        }
        CliOutput::json(array);
        return ExitStatus::Success;
    }
    for (const auto& scanner : scanners) {
        CliOutput::line(CliOutput::printable(scanner->scannerName().value_or("")) + "\t" +
                        CliOutput::printable(scanner->scannerIp().value_or("")) +
                        (isSaved(*scanner) ? "\t" + LocalizedStrings::text("CliLabelSaved") : ""));
    }
    return ExitStatus::Success;
}

int ScannerCommands::identify(const std::vector<std::string>& rest)
{
    const CliArguments arguments(rest, {{"--json", false}});
    arguments.requirePositionals(1, {"ADDRESS"});
    arguments.allowNoMorePositionals(1);
    auto scanner = std::make_shared<ScannerData>();
    scanner->setScannerIp(CliArguments::ipv4Address(arguments.positionals()[0]));

    const bool json = arguments.has("--json");
    WebApiClient client;
    if (!client.GetScannerID(scanner)) {
        const WebApiFailure reason = scanner->lastRequestFailure();
        return CliOutput::runResult(
            json, AppError::NoDetectScanner,
            RequestFailureText::withReason(LocalizedStrings::text("ErrorNoDetectScanner"), reason), reason);
    }
    // It answered, but in a form (another JSON shape, a compressed body) from
    // which no identifier could be read: that is no identity to show. The
    // message says so already; JSON gets the reason's keyword.
    if (!scanner->scannerId()) {
        return CliOutput::runResult(json, AppError::NoDetectScanner,
                                    LocalizedStrings::format("CliErrorUnreadableIdentity", {*scanner->scannerIp()}),
                                    scanner->lastRequestFailure());
    }
    if (json) {
        CliOutput::json({{"scannerId", JobJson::identifier(scanner->scannerId())},
                         {"scannerName", JobJson::text(scanner->scannerName())}});
        return ExitStatus::Success;
    }
    CliOutput::line(LocalizedStrings::text("LabelScanner") + ": " +
                    CliOutput::printable(scanner->scannerName().value_or("")));
    CliOutput::line(LocalizedStrings::text("CliLabelScannerId") + ": " +
                    CliOutput::printable(scanner->scannerId() ? scanner->scannerId()->text : ""));
    return ExitStatus::Success;
}
