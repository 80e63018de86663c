#include "SystemLog.h"

#include <syslog.h>

#include <utility>

#include "FWKVXSDK/InstallableHook.h"

namespace {
InstallableHook<void(const std::string&)>& installedSink()
{
    static InstallableHook<void(const std::string&)> sink;
    return sink;
}
} // namespace

void SystemLog::write(const std::string& line)
{
    if (const Sink sink = installedSink().current()) {
        sink(line);
    } else {
        syslog(LOG_NOTICE, "%s", line.c_str());
    }
}

void SystemLog::setSink(Sink sink)
{
    installedSink().install(std::move(sink));
}
