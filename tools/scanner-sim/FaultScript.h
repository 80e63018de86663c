#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <mutex>
#include <optional>
#include <string>

// Scripted misbehaviour of one simulated scanner, per operation, from the
// scanner's `fault.<op>.<what>=VALUE` keys (see the README):
//   status=N        answer with this HTTP status and refuse the request
//   code=N          refuse the request with this "internal_code"
//   code-type=text  send that code as a JSON string instead of a number
//   result=N        refuse a job request with this "result"
//   body=MODE       notjson | empty | array | huge | close | hang | truncated:
//                   replace the answer (close: drop the connection without any
//                   answer; hang: say nothing until the client gives up;
//                   truncated: the whole head, half the body, then close)
//   body-file=PATH  replace the answer's body by this file's bytes
//   delay-ms=N      wait this long before answering
//   after=N         leave the first N requests of the operation alone
//   times=N         then apply to N requests only (default: all that follow)
class FaultScript {
public:
    enum class Op { Identify, Lock, Settings, Scan, Status, Unlock, Register, Delete, Count };

    struct Fault {
        std::optional<int> status;
        std::optional<std::string> code; // as given; sent as text when codeIsText
        bool codeIsText = false;
        std::optional<int64_t> result;
        std::optional<std::string> body; // mode name
        std::optional<std::string> bodyBytes; // from body-file
        int delayMs = 0;
        int after = 0;
        std::optional<int> times;

        // The request is turned down, so the scanner's state stays as it was.
        bool refuses() const { return status || code || result; }
    };

    static const char* OpName(Op op);

    // Reads every `fault.` key of the scanner; false with a reason for a bad key or value.
    bool Parse(const std::map<std::string, std::string>& settings, std::string& error);
    // Counts one request of the operation and returns the fault that applies to it.
    std::optional<Fault> Take(Op op);

private:
    std::mutex mLock;
    std::array<std::optional<Fault>, static_cast<size_t>(Op::Count)> mFaults;
    std::array<int, static_cast<size_t>(Op::Count)> mSeen{};
};
