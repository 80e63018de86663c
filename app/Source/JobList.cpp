#include "JobList.h"

#include <algorithm>
#include <limits>
#include <set>

#include "LocalizedStrings.h"

std::vector<std::shared_ptr<SettingData>> JobList::load()
{
    std::vector<std::shared_ptr<SettingData>> jobs;
    for (const int64_t number : SettingData::GetFileListNo()) {
        jobs.push_back(SettingData::ReadSettings(number));
    }
    return jobs;
}

bool JobList::hasJobFile(int64_t number)
{
    const auto numbers = SettingData::GetFileListNo();
    return std::find(numbers.begin(), numbers.end(), number) != numbers.end();
}

namespace {
// The smallest positive number not in use, also when the numbers come in no
// order or twice: a number in use must never be proposed, since saving the new
// job would overwrite that job's file.
int64_t smallestFreeNumber(const std::set<int64_t>& used)
{
    int64_t number = 1;
    while (used.count(number) != 0) {
        ++number;
    }
    return number;
}

void addNumbersOf(const std::vector<std::shared_ptr<SettingData>>& jobs, std::set<int64_t>& used)
{
    for (const auto& job : jobs) {
        if (job) {
            used.insert(JobList::integerValue(job->jobNo()));
        }
    }
}

std::shared_ptr<SettingData> jobNumbered(std::optional<int64_t> number)
{
    if (!number) {
        return nullptr;
    }
    auto job = std::make_shared<SettingData>();
    job->setJobNo(std::to_string(*number));
    job->setJobName(JobList::defaultJobName(*number));
    return job;
}
} // namespace

std::optional<int64_t> JobList::nextStoredJobNo(const std::vector<std::shared_ptr<SettingData>>& shown)
{
    const std::vector<int64_t> files = SettingData::GetFileListNo();
    if (static_cast<int64_t>(files.size()) >= kMaximumJobs || static_cast<int64_t>(shown.size()) >= kMaximumJobs) {
        return std::nullopt;
    }
    std::set<int64_t> used(files.begin(), files.end());
    addNumbersOf(shown, used);
    const int64_t number = smallestFreeNumber(used);
    // The scanner's job table has no slot beyond the limit.
    return number <= kMaximumJobs ? std::optional<int64_t>(number) : std::nullopt;
}

std::string JobList::defaultJobName(int64_t number)
{
    return LocalizedStrings::text("LabelJob") + std::to_string(number);
}

std::shared_ptr<SettingData> JobList::newStoredJob(const std::vector<std::shared_ptr<SettingData>>& shown)
{
    return jobNumbered(nextStoredJobNo(shown));
}

int64_t JobList::integerValue(const std::optional<std::string>& text)
{
    if (!text) {
        return 0;
    }
    const std::string& s = *text;
    std::size_t i = 0;
    while (i < s.size() && (s[i] == ' ' || s[i] == '\t' || s[i] == '\n' || s[i] == '\r' || s[i] == '\v' ||
                            s[i] == '\f')) {
        ++i;
    }
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        negative = s[i] == '-';
        ++i;
    }
    // Saturates instead of overflowing on absurdly long digit runs.
    constexpr int64_t limit = std::numeric_limits<int64_t>::max();
    int64_t value = 0;
    for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i) {
        const int digit = s[i] - '0';
        value = value > (limit - digit) / 10 ? limit : value * 10 + digit;
    }
    return negative ? -value : value;
}
