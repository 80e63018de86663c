#include "JobBundleCommands.h"

#include <csignal>
#include <memory>
#include <set>
#include <sys/stat.h>

#include "FWKVXSDK/SettingData.h"

#include "AtomicFile.h"
#include "CliArguments.h"
#include "CliOutput.h"
#include "ExitStatus.h"
#include "JobBundle.h"
#include "JobList.h"
#include "JobSetSnapshot.h"
#include "JobStoreMessage.h"
#include "JobValidator.h"
#include "LocalizedStrings.h"
#include "SmallFile.h"

namespace {
int failure(const std::string& message)
{
    CliOutput::error(message);
    return ExitStatus::Failure;
}

bool isSlotNumber(int64_t number)
{
    return number >= 1 && number <= JobList::kMaximumJobs;
}

// Ctrl-C and the like wait while the job set is being changed, so that the
// tool never ends half-way through it; they take effect afterwards.
class SignalsHeld {
public:
    SignalsHeld()
    {
        sigset_t held;
        sigemptyset(&held);
        for (int signal : {SIGINT, SIGTERM, SIGHUP}) {
            sigaddset(&held, signal);
        }
        ::sigprocmask(SIG_BLOCK, &held, &mPrevious);
    }
    ~SignalsHeld() { ::sigprocmask(SIG_SETMASK, &mPrevious, nullptr); }
    SignalsHeld(const SignalsHeld&) = delete;
    SignalsHeld& operator=(const SignalsHeld&) = delete;

private:
    sigset_t mPrevious{};
};

// Writes the bundle's jobs, then (replacing) removes the others. On the first
// step that fails, says which and returns false; the caller puts the set back.
bool changeJobSet(const JobBundle::Contents& bundle, const std::vector<int64_t>& existing, bool replace,
                  std::size_t& removed)
{
    std::set<int64_t> kept;
    for (const auto& job : bundle.jobs) {
        if (const StoreOutcome outcome = SettingData::SaveSettingsWithOutcome(job); !outcome.succeeded()) {
            CliOutput::error(JobStoreMessage::saveFailed(job->jobNo().value_or(""), outcome));
            return false;
        }
        kept.insert(JobList::integerValue(job->jobNo()));
    }
    for (const int64_t number : replace ? existing : std::vector<int64_t>()) {
        if (kept.count(number) != 0) {
            continue;
        }
        if (const StoreOutcome outcome = SettingData::DeleteSettingsWithOutcome(number); !outcome.succeeded()) {
            CliOutput::error(JobStoreMessage::removeFailed(std::to_string(number), outcome));
            return false;
        }
        ++removed;
    }
    return true;
}
} // namespace

int JobBundleCommands::exportJobs(const std::vector<std::string>& rest)
{
    const CliArguments arguments(rest, {{"--with-passwords", false}});
    arguments.requirePositionals(1, {"FILE"});
    arguments.allowNoMorePositionals(1);
    const std::string path = arguments.positionals()[0];
    const bool withPasswords = arguments.has("--with-passwords");

    std::vector<std::shared_ptr<SettingData>> jobs;
    for (const int64_t number : SettingData::GetFileListNo()) {
        if (!isSlotNumber(number)) {
            CliOutput::error(LocalizedStrings::format("CliWarnBundleSkipped", {std::to_string(number)}));
            continue;
        }
        auto job = SettingData::ReadSettings(number);
        // A job is carried under the number of its file, as the registration sends it.
        job->setJobNo(std::to_string(number));
        // Never write a bundle that an import would refuse.
        if (const auto rule = JobValidator::firstFailure(*job)) {
            return failure(LocalizedStrings::format("CliErrorExportInvalidJob",
                                                    {std::to_string(number), LocalizedStrings::text(*rule)}));
        }
        jobs.push_back(std::move(job));
    }
    const std::string bytes = JobBundle::write(jobs, withPasswords);
    if (bytes.size() > JobBundle::kMaximumSize) {
        return failure(LocalizedStrings::text("CliErrorBundleTooLargeToWrite"));
    }
    // With share passwords the file is its owner's alone; otherwise as the umask says.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    if (!AtomicFile::write(path, bytes, withPasswords ? 0600 : (0666 & ~mask))) {
        return failure(LocalizedStrings::format("CliErrorBundleWrite", {path}));
    }
    CliOutput::line(LocalizedStrings::format("CliExported", {std::to_string(jobs.size()), path}));
    return ExitStatus::Success;
}

int JobBundleCommands::importJobs(const std::vector<std::string>& rest)
{
    const CliArguments arguments(rest, {{"--replace", false}});
    arguments.requirePositionals(1, {"FILE"});
    arguments.allowNoMorePositionals(1);
    const std::string path = arguments.positionals()[0];
    const bool replace = arguments.has("--replace");

    // Everything is checked before the first file is written.
    const auto file = SmallFile::read(path, JobBundle::kMaximumSize);
    if (file.status == SmallFile::Status::TooLarge) {
        return failure(LocalizedStrings::format("CliErrorBundleTooLarge", {path}));
    }
    if (file.status != SmallFile::Status::Read) {
        return failure(LocalizedStrings::format("CliErrorBundleOpen", {path}));
    }
    JobBundle::Contents bundle;
    try {
        bundle = JobBundle::read(file.bytes, path);
    } catch (const JobBundle::Refused& refused) {
        return failure(refused.what());
    }
    for (const auto& job : bundle.jobs) {
        if (const auto rule = JobValidator::firstFailure(*job)) {
            return failure(LocalizedStrings::format("CliErrorImportInvalidJob",
                                                    {job->jobNo().value_or(""), LocalizedStrings::text(*rule)}));
        }
    }
    const auto existing = SettingData::GetFileListNo();
    if (!replace) {
        const std::set<int64_t> present(existing.begin(), existing.end());
        std::string taken;
        for (const auto& job : bundle.jobs) {
            if (present.count(JobList::integerValue(job->jobNo())) != 0) {
                taken += (taken.empty() ? "" : ", ") + job->jobNo().value_or("");
            }
        }
        if (!taken.empty()) {
            return failure(LocalizedStrings::format("CliErrorBundleJobsExist", {taken}));
        }
        if (existing.size() + bundle.jobs.size() > static_cast<std::size_t>(JobList::kMaximumJobs)) {
            return failure(LocalizedStrings::text("ErrorJobFull"));
        }
    }
    JobSetSnapshot snapshot;
    int64_t unreadable = 0;
    if (!snapshot.take(existing, unreadable)) {
        return failure(LocalizedStrings::format("CliErrorImportSnapshot", {std::to_string(unreadable)}));
    }

    std::size_t removed = 0;
    {
        const SignalsHeld held;
        if (!changeJobSet(bundle, existing, replace, removed)) {
            const bool restored = snapshot.restore();
            return failure(LocalizedStrings::text(restored ? "CliImportRolledBack" : "CliImportNotRolledBack"));
        }
    }
    CliOutput::line(
        LocalizedStrings::format("CliImported", {std::to_string(bundle.jobs.size()), std::to_string(removed)}));
    if (!bundle.withPasswords && !bundle.jobs.empty()) {
        CliOutput::error(LocalizedStrings::text("CliImportNoPasswords"));
    }
    return ExitStatus::Success;
}
