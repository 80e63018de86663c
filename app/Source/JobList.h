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
    // The store has a job file of that number.
    static bool hasJobFile(int64_t number);
    // The text for "LabelJob" directly followed by the number.
    static std::string defaultJobName(int64_t number);
    // The number a new job gets, as the job list and the command-line tool both
    // number it: the smallest positive number without a job file. A job is
    // stored under the number of its file, so a file whose record lost or
    // changed its number is never overwritten; numbers the shown jobs carry are
    // skipped too. Absent when the store or the shown list is full.
    static std::optional<int64_t> nextStoredJobNo(const std::vector<std::shared_ptr<SettingData>>& shown = {});
    // A fresh record numbered so, with the default name; null when full.
    static std::shared_ptr<SettingData> newStoredJob(const std::vector<std::shared_ptr<SettingData>>& shown = {});
    // The integer value of a job number text: leading blanks, an optional sign and
    // the leading digits; no digits (or an absent text) gives 0.
    static int64_t integerValue(const std::optional<std::string>& text);
};
