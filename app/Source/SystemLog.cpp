#include "SystemLog.h"

#include <mutex>
#include <syslog.h>
#include <utility>

namespace {
std::mutex& sinkLock()
{
    static std::mutex lock;
    return lock;
}

SystemLog::Sink& installedSink()
{
    static SystemLog::Sink sink;
    return sink;
}
} // namespace

void SystemLog::write(const std::string& line)
{
    Sink sink;
    {
        std::lock_guard<std::mutex> guard(sinkLock());
        sink = installedSink();
    }
    if (sink) {
        sink(line);
    } else {
        syslog(LOG_NOTICE, "%s", line.c_str());
    }
}

void SystemLog::setSink(Sink sink)
{
    std::lock_guard<std::mutex> guard(sinkLock());
    installedSink() = std::move(sink);
}
