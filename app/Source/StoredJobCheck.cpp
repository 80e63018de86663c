#include "StoredJobCheck.h"

#include <algorithm>

#include "JobList.h"
#include "JobValidator.h"

bool StoredJobCheck::save(const std::shared_ptr<SettingData>& job)
{
    if (!job) {
        return false;
    }
    SettingData::SaveSettings(job);
    return holds(*job);
}

bool StoredJobCheck::remove(int64_t number)
{
    SettingData::DeleteSettings(number);
    return !exists(number);
}

bool StoredJobCheck::exists(int64_t number)
{
    const auto numbers = SettingData::GetFileListNo();
    return std::find(numbers.begin(), numbers.end(), number) != numbers.end();
}

bool StoredJobCheck::holds(const SettingData& expected)
{
    const int64_t number = JobList::integerValue(expected.jobNo());
    if (!exists(number)) {
        return false;
    }
    const auto stored = SettingData::ReadSettings(number);
    const auto want = expected.sendSetting();
    const auto got = stored->sendSetting();
    if (!want || !got) {
        return false;
    }
    return stored->jobNo() == expected.jobNo() && JobValidator::trimmed(stored->jobName()) == JobValidator::trimmed(expected.jobName()) &&
           stored->colorMode() == expected.colorMode() && stored->paperSize() == expected.paperSize() &&
           stored->resolution() == expected.resolution() && stored->readingSurface() == expected.readingSurface() &&
           stored->fileFormat() == expected.fileFormat() && got->destinationType() == want->destinationType() &&
           got->userName() == want->userName() && got->password() == want->password() &&
           JobValidator::trimmed(got->sendPath()) == JobValidator::trimmed(want->sendPath());
}
