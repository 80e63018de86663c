#include "MessagePresenter.h"

#include <cstdio>
#include <utility>

#include "FWKVXSDK/InstallableHook.h"

#include "LocalizedStrings.h"

namespace {
InstallableHook<void(const MessageAlert&)>& installedPresenter()
{
    static InstallableHook<void(const MessageAlert&)> presenter;
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
    installedPresenter().install(std::move(presenter));
}

void MessagePresenter::present(const std::string& informativeText)
{
    const Presenter presenter = installedPresenter().current();
    const MessageAlert alert{LocalizedStrings::text(""), informativeText, LocalizedStrings::text("OK")};
    // Called outside the lock: a modal presenter may run for a long time.
    if (presenter) {
        presenter(alert);
    } else {
        writeToStandardError(alert);
    }
}
