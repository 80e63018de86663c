#pragma once

#include <string>

// What a guard caught, so that no fault passes unseen: called inside a catch
// block, it writes the exception's type and text, with the place that caught
// it, to the system log and to the request log.
class CaughtException {
public:
    // "std::runtime_error: its text"; the type alone for an exception that is
    // no std::exception. Only inside a catch block.
    static std::string describe();
    // Writes "<where>: caught <describe()>" to both logs.
    static void record(const std::string& where);
};
