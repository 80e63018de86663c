#include "RequestLog.h"

#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <system_error>

#include "FWKVXSDK/InstallableHook.h"
#include "FWKVXSDK/UserFolders.h"
#include "FWKVXSDK/WebApiTrace.h"

#include "RotatingLogFile.h"
#include "SystemLog.h"

namespace {
InstallableHook<void(const std::string&)>& installedSink()
{
    static InstallableHook<void(const std::string&)> sink;
    return sink;
}

// Local time to the millisecond, with the offset from UTC: 2026-05-02T14:03:07.123+0200.
std::string timestamp()
{
    const auto now = std::chrono::system_clock::now();
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    const auto millis =
        std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
    std::tm local{};
    ::localtime_r(&seconds, &local);
    char date[32];
    char zone[8];
    std::strftime(date, sizeof date, "%Y-%m-%dT%H:%M:%S", &local);
    std::strftime(zone, sizeof zone, "%z", &local);
    char text[48];
    std::snprintf(text, sizeof text, "%s.%03d%s", date, static_cast<int>(millis), zone);
    return text;
}

// One line stays one line, whatever a scanner's identifier holds.
std::string oneLine(std::string text)
{
    for (char& c : text) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
            c = '?';
        }
    }
    return text;
}
} // namespace

std::string RequestLog::folderPath()
{
    return UserFolders::path("XDG_STATE_HOME", ".local/state");
}

std::string RequestLog::filePath()
{
    return folderPath() + "/requests.log";
}

int RequestLog::start(Echo echo)
{
    if (const int error = UserFolders::ensurePrivate(folderPath())) {
        return error;
    }
    auto file = std::make_shared<RotatingLogFile>(filePath(), kSizeLimit);
    if (const int error = file->open()) {
        return error;
    }
    auto reported = std::make_shared<std::atomic<bool>>(false);
    installedSink().install([file, reported, path = filePath(), echo = std::move(echo)](const std::string& line) {
        if (echo) {
            echo(line);
        }
        // A log that cannot be written says so once, in the system log.
        if (const int error = file->append(line); error != 0 && !reported->exchange(true)) {
            SystemLog::write("request log " + path + ": " + std::generic_category().message(error));
        }
    });
    WebApiTrace::install([](const WebApiTrace::Entry& entry) { write(WebApiTrace::describe(entry)); });
    return 0;
}

void RequestLog::stop()
{
    WebApiTrace::install(nullptr);
    installedSink().install(nullptr);
}

void RequestLog::write(const std::string& text)
{
    if (const auto sink = installedSink().current()) {
        sink(timestamp() + " " + oneLine(text));
    }
}
