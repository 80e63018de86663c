#include "SavedScannerCommands.h"

#include <memory>

#include "FWKVXSDK/ScannerData.h"
#include "FWKVXSDK/WebApiClient.h"

#include "CliArguments.h"
#include "CliOutput.h"
#include "ExitStatus.h"
#include "LocalizedStrings.h"
#include "RequestFailureText.h"
#include "SavedScannerCheck.h"
#include "SavedScanners.h"
#include "UsageError.h"

namespace {
int failure(const std::string& message)
{
    CliOutput::error(message);
    return ExitStatus::Failure;
}

int list(const std::vector<std::string>& rest)
{
    const CliArguments arguments(rest, {{"--json", false}});
    arguments.allowNoMorePositionals(0);
    const auto saved = SavedScanners::load();
    if (!saved.problem.empty()) {
        return failure(saved.problem);
    }
    if (arguments.has("--json")) {
        nlohmann::json array = nlohmann::json::array();
        for (const auto& entry : saved.scanners) {
            array.push_back({{"scannerName", entry.name}, {"scannerIp", entry.address}});
        }
        CliOutput::json(array);
        return ExitStatus::Success;
    }
    for (const auto& entry : saved.scanners) {
        CliOutput::line(CliOutput::printable(entry.name) + "\t" + entry.address);
    }
    return ExitStatus::Success;
}

std::string onlyAddress(const std::vector<std::string>& rest)
{
    const CliArguments arguments(rest, {});
    arguments.requirePositionals(1, {"ADDRESS"});
    arguments.allowNoMorePositionals(1);
    return CliArguments::ipv4Address(arguments.positionals()[0]);
}

// Only an address that answers with an identity is saved.
int add(const std::vector<std::string>& rest)
{
    auto scanner = std::make_shared<ScannerData>();
    scanner->setScannerIp(onlyAddress(rest));
    WebApiClient client;
    switch (SavedScannerCheck::ask(client, scanner)) {
    case SavedScannerCheck::Answer::NoAnswer:
        return failure(RequestFailureText::withReason(
            LocalizedStrings::format("CliErrorScannerNoAnswer", {*scanner->scannerIp()}),
            scanner->lastRequestFailure()));
    case SavedScannerCheck::Answer::NoIdentity:
        return failure(LocalizedStrings::format("CliErrorUnreadableIdentity", {*scanner->scannerIp()}));
    case SavedScannerCheck::Answer::Identified:
        break;
    }
    if (const auto refusal = SavedScanners::add(*scanner->scannerIp(), scanner->scannerName().value_or(""));
        !refusal.empty()) {
        return failure(refusal);
    }
    CliOutput::line(CliOutput::printable(scanner->scannerName().value_or("")) + "\t" + *scanner->scannerIp());
    return ExitStatus::Success;
}

int remove(const std::vector<std::string>& rest)
{
    if (const auto refusal = SavedScanners::remove(onlyAddress(rest)); !refusal.empty()) {
        return failure(refusal);
    }
    return ExitStatus::Success;
}
} // namespace

int SavedScannerCommands::run(const std::vector<std::string>& arguments)
{
    if (arguments.empty()) {
        throw UsageError(LocalizedStrings::format("CliErrorMissingArgument", {"list|add|rm"}));
    }
    const std::vector<std::string> rest(arguments.begin() + 1, arguments.end());
    if (arguments[0] == "list") {
        return list(rest);
    }
    if (arguments[0] == "add") {
        return add(rest);
    }
    if (arguments[0] == "rm") {
        return remove(rest);
    }
    throw UsageError(LocalizedStrings::format("CliErrorUnknownCommand", {"scanners " + arguments[0]}));
}
