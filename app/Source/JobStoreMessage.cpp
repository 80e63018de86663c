#include "JobStoreMessage.h"

#include "LocalizedStrings.h"

std::string JobStoreMessage::saveFailed(const std::string& jobNo, const StoreOutcome& outcome)
{
    return LocalizedStrings::format("ErrorSaveJobBecause", {jobNo, outcome.reason()});
}

std::string JobStoreMessage::removeFailed(const std::string& jobNo, const StoreOutcome& outcome)
{
    return LocalizedStrings::format("ErrorDeleteJobBecause", {jobNo, outcome.reason()});
}
