#pragma once

#include <string>
#include <vector>

// "vantix register --scanner ADDRESS" (job password from standard input) and
// "vantix bulk-register --targets FILE" (one scanner after another).
class RegisterCommands {
public:
    static int registerJobs(const std::vector<std::string>& arguments);
    static int bulkRegister(const std::vector<std::string>& arguments);
};
