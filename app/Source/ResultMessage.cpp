#include "ResultMessage.h"

#include <limits>

#include "AppError.h"
#include "LocalizedStrings.h"
#include "RequestFailureText.h"
#include "ScannerError.h"

std::optional<std::string> ResultMessage::catalogueMessage(int64_t code)
{
    // A code that does not fit the catalogues' 32-bit keys is unknown to both,
    // rather than being cut down to some other code's message.
    if (code < std::numeric_limits<int32_t>::min() || code > std::numeric_limits<int32_t>::max()) {
        return std::nullopt;
    }
    const auto key = static_cast<int32_t>(code);
    const ScannerError scannerError;
    if (scannerError.IsSupport(key)) {
        return scannerError.GetMessage(key);
    }
    const AppError appError;
    if (appError.IsSupport(key)) {
        return appError.GetMessage(key);
    }
    return std::nullopt;
}

std::string ResultMessage::forResult(int64_t code, const std::string& successText, const std::string& fallbackText,
                                     const WebApiFailure& reason)
{
    if (code == 0) {
        return successText;
    }
    return RequestFailureText::withReason(catalogueMessage(code).value_or(fallbackText), reason);
}

std::string ResultMessage::forScan(int64_t code, const WebApiFailure& reason)
{
    return forResult(code, LocalizedStrings::text("CompletedScan"), LocalizedStrings::text("ErrorScan"), reason);
}

std::string ResultMessage::forRegistration(int64_t code, const WebApiFailure& reason)
{
    return forResult(code, LocalizedStrings::text("FinishRegist"), LocalizedStrings::text("ErrorFailedToBulkRegistJob"),
                     reason);
}

std::string ResultMessage::bulkRowText(int64_t code, const WebApiFailure& reason)
{
    if (code == 0) {
        return LocalizedStrings::text("ResSuccess");
    }
    const auto message = catalogueMessage(code);
    const std::string inside = message ? RequestFailureText::withReason(*message, reason)
                                       : RequestFailureText::sentence(reason).value_or(std::string());
    return LocalizedStrings::text("ResFailure") + "(" + inside + ")";
}
