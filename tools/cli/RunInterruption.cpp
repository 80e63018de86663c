#include "RunInterruption.h"

#include <algorithm>
#include <atomic>
#include <csignal>
#include <cstring>
#include <type_traits>
#include <unistd.h>

#include "FWKVXSDK/WebApiClient.h"

#include "LocalizedStrings.h"

namespace {
const int kStoppingSignals[] = {SIGINT, SIGTERM, SIGHUP};
// Set by the handler on whichever thread takes the signal.
std::atomic<bool> signalled{false};
static_assert(std::atomic<bool>::is_always_lock_free, "the handler needs a lock-free flag");
// The notice is written from the handler, so it is prepared beforehand.
char notice[512];
std::size_t noticeLength = 0;

void onSignal(int)
{
    signalled.store(true);
    // A second signal takes its usual effect.
    for (int stopping : kStoppingSignals) {
        ::signal(stopping, SIG_DFL);
    }
    [[maybe_unused]] const ssize_t written = ::write(STDERR_FILENO, notice, noticeLength);
}

// Thrown through the run from its progress report; the run's own guard ends
// it without further requests.
struct BrokenOff {};
} // namespace

RunInterruption::RunInterruption()
{
    const std::string text = LocalizedStrings::text("CliInterruptNotice") + "\n";
    noticeLength = std::min(text.size(), sizeof notice);
    std::memcpy(notice, text.data(), noticeLength);
    signalled.store(false);
    static_assert(std::size(kStoppingSignals) == std::extent_v<decltype(mPrevious)>);
    for (std::size_t i = 0; i < std::size(kStoppingSignals); ++i) {
        struct sigaction action {};
        action.sa_handler = onSignal;
        action.sa_flags = SA_RESTART;
        sigemptyset(&action.sa_mask);
        for (int other : kStoppingSignals) {
            sigaddset(&action.sa_mask, other);
        }
        ::sigaction(kStoppingSignals[i], &action, &mPrevious[i]);
    }
}

RunInterruption::~RunInterruption()
{
    for (std::size_t i = 0; i < std::size(kStoppingSignals); ++i) {
        ::sigaction(kStoppingSignals[i], &mPrevious[i], nullptr);
    }
}

bool RunInterruption::requested() const
{
    return signalled.load();
}

void RunInterruption::checkpoint()
{
    checkpoint(mStopped);
}

void RunInterruption::checkpoint(bool& runStopped) const
{
    if (requested()) {
        runStopped = true;
        throw BrokenOff{};
    }
}

std::string RunInterruption::releaseStoppedRun(const std::shared_ptr<ScannerData>& scanner)
{
    const bool released = WebApiClient().UnLock(scanner);
    return LocalizedStrings::text(released ? "CliInterrupted" : "CliInterruptedLocked");
}
