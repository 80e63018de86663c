#pragma once

#include <cstdint>

// The socket set-up that the query sender and the answer listener share: an
// IPv4 UDP socket whose parameters come from a passive lookup of "localhost",
// with address and port reuse on, so that both (and any other mDNS program on
// the machine) can bind port 5353 at once.
class MdnsSocket {
public:
    // service: the port as text for the lookup, or null for none. The descriptor,
    // or -1 when the lookup, the socket or a reuse option failed.
    static int32_t OpenReusable(const char* service);
    // Closes the descriptor when it is open and marks it closed (-1).
    static void Close(int32_t& descriptor);
};
