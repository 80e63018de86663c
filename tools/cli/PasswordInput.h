#pragma once

#include <optional>
#include <string>

// Reads a password from standard input: one line, without its line end. On a
// terminal the prompt goes to standard error and typing is not echoed (the
// terminal is restored also when the user interrupts); from a pipe or file no
// prompt is written. End of input before any character gives the empty password.
class PasswordInput {
public:
    static constexpr std::size_t kMaximumLength = 4096;

    // Absent when standard input cannot be read or the line is too long.
    static std::optional<std::string> read(const std::string& prompt);
};
