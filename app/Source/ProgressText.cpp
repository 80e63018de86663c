#include "ProgressText.h"

#include "LocalizedStrings.h"

std::optional<std::string> ProgressText::forScanStatus(int64_t status)
{
    switch (status) {
    case 0:
        return LocalizedStrings::text("Scanning");
    case 1:
        return LocalizedStrings::text("CreatingFile");
    case 2:
        return LocalizedStrings::text("SendingFile");
    default:
        return std::nullopt;
    }
}

std::string ProgressText::forSlot(const BulkJobStatus& item)
{
    return LocalizedStrings::text("LabelJobNo") + std::to_string(item.jobNo()) + "(" + item.request() + ")";
}

std::string ProgressText::forRegistration(const BulkJobStatus& item)
{
    return LocalizedStrings::text("BulkRegist") + "\n" + item.scannerName() + "\n" + forSlot(item);
}
