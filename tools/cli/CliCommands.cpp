#include "CliCommands.h"

#include "JobsCommand.h"
#include "LocalizedStrings.h"
#include "RegisterCommands.h"
#include "SavedScannerCommands.h"
#include "ScanCommand.h"
#include "ScannerCommands.h"
#include "UsageError.h"

namespace {
const CliCommands::Command kCommands[] = {
    {"jobs", "CliHelpJobs", true, JobsCommand::run},
    {"discover", "CliHelpDiscover", false, ScannerCommands::discover},
    {"identify", "CliHelpIdentify", false, ScannerCommands::identify},
    {"scanners", "CliHelpScanners", false, SavedScannerCommands::run},
    {"scan", "CliHelpScan", true, ScanCommand::run},
    {"register", "CliHelpRegister", true, RegisterCommands::registerJobs},
    {"bulk-register", "CliHelpBulkRegister", true, RegisterCommands::bulkRegister},
};
} // namespace

const CliCommands::Command& CliCommands::find(const std::string& name)
{
    for (const Command& command : kCommands) {
        if (name == command.name) {
            return command;
        }
    }
    throw UsageError(LocalizedStrings::format("CliErrorUnknownCommand", {name}));
}

bool CliCommands::asksForHelp(const std::vector<std::string>& arguments)
{
    for (const std::string& argument : arguments) {
        if (argument == "--") {
            return false;
        }
        if (argument == "--help" || argument == "-h") {
            return true;
        }
    }
    return false;
}
