#pragma once

#include <string>
#include <vector>

// "vantix discover" (one network search) and "vantix identify ADDRESS".
class ScannerCommands {
public:
    static int discover(const std::vector<std::string>& arguments);
    static int identify(const std::vector<std::string>& arguments);
};
