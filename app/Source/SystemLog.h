#pragma once

#include <functional>
#include <string>

// The scan flow's lines in the system log (syslog). A test can install a sink
// that receives the lines instead.
class SystemLog {
public:
    using Sink = std::function<void(const std::string& line)>;

    static void write(const std::string& line);
    // An empty sink restores the system log.
    static void setSink(Sink sink);
};
