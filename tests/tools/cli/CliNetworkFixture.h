#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "CliProcess.h"
#include "FWKVXSDK/JobFolder.h"
#include "FWKVXSDK/ScratchFolder.h"
#include "FWKVXSDK/SettingData.h"
#include "LocalizedStrings.h"
#include "SimulatorProcess.h"

inline std::string en(const char* key)
{
    return LocalizedStrings::textIn("en", key);
}

inline std::string operationOf(const nlohmann::json& request)
{
    const std::string method = request.value("method", "");
    const std::string path = request.value("path", "");
    if (path == "/api/v1/job/settings") {
        return method == "PUT" ? "register" : "delete";
    }
    if (path.find("/connection") != std::string::npos) {
        return method == "POST" ? "lock" : "unlock";
    }
    return path == "/api/v1/scanners/" ? "identify" : "other";
}

// The tool against simulated scanners, each case with its own job folder.
class CliNetwork : public ::testing::Test {
protected:
    void SetUp() override
    {
        ::setenv("XDG_DATA_HOME", folder.path().c_str(), 1);
        LocalizedStrings::setLanguage("en");
        JobFolder::ensureExists();
        auto job = std::make_shared<SettingData>();
        job->setJobNo("1");
        job->setJobName("Invoices");
        job->sendSetting()->setSendPath("\\\\srv\\inv");
        SettingData::SaveSettings(job);
    }

    void start(std::vector<std::string> arguments)
    {
        arguments.insert(arguments.begin(), "--no-mdns");
        sim = std::make_unique<SimulatorProcess>(arguments);
        ASSERT_TRUE(sim->ready()) << sim->failure();
    }

    std::vector<std::string> operationsFor(const std::string& ip) const
    {
        std::vector<std::string> names;
        for (const auto& request : sim->Requests()) {
            if (request.value("scanner", "") == ip) {
                names.push_back(operationOf(request));
            }
        }
        return names;
    }

    ScratchFolder folder;
    std::unique_ptr<SimulatorProcess> sim;
};
