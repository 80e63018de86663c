#pragma once

#include <string>
#include <vector>

// What a registration run would do on each scanner, slot by slot (register
// the PC's job N, or clear slot N), worked out from the job store exactly as
// the run decides, without sending anything.
class RegistrationPlan {
public:
    // For each address in turn, one line per slot 1 to 99: the slot and its
    // request (with the job's name when registered), the address first when
    // `withAddress`; with `json` one object per line
    // {"scannerIp","jobNo","action":"register"|"clear","jobName"}.
    static void print(const std::vector<std::string>& addresses, bool json, bool withAddress);
};
