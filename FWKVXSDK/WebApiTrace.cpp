#include "FWKVXSDK/WebApiTrace.h"

#include <utility>

#include "FWKVXSDK/InstallableHook.h"

namespace {
InstallableHook<void(const WebApiTrace::Entry&)>& installedHook()
{
    static InstallableHook<void(const WebApiTrace::Entry&)> hook;
    return hook;
}
} // namespace

void WebApiTrace::install(Hook hook)
{
    installedHook().install(std::move(hook));
}

void WebApiTrace::report(const Entry& entry)
{
    if (const Hook hook = installedHook().current()) {
        // A failing log must not turn into a failed request, nor throw out of the library.
        try {
            hook(entry);
        } catch (...) {
        }
    }
}

std::string WebApiTrace::describe(const Entry& entry)
{
    std::string outcome;
    if (!entry.failure.failed()) {
        outcome = std::to_string(entry.status);
    } else if (entry.status == 200) {
        outcome = "200, " + entry.failure.text();
    } else {
        outcome = entry.failure.text();
    }
    return entry.method + " " + entry.url + " -> " + outcome + " (" + std::to_string(entry.elapsed.count()) +
           " ms)";
}
