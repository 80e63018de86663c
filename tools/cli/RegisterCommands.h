#pragma once

#include <string>
#include <vector>

// "vantix register --scanner ADDRESS" (job password from standard input) and
// "vantix bulk-register --targets FILE [--parallel N]" (up to N scanners at
// once); with --plan both only print what a run would do to each slot.
class RegisterCommands {
public:
    static int registerJobs(const std::vector<std::string>& arguments);
    static int bulkRegister(const std::vector<std::string>& arguments);
};
