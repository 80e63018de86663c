#pragma once

// The tool's exit statuses.
namespace ExitStatus {
constexpr int Success = 0;
constexpr int Failure = 1;  // the operation failed; the message says why
constexpr int BadUsage = 2; // the message names the bad argument
} // namespace ExitStatus
