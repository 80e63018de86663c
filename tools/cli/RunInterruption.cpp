#include "RunInterruption.h"

#include <algorithm>
#include <atomic>
#include <csignal>
#include <cstring>
#include <type_traits>
#include <unistd.h>

#include "LocalizedStrings.h"

namespace {
const int kStoppingSignals[] = {SIGINT, SIGTERM, SIGHUP};
// The stop of the instance in force, for the handler on whichever thread takes the signal.
std::atomic<RunStop*> activeStop{nullptr};
static_assert(std::atomic<RunStop*>::is_always_lock_free, "the handler needs a lock-free pointer");
// The notice is written from the handler, so it is prepared beforehand.
char notice[512];
std::size_t noticeLength = 0;

void onSignal(int)
{
    if (RunStop* stop = activeStop.load()) {
        stop->request();
    }
    // A second signal takes its usual effect.
    for (int stopping : kStoppingSignals) {
        ::signal(stopping, SIG_DFL);
    }
    [[maybe_unused]] const ssize_t written = ::write(STDERR_FILENO, notice, noticeLength);
}
} // namespace

RunInterruption::RunInterruption()
{
    const std::string text = LocalizedStrings::text("CliInterruptNotice") + "\n";
    noticeLength = std::min(text.size(), sizeof notice);
    std::memcpy(notice, text.data(), noticeLength);
    activeStop.store(&mStop);
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
    activeStop.store(nullptr);
}

std::string RunInterruption::stoppedMessage(bool released)
{
    return LocalizedStrings::text(released ? "CliInterrupted" : "CliInterruptedLocked");
}
