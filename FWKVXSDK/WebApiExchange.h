#pragma once

#include <cstddef>

#include "FWKVXSDK/WebApiRequest.h"
#include "FWKVXSDK/WebApiResponse.h"

// Performs one request on the calling thread over a connection of its own (a new
// easy handle, no reuse, a fresh TLS handshake) and returns when the answer is in.
// The scanner's certificate is accepted unchecked, and so are TLS 1.0 to 1.3 and
// legacy keys and signatures, on this connection only; proxies and redirects are
// never used. A request lasts at most 30 seconds from the start, connecting included.
class WebApiExchange {
public:
    static constexpr long kResourceTimeoutMs = 30000;
    static constexpr long kIdleTimeoutSeconds = 60;
    // Larger answers are abandoned: a scanner never sends anything near this.
    static constexpr size_t kMaxBodyBytes = 1024 * 1024;

    // Status 0 with an empty body when no complete HTTP answer arrived; the
    // failure says why, and also marks a status other than 200 or an empty body.
    static WebApiResponse perform(const WebApiRequest& request);
};
