#include "JobList.h"

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

std::optional<int64_t> JobList::nextJobNo(const std::vector<std::shared_ptr<SettingData>>& jobs)
{
    if (static_cast<int64_t>(jobs.size()) >= kMaximumJobs) {
        return std::nullopt;
    }
    // The smallest positive number not in use, also when the list is not in
    // order or holds a number twice: a number in use must never be proposed,
    // since saving the new job would overwrite that job's file.
    std::set<int64_t> used;
    for (const auto& job : jobs) {
        if (job) {
            used.insert(integerValue(job->jobNo()));
        }
    }
    int64_t number = 1;
    while (used.count(number) != 0) {
        ++number;
    }
    return number;
}

std::string JobList::defaultJobName(int64_t number)
{
    return LocalizedStrings::text("LabelJob") + std::to_string(number);
}

std::shared_ptr<SettingData> JobList::newJob(const std::vector<std::shared_ptr<SettingData>>& jobs)
{
    const auto number = nextJobNo(jobs);
    if (!number) {
        return nullptr;
    }
    auto job = std::make_shared<SettingData>();
    job->setJobNo(std::to_string(*number));
    job->setJobName(defaultJobName(*number));
    return job;
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
