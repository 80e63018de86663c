// vantix: the command-line tool. Runs the application's own logic (messages,
// job rules, the scan and registration runs) without a display.
#include <csignal>
#include <exception>
#include <string>
#include <syslog.h>
#include <vector>

#include "FWKVXSDK/SettingData.h"
#include "FWKVXSDK/WebApiTrace.h"

#include "CliOutput.h"
#include "ExitStatus.h"
#include "JobsCommand.h"
#include "LocalizedStrings.h"
#include "MessagePresenter.h"
#include "PresetJobs.h"
#include "RegisterCommands.h"
#include "SavedScannerCommands.h"
#include "ScanCommand.h"
#include "ScannerCommands.h"
#include "UsageError.h"

namespace {
int dispatch(const std::string& command, const std::vector<std::string>& rest)
{
    if (command == "help" || command == "--help" || command == "-h") {
        CliOutput::line(LocalizedStrings::text("CliUsage"));
        return ExitStatus::Success;
    }
    if (command == "discover") {
        return ScannerCommands::discover(rest);
    }
    if (command == "identify") {
        return ScannerCommands::identify(rest);
    }
    if (command == "scanners") {
        return SavedScannerCommands::run(rest);
    }
    const bool usesJobs = command == "jobs" || command == "scan" || command == "register" || command == "bulk-register";
    if (!usesJobs) {
        throw UsageError(LocalizedStrings::format("CliErrorUnknownCommand", {command}));
    }
    // The first start on an account makes the job folder and takes the jobs an
    // administrator prepared, if any; the report goes to standard error, so
    // that it never mixes with a command's output.
    const auto start = PresetJobs::prepareJobFolder(JobBundleTransfer::Audience::Tool);
    if (!start.report.empty()) {
        CliOutput::error(start.report);
    }
    if (!start.folderReady) {
        CliOutput::error(LocalizedStrings::format("CliErrorJobFolder", {SettingData::userAppRootFolderPath()}));
        return ExitStatus::Failure;
    }
    if (command == "jobs") {
        return JobsCommand::run(rest);
    }
    if (command == "scan") {
        return ScanCommand::run(rest);
    }
    if (command == "register") {
        return RegisterCommands::registerJobs(rest);
    }
    return RegisterCommands::bulkRegister(rest);
}
} // namespace

int main(int argc, char** argv)
{
    // A reader that goes away (a closed pipe) must not end a run half-way and
    // leave the scanner locked: writes then fail quietly and the run finishes.
    std::signal(SIGPIPE, SIG_IGN);
    openlog("vantix", LOG_PID, LOG_USER);
    // Validation messages and other alerts go to standard error.
    MessagePresenter::install([](const MessageAlert& alert) { CliOutput::error(alert.informativeText); });

    std::vector<std::string> arguments(argv + 1, argv + argc);
    // "--verbose" before the command: every scanner request, with its outcome
    // and time, on standard error. The trace never holds a body or a password.
    if (!arguments.empty() && arguments[0] == "--verbose") {
        arguments.erase(arguments.begin());
        WebApiTrace::install([](const WebApiTrace::Entry& entry) {
            CliOutput::error(CliOutput::printable(WebApiTrace::describe(entry)));
        });
    }
    int status = ExitStatus::Failure;
    try {
        if (arguments.empty()) {
            CliOutput::error(LocalizedStrings::text("CliUsage"));
            status = ExitStatus::BadUsage;
        } else {
            status = dispatch(arguments[0], {arguments.begin() + 1, arguments.end()});
        }
    } catch (const UsageError& error) {
        CliOutput::error(error.what());
        status = ExitStatus::BadUsage;
    } catch (const std::exception& error) {
        CliOutput::error(error.what());
        status = ExitStatus::Failure;
    }
    closelog();
    return status;
}
