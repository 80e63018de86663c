#pragma once

#include <stdexcept>
#include <string>

// Bad usage of the tool: the message (already in the user's language) names
// the argument at fault. Ends the program with exit status 2.
class UsageError : public std::runtime_error {
public:
    explicit UsageError(const std::string& message) : std::runtime_error(message) {}
};
