#include "StoredJobCheck.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "JobList.h"

namespace {
// ASCII white space and the Unicode space and line separators, as UTF-8.
const std::array<std::string_view, 25> kSpaces{
    " ", "\t", "\n", "\r", "\v", "\f",
    "\xC2\x85", "\xC2\xA0", "\xE1\x9A\x80", "\xE2\x80\x80", "\xE2\x80\x81", "\xE2\x80\x82", "\xE2\x80\x83",
    "\xE2\x80\x84", "\xE2\x80\x85", "\xE2\x80\x86", "\xE2\x80\x87", "\xE2\x80\x88", "\xE2\x80\x89",
    "\xE2\x80\x8A", "\xE2\x80\xA8", "\xE2\x80\xA9", "\xE2\x80\xAF", "\xE2\x81\x9F", "\xE3\x80\x80"};

std::size_t spaceAtStart(std::string_view text)
{
    for (const auto space : kSpaces) {
        if (text.substr(0, space.size()) == space) {
            return space.size();
        }
    }
    return 0;
}

std::size_t spaceAtEnd(std::string_view text)
{
    for (const auto space : kSpaces) {
        if (text.size() >= space.size() && text.substr(text.size() - space.size()) == space) {
            return space.size();
        }
    }
    return 0;
}
} // namespace

std::string StoredJobCheck::trimmed(const std::string& text)
{
    std::string_view view(text);
    while (const std::size_t n = spaceAtStart(view)) {
        view.remove_prefix(n);
    }
    while (const std::size_t n = spaceAtEnd(view)) {
        view.remove_suffix(n);
    }
    return std::string(view);
}

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
    return stored->jobNo() == expected.jobNo() && trimmed(stored->jobName()) == trimmed(expected.jobName()) &&
           stored->colorMode() == expected.colorMode() && stored->paperSize() == expected.paperSize() &&
           stored->resolution() == expected.resolution() && stored->readingSurface() == expected.readingSurface() &&
           stored->fileFormat() == expected.fileFormat() && got->destinationType() == want->destinationType() &&
           got->userName() == want->userName() && got->password() == want->password() &&
           trimmed(got->sendPath()) == trimmed(want->sendPath());
}
