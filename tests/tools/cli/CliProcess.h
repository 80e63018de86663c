#pragma once

#include <chrono>
#include <map>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

// Runs the vantix tool once, as a user would: arguments, text on standard
// input, extra environment; collects its output and exit status.
struct CliResult {
    int status = -1; // exit status; -1 when it did not exit normally
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
