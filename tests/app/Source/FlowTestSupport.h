#pragma once

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "FWKVXSDK/JobFolder.h"
#include "FWKVXSDK/ScannerData.h"
#include "FWKVXSDK/ScratchFolder.h"
#include "FWKVXSDK/SettingData.h"
#include "LocalizedStrings.h"
#include "SimulatorProcess.h"

// Names the scanner operation of a request the simulator logged.
inline std::string operationOf(const nlohmann::json& request)
{
    const std::string method = request.value("method", "");
    const std::string path = request.value("path", "");
    if (path == "/api/v1/job/settings") {
        return method == "PUT" ? "register" : method == "DELETE" ? "delete" : "?";
    }
    if (path == "/api/v1/scanners/") {
        return "identify";
    }
    const auto has = [&](const char* part) { return path.find(part) != std::string::npos; };
    if (has("/connection")) {
        return method == "POST" ? "lock" : "unlock";
    }
    if (has("/settings")) {
        return "settings";
    }
    if (has("/scanning?")) {
        return "status";
    }
    if (has("/scanning")) {
        return "scan";
    }
    return "?";
}

inline std::vector<std::string> operationsOf(const std::vector<nlohmann::json>& requests)
{
    std::vector<std::string> names;
    for (const auto& request : requests) {
        names.push_back(operationOf(request));
    }
    return names;
}

// What a run sent after it was told to stop: at most the request on its way
// then, and the unlock as the last one.
inline ::testing::AssertionResult onlyTheUnlockFollows(const std::vector<nlohmann::json>& since)
{
    const auto operations = operationsOf(since);
    if (!operations.empty() && operations.size() <= 2 && operations.back() == "unlock" && operations.front() != "lock") {
        return ::testing::AssertionSuccess();
    }
    auto failure = ::testing::AssertionFailure() << "sent after the stop:";
    for (const auto& operation : operations) {
        failure << " " << operation;
    }
    return failure;
}

inline nlohmann::json bodyOf(const nlohmann::json& request)
{
    return nlohmann::json::parse(request.value("body", ""), nullptr, false);
}

// A private job folder for one test (XDG_DATA_HOME points into a scratch folder).
class ScratchJobStore {
public:
    ScratchJobStore()
    {
        ::setenv("XDG_DATA_HOME", mFolder.path().c_str(), 1);
        JobFolder::ensureExists();
        LocalizedStrings::setLanguage("en");
    }

    std::shared_ptr<SettingData> save(int64_t number, const std::string& name = "Job") { return saveJob(number, name); }

    // A job stored in the job folder of XDG_DATA_HOME.
    static std::shared_ptr<SettingData> saveJob(int64_t number, const std::string& name = "Job")
    {
        auto job = std::make_shared<SettingData>();
        job->setJobNo(std::to_string(number));
        job->setJobName(name + std::to_string(number));
        job->sendSetting()->setSendPath("\\\\srv\\scans");
        SettingData::SaveSettings(job);
        return job;
    }

    const ScratchFolder& folder() const { return mFolder; }

private:
    ScratchFolder mFolder;
};

inline std::shared_ptr<ScannerData> scannerAt(const std::string& ip)
{
    auto scanner = std::make_shared<ScannerData>();
    scanner->setScannerIp(ip);
    return scanner;
}
