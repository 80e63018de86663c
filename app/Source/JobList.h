#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "FWKVXSDK/SettingData.h"

// The jobs as the job list keeps them, and how it numbers a new one.
class JobList {
public:
    // The limit on the number of jobs; the scanner's job table has slots 1 to 99.
    static constexpr int64_t kMaximumJobs = 99;

    // Every job of the store, in the store's ascending order of numbers.
    static std::vector<std::shared_ptr<SettingData>> load();
    // The number a new job gets: the smallest positive number no job uses;
    // absent when the list is full.
    static std::optional<int64_t> nextJobNo(const std::vector<std::shared_ptr<SettingData>>& jobs);
    // The text for "LabelJob" directly followed by the number.
    static std::string defaultJobName(int64_t number);
    // A fresh record with the next number and the default name; null when the list is full.
    static std::shared_ptr<SettingData> newJob(const std::vector<std::shared_ptr<SettingData>>& jobs);
    // The integer value of a job number text: leading blanks, an optional sign and
    // the leading digits; no digits (or an absent text) gives 0.
    static int64_t integerValue(const std::optional<std::string>& text);
};
