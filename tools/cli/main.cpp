// vantix: the command-line tool. Runs the application's own logic (messages,
// job rules, the scan and registration runs) without a display.
#include <csignal>
#include <exception>
#include <string>
#include <syslog.h>
#include <vector>

#include "FWKVXSDK/SettingData.h"
#include "FWKVXSDK/WebApiTrace.h"

#include "CliCommands.h"
#include "CliOutput.h"
#include "ExitStatus.h"
#include "LocalizedStrings.h"
#include "MessagePresenter.h"
#include "PresetJobs.h"
#include "UsageError.h"

namespace {
int dispatch(const std::string& name, const std::vector<std::string>& rest)
{
    if (name == "--version") {
        CliOutput::line("vantix " VANTIX_VERSION);
        return ExitStatus::Success;
    }
    if (name == "help" || name == "--help" || name == "-h") {
        // "vantix help COMMAND": that command's help.
        const bool ofCommand = name == "help" && !rest.empty();
        CliOutput::line(LocalizedStrings::text(ofCommand ? CliCommands::find(rest[0]).helpKey : "CliUsage"));
        return ExitStatus::Success;
    }
    const CliCommands::Command& command = CliCommands::find(name);
    if (CliCommands::asksForHelp(rest)) {
        CliOutput::line(LocalizedStrings::text(command.helpKey));
        return ExitStatus::Success;
    }
    if (command.usesJobFolder) {
        // The first start on an account makes the job folder and takes the jobs
        // an administrator prepared, if any; the report goes to standard error,
        // so that it never mixes with a command's output.
        const auto start = PresetJobs::prepareJobFolder(JobBundleTransfer::Audience::Tool);
        if (!start.report.empty()) {
            CliOutput::error(start.report);
        }
        if (!start.folderReady) {
            CliOutput::error(LocalizedStrings::format("CliErrorJobFolder", {SettingData::userAppRootFolderPath()}));
            return ExitStatus::Failure;
        }
    }
    return command.run(rest);
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
