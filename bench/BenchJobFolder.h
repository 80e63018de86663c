#pragma once

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "FWKVXSDK/JobFolder.h"
#include "FWKVXSDK/SettingData.h"

// What the programs keep between starts, and a preset job set, come from
// folders below the benchmark's scratch folder: never the user's own.
inline void useScratchConfig(const std::string& scratch)
{
    ::setenv("XDG_CONFIG_HOME", (scratch + "/config").c_str(), 1);
    ::setenv("XDG_CONFIG_DIRS", (scratch + "/config-system").c_str(), 1);
}

// A scratch job folder for a benchmark (XDG_DATA_HOME points at it) holding a
// realistic store: every third slot holds a job, the others are cleared.
// Returns the scratch folder, empty when it could not be made.
inline std::string makeBenchJobFolder()
{
    std::string folder = (std::filesystem::temp_directory_path() / "vantix-bench-XXXXXX").string();
    if (::mkdtemp(folder.data()) == nullptr) {
        return std::string();
    }
    ::setenv("XDG_DATA_HOME", folder.c_str(), 1);
    useScratchConfig(folder);
    JobFolder::ensureExists();
    for (int n = 1; n <= 99; n += 3) {
        auto job = std::make_shared<SettingData>();
        job->setJobNo(std::to_string(n));
        job->setJobName("Job " + std::to_string(n));
        job->sendSetting()->setSendPath("\\\\server\\scans\\" + std::to_string(n));
        SettingData::SaveSettings(job);
    }
    return folder;
}

// Jobs 1 to count in the current job folder, each with a name, a path and the
// file formats in turn (the job list shows a picture per format).
inline void saveNumberedJobs(int count)
{
    for (int number = 1; number <= count; ++number) {
        auto job = std::make_shared<SettingData>();
        job->setJobNo(std::to_string(number));
        job->setJobName("Job" + std::to_string(number));
        job->setFileFormat(number % 4);
        job->sendSetting()->setSendPath("\\\\server\\scans\\" + std::to_string(number));
        SettingData::SaveSettings(job);
    }
}
