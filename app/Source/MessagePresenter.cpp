#include "MessagePresenter.h"

#include <cstdio>
#include <mutex>
#include <utility>

#include "LocalizedStrings.h"

namespace {
std::mutex& presenterLock()
{
    static std::mutex lock;
    return lock;
}

MessagePresenter::Presenter& installedPresenter()
{
    static MessagePresenter::Presenter presenter;
    return presenter;
}

void writeToStandardError(const MessageAlert& alert)
{
    std::fprintf(stderr, "%s\n", alert.informativeText.c_str());
    std::fflush(stderr);
}
} // namespace

void MessagePresenter::install(Presenter presenter)
{
    std::lock_guard<std::mutex> guard(presenterLock());
    installedPresenter() = std::move(presenter);
}

void MessagePresenter::present(const std::string& informativeText)
{
    Presenter presenter;
    {
        std::lock_guard<std::mutex> guard(presenterLock());
        presenter = installedPresenter();
    }
    const MessageAlert alert{LocalizedStrings::text(""), informativeText, LocalizedStrings::text("OK")};
    // Called outside the lock: a modal presenter may run for a long time.
    if (presenter) {
        presenter(alert);
    } else {
        writeToStandardError(alert);
    }
}
