#pragma once

#include <string>
#include <vector>

// "vantix scanners list [--json] | add ADDRESS | rm ADDRESS": the scanners the
// application's scanner list keeps by address (SavedScanners).
class SavedScannerCommands {
public:
    // arguments: what follows "scanners". Returns the exit status; throws UsageError.
    static int run(const std::vector<std::string>& arguments);
};
