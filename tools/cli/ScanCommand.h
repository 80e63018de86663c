#pragma once

#include <string>
#include <vector>

// "vantix scan --scanner ADDRESS --job N": the scan sequence with its progress.
class ScanCommand {
public:
    static int run(const std::vector<std::string>& arguments);
};
