#pragma once

#include <chrono>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>
#include <sys/types.h>

// Runs the vantix tool once, as a user would: arguments, text on standard
// input, extra environment; collects its output and exit status.
struct CliResult {
    int status = -1; // exit status; -1 when it did not exit normally
    int signal = 0;  // the signal that ended it, if one did
    std::string out;
    std::string err;

    std::vector<std::string> outLines() const;
    // Every line of standard output parsed as JSON (discarded values for non-JSON lines).
    std::vector<nlohmann::json> outJson() const;
};

// env: variables to set (LANG, LANGUAGE, LC_ALL and LC_MESSAGES are cleared
// first, so the tool speaks English unless the test says otherwise).
CliResult runVantix(const std::vector<std::string>& arguments, const std::string& input = "",
                    const std::map<std::string, std::string>& env = {},
                    std::chrono::seconds limit = std::chrono::seconds(60));

// Like runVantix, and watch is called with the output so far after every
// piece the tool writes and at least every 100 ms, so that a test can signal
// the tool (pid) mid-run.
using CliWatch = std::function<void(const CliResult& sofar, pid_t pid)>;
CliResult runVantixWatched(const std::vector<std::string>& arguments, const std::string& input,
                           const CliWatch& watch, std::chrono::seconds limit = std::chrono::seconds(60));
