#pragma once

#include <string>
#include <vector>

// The tool's commands: each one's name, the key of its help text and whether
// it works on the job folder (which is then created when missing).
class CliCommands {
public:
    struct Command {
        const char* name;
        const char* helpKey;
        bool usesJobFolder;
        int (*run)(const std::vector<std::string>& arguments);
    };

    // The command of that name, or a UsageError naming the unknown command.
    static const Command& find(const std::string& name);
    // "--help" or "-h" among a command's arguments (before a "--").
    static bool asksForHelp(const std::vector<std::string>& arguments);
};
