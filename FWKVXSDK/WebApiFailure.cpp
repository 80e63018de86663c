#include "FWKVXSDK/WebApiFailure.h"

std::string WebApiFailure::text() const
{
    std::string text;
    switch (reason) {
    case Reason::None:
        return "no failure";
    case Reason::NotSent:
        text = "not sent (a value the request needs is missing)";
        break;
    case Reason::ConnectionRefused:
        text = "connection refused";
        break;
    case Reason::Unreachable:
        text = "scanner unreachable";
        break;
    case Reason::TimedOut:
        text = "timed out";
        break;
    case Reason::TlsHandshake:
        text = "TLS handshake failed";
        break;
    case Reason::NoAnswer:
        text = "connection closed without a complete answer";
        break;
    case Reason::AnswerTooLarge:
        text = "answer too large";
        break;
    case Reason::HttpStatus:
        text = "HTTP status " + std::to_string(httpStatus);
        break;
    case Reason::EmptyAnswer:
        text = "empty answer";
        break;
    case Reason::UnreadableAnswer:
        text = "unreadable answer";
        break;
    }
    return detail.empty() ? text : text + " (" + detail + ")";
}
