#pragma once

#include <cstddef>
#include <functional>
#include <string>

// The desktop application's record of its scanner requests, for the user to
// send to their help desk: "$XDG_STATE_HOME/fernwick-vantix/requests.log"
// (default ~/.local/state/...), one line per request as `vantix --verbose`
// prints it (WebApiTrace: method, URL, status or reason, time taken) with the
// time in front, and what the runs' guards caught. Never a body, so never a
// password. Readable by its owner only, kept under 1 MiB (RotatingLogFile).
// Lines may come from any thread.
class RequestLog {
public:
    static constexpr std::size_t kSizeLimit = 1024 * 1024;
    // Each line written also goes here (the application's debug output).
    using Echo = std::function<void(const std::string& line)>;

    static std::string folderPath();
    static std::string filePath();

    // Opens the file (its folder is made, 0700, when missing) and sends the
    // request trace to it; 0, or the error number when it cannot be opened.
    static int start(Echo echo = {});
    // Closes it and removes the trace hook.
    static void stop();
    // Writes one line, with the time in front; nothing when not started.
    static void write(const std::string& text);
};
