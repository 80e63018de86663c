#include "JobBundleCommands.h"

#include "CliArguments.h"
#include "CliOutput.h"
#include "ExitStatus.h"
#include "JobBundleTransfer.h"

namespace {
int report(const JobBundleTransfer::Outcome& outcome)
{
    for (const auto& note : outcome.notes) {
        CliOutput::error(note);
    }
    if (!outcome.succeeded) {
        CliOutput::error(outcome.message);
        return ExitStatus::Failure;
    }
    CliOutput::line(outcome.message);
    return ExitStatus::Success;
}

std::string onlyFile(const CliArguments& arguments)
{
    arguments.requirePositionals(1, {"FILE"});
    arguments.allowNoMorePositionals(1);
    return arguments.positionals()[0];
}
} // namespace

int JobBundleCommands::exportJobs(const std::vector<std::string>& rest)
{
    const CliArguments arguments(rest, {{"--with-passwords", false}});
    const std::string path = onlyFile(arguments);
    return report(JobBundleTransfer::exportJobs(path, arguments.has("--with-passwords"),
                                                JobBundleTransfer::Audience::Tool));
}

int JobBundleCommands::importJobs(const std::vector<std::string>& rest)
{
    const CliArguments arguments(rest, {{"--replace", false}});
    const std::string path = onlyFile(arguments);
    return report(
        JobBundleTransfer::importJobs(path, arguments.has("--replace"), JobBundleTransfer::Audience::Tool));
}
