#pragma once

#include <string>

#include "FWKVXSDK/FWKVXSDKExport.h"

// Why the last request of an operation on a scanner failed, kept next to the
// operation's own result so that a caller can tell a refused connection from a
// stalled one, a TLS failure, an HTTP error or an answer it could not read.
struct FWKVXSDK_EXPORT WebApiFailure {
    enum class Reason {
        None,              // the request got an answer the operation could read
        NotSent,           // a value the request needs was absent; nothing was sent
        ConnectionRefused, // nothing listens on the scanner's port
        Unreachable,       // no route to the scanner, or the connection could not be made
        TimedOut,          // no complete answer within the request's time limit
        TlsHandshake,      // the TLS handshake failed
        NoAnswer,          // the connection broke or closed before a complete answer
        AnswerTooLarge,    // the answer exceeded the size limit and was abandoned
        HttpStatus,        // an HTTP status other than 200 (in httpStatus)
        EmptyAnswer,       // status 200 with an empty body
        UnreadableAnswer,  // status 200, but not the JSON the operation reads
    };

    Reason reason = Reason::None;
    long httpStatus = 0;
    // The transport's own words, when it gave any (never a request body).
    std::string detail;

    bool failed() const { return reason != Reason::None; }
    // A short English description, e.g. "connection refused" or "HTTP status 404".
    std::string text() const;
};
