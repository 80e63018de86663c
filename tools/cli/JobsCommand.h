#pragma once

#include <string>
#include <vector>

// "vantix jobs list|show|add|edit|rm": the job store as the job list sees it.
class JobsCommand {
public:
    // arguments: what follows "jobs". Returns the exit status; throws UsageError.
    static int run(const std::vector<std::string>& arguments);
};
