#include "JobBundleTransfer.h"

#include <csignal>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <set>
#include <sys/stat.h>
#include <system_error>

#include "FWKVXSDK/AtomicFile.h"
#include "FWKVXSDK/SettingData.h"

#include "JobBundle.h"
#include "JobList.h"
#include "JobSetSnapshot.h"
#include "JobStoreMessage.h"
#include "JobValidator.h"
#include "LocalizedStrings.h"
#include "SmallFile.h"

namespace {
using Audience = JobBundleTransfer::Audience;
using Outcome = JobBundleTransfer::Outcome;

// The key of a message whose hint differs between the tool and the application.
const char* hinted(Audience audience, const char* toolKey, const char* applicationKey)
{
    return audience == Audience::Tool ? toolKey : applicationKey;
}

Outcome refused(std::string message, std::vector<std::string> notes = {})
{
    return Outcome{false, std::move(message), std::move(notes), 0};
}

// The process's umask, read without changing it: setting it for a moment
// would give files that other threads of the application make meanwhile the
// wrong permissions.
mode_t currentUmask()
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("Umask:", 0) == 0) {
            return static_cast<mode_t>(std::strtoul(line.c_str() + 6, nullptr, 8) & 0777);
        }
    }
    const mode_t mask = ::umask(0077); // no /proc: the moment errs on the private side
    ::umask(mask);
    return mask;
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
        ::pthread_sigmask(SIG_BLOCK, &held, &mPrevious);
    }
    ~SignalsHeld() { ::pthread_sigmask(SIG_SETMASK, &mPrevious, nullptr); }
    SignalsHeld(const SignalsHeld&) = delete;
    SignalsHeld& operator=(const SignalsHeld&) = delete;

private:
    sigset_t mPrevious{};
};

// Writes the bundle's jobs, then (replacing) removes the others. On the first
// step that fails, returns its message; the caller puts the set back.
std::string changeJobSet(const JobBundle::Contents& bundle, const std::vector<int64_t>& existing, bool replace,
                         std::size_t& removed)
{
    std::set<int64_t> kept;
    for (const auto& job : bundle.jobs) {
        if (const StoreOutcome outcome = SettingData::SaveSettingsWithOutcome(job); !outcome.succeeded()) {
            return JobStoreMessage::saveFailed(job->jobNo().value_or(""), outcome);
        }
        kept.insert(JobList::integerValue(job->jobNo()));
    }
    for (const int64_t number : replace ? existing : std::vector<int64_t>()) {
        if (kept.count(number) != 0) {
            continue;
        }
        if (const StoreOutcome outcome = SettingData::DeleteSettingsWithOutcome(number); !outcome.succeeded()) {
            return JobStoreMessage::removeFailed(std::to_string(number), outcome);
        }
        ++removed;
    }
    return std::string();
}

// The refusal of a bundle's jobs when they cannot join the present ones; empty when they can.
std::string cannotAdd(const JobBundle::Contents& bundle, const std::vector<int64_t>& existing, Audience audience)
{
    const std::set<int64_t> present(existing.begin(), existing.end());
    std::string taken;
    for (const auto& job : bundle.jobs) {
        if (present.count(JobList::integerValue(job->jobNo())) != 0) {
            taken += (taken.empty() ? "" : ", ") + job->jobNo().value_or("");
        }
    }
    if (!taken.empty()) {
        return LocalizedStrings::format(hinted(audience, "CliErrorBundleJobsExist", "AppErrorBundleJobsExist"),
                                        {taken});
    }
    if (existing.size() + bundle.jobs.size() > static_cast<std::size_t>(JobList::kMaximumJobs)) {
        return LocalizedStrings::text("ErrorJobFull");
    }
    return std::string();
}
} // namespace

Outcome JobBundleTransfer::exportJobs(const std::string& path, bool withPasswords, Audience audience)
{
    std::vector<std::string> notes;
    std::vector<std::shared_ptr<SettingData>> jobs;
    for (const int64_t number : SettingData::GetFileListNo()) {
        if (!isSlotNumber(number)) {
            notes.push_back(LocalizedStrings::format("CliWarnBundleSkipped", {std::to_string(number)}));
            continue;
        }
        auto job = SettingData::ReadSettings(number);
        // A job is carried under the number of its file, as the registration sends it.
        job->setJobNo(std::to_string(number));
        // Never write a bundle that an import would refuse.
        if (const auto rule = JobValidator::firstFailure(*job)) {
            return refused(LocalizedStrings::format(
                               hinted(audience, "CliErrorExportInvalidJob", "AppErrorExportInvalidJob"),
                               {std::to_string(number), LocalizedStrings::text(*rule)}),
                           std::move(notes));
        }
        jobs.push_back(std::move(job));
    }
    const std::string bytes = JobBundle::write(jobs, withPasswords);
    if (bytes.size() > JobBundle::kMaximumSize) {
        return refused(LocalizedStrings::text("CliErrorBundleTooLargeToWrite"), std::move(notes));
    }
    // With share passwords the file is its owner's alone; otherwise as the umask says.
    std::error_code failure;
    if (!AtomicFile::write(path, bytes, withPasswords ? 0600 : (0666 & ~currentUmask()), &failure)) {
        return refused(LocalizedStrings::format("CliErrorBundleWrite", {path, failure.message()}), std::move(notes));
    }
    return Outcome{true, LocalizedStrings::format("CliExported", {std::to_string(jobs.size()), path}),
                   std::move(notes), jobs.size()};
}

Outcome JobBundleTransfer::importJobs(const std::string& path, bool replace, Audience audience)
{
    // Everything is checked before the first file is written.
    const auto file = SmallFile::read(path, JobBundle::kMaximumSize);
    if (file.status == SmallFile::Status::TooLarge) {
        return refused(LocalizedStrings::format("CliErrorBundleTooLarge", {path}));
    }
    if (file.status != SmallFile::Status::Read) {
        return refused(LocalizedStrings::format("CliErrorBundleOpen", {path}));
    }
    JobBundle::Contents bundle;
    try {
        bundle = JobBundle::read(file.bytes, path);
    } catch (const JobBundle::Refused& refusal) {
        return refused(refusal.what());
    }
    for (const auto& job : bundle.jobs) {
        if (const auto rule = JobValidator::firstFailure(*job)) {
            return refused(LocalizedStrings::format("CliErrorImportInvalidJob",
                                                    {job->jobNo().value_or(""), LocalizedStrings::text(*rule)}));
        }
    }
    const auto existing = SettingData::GetFileListNo();
    if (!replace) {
        if (auto refusal = cannotAdd(bundle, existing, audience); !refusal.empty()) {
            return refused(std::move(refusal));
        }
    }
    JobSetSnapshot snapshot;
    int64_t unreadable = 0;
    if (!snapshot.take(existing, unreadable)) {
        return refused(LocalizedStrings::format("CliErrorImportSnapshot", {std::to_string(unreadable)}));
    }

    std::size_t removed = 0;
    {
        const SignalsHeld held;
        if (auto failure = changeJobSet(bundle, existing, replace, removed); !failure.empty()) {
            const bool restored = snapshot.restore();
            return refused(restored ? LocalizedStrings::text("CliImportRolledBack")
                                    : LocalizedStrings::text(
                                          hinted(audience, "CliImportNotRolledBack", "AppImportNotRolledBack")),
                           {std::move(failure)});
        }
    }
    Outcome outcome{true,
                    LocalizedStrings::format("CliImported",
                                             {std::to_string(bundle.jobs.size()), std::to_string(removed)}),
                    {},
                    bundle.jobs.size()};
    if (!bundle.withPasswords && !bundle.jobs.empty()) {
        outcome.notes.push_back(
            LocalizedStrings::text(hinted(audience, "CliImportNoPasswords", "AppImportNoPasswords")));
    }
    return outcome;
}

bool JobBundleTransfer::anySharePassword()
{
    for (const int64_t number : SettingData::GetFileListNo()) {
        const auto destination = SettingData::ReadSettings(number)->sendSetting();
        if (destination && !destination->password().empty()) {
            return true;
        }
    }
    return false;
}
