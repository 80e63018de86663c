#pragma once

#include <string>
#include <vector>

// Runs the vantix tool once for a benchmark: the arguments, the text on its
// standard input, its standard output discarded; measures its wall time and
// its peak memory (maximum resident set size, from wait4's resource usage).
struct ToolRun {
    int status = -1; // exit status; -1 when it did not exit normally
    long maxRssKiB = 0;
    double seconds = 0;

    static ToolRun run(const std::string& tool, const std::vector<std::string>& arguments, const std::string& input);
};
