// Time to load a full job folder the way the job list does at start-up:
// list the job numbers, then read every job. Prints the median of many runs.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "FWKVXSDK/JobFolder.h"
#include "FWKVXSDK/SettingData.h"

namespace fs = std::filesystem;

int main(int argc, char** argv)
{
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;
    constexpr int jobs = 99;

    std::string scratch = (fs::temp_directory_path() / "vantix-bench-XXXXXX").string();
    if (::mkdtemp(scratch.data()) == nullptr) {
        std::perror("mkdtemp");
        return 1;
    }
    ::setenv("XDG_DATA_HOME", scratch.c_str(), 1);
    if (!JobFolder::ensureExists()) {
        std::fprintf(stderr, "cannot create the job folder\n");
        return 1;
    }
    for (int n = 1; n <= jobs; ++n) {
        auto job = std::make_shared<SettingData>();
        job->setJobNo(std::to_string(n));
        job->setJobName("Job " + std::to_string(n) + " for the accounts department");
        job->setColorMode(n % 3);
        job->setFileFormat(n % 4);
        job->sendSetting()->setUserName("office\\scanner");
        job->sendSetting()->setPassword("not-a-real-password");
        job->sendSetting()->setSendPath("\\\\fileserver\\scans\\incoming");
        SettingData::SaveSettings(job);
    }

    std::vector<double> millis;
    size_t loaded = 0;
    for (int run = 0; run < runs; ++run) {
        auto start = std::chrono::steady_clock::now();
        std::vector<std::shared_ptr<SettingData>> list;
        for (int64_t number : SettingData::GetFileListNo()) {
            list.push_back(SettingData::ReadSettings(number));
        }
        auto stop = std::chrono::steady_clock::now();
        millis.push_back(std::chrono::duration<double, std::milli>(stop - start).count());
        loaded = list.size();
    }
    std::sort(millis.begin(), millis.end());
    std::printf("job folder load: %zu jobs, %d runs, median %.3f ms, min %.3f ms, max %.3f ms\n", loaded, runs,
                millis[millis.size() / 2], millis.front(), millis.back());

    std::error_code ignored;
    fs::remove_all(scratch, ignored);
    return loaded == jobs ? 0 : 1;
}
