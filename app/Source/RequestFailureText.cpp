#include "RequestFailureText.h"

#include "LocalizedStrings.h"

namespace {
using Reason = WebApiFailure::Reason;

struct Wording {
    const char* key;
    const char* keyword;
};

std::optional<Wording> wordingOf(Reason reason)
{
    switch (reason) {
    case Reason::None: return std::nullopt;
    case Reason::NotSent: return Wording{"ReasonNotSent", "not-sent"};
    case Reason::ConnectionRefused: return Wording{"ReasonRefused", "refused"};
    case Reason::Unreachable: return Wording{"ReasonUnreachable", "unreachable"};
    case Reason::TimedOut: return Wording{"ReasonTimedOut", "timeout"};
    case Reason::TlsHandshake: return Wording{"ReasonTls", "tls"};
    case Reason::NoAnswer: return Wording{"ReasonClosed", "closed"};
    case Reason::AnswerTooLarge: return Wording{"ReasonTooLarge", "too-large"};
    case Reason::HttpStatus: return Wording{"ReasonHttpStatus", "http-"};
    case Reason::EmptyAnswer: return Wording{"ReasonEmpty", "empty"};
    case Reason::UnreadableAnswer: return Wording{"ReasonUnreadable", "unreadable"};
    }
    return std::nullopt;
}
} // namespace

std::optional<std::string> RequestFailureText::sentence(const WebApiFailure& failure)
{
    const auto wording = wordingOf(failure.reason);
    if (!wording) {
        return std::nullopt;
    }
    if (failure.reason == Reason::HttpStatus) {
        return LocalizedStrings::format(wording->key, {std::to_string(failure.httpStatus)});
    }
    return LocalizedStrings::text(wording->key);
}

std::optional<std::string> RequestFailureText::keyword(const WebApiFailure& failure)
{
    const auto wording = wordingOf(failure.reason);
    if (!wording) {
        return std::nullopt;
    }
    if (failure.reason == Reason::HttpStatus) {
        return wording->keyword + std::to_string(failure.httpStatus);
    }
    return std::string(wording->keyword);
}

std::string RequestFailureText::withReason(const std::string& message, const WebApiFailure& failure)
{
    const auto reason = sentence(failure);
    return reason ? message + " " + *reason : message;
}
