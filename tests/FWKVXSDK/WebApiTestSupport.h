#pragma once

// Shared pieces of the tests that talk to the scanner simulator.
#include <gtest/gtest.h>

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "FWKVXSDK/WebApiClient.h"
#include "SimulatorProcess.h"

using Headers = std::vector<std::pair<std::string, std::string>>;

inline Headers headersOf(const nlohmann::json& request)
{
    Headers headers;
    for (const auto& pair : request.at("headers")) {
        headers.emplace_back(pair.at(0).get<std::string>(), pair.at(1).get<std::string>());
    }
    return headers;
}

inline std::shared_ptr<ScannerData> scannerAt(const std::string& ip)
{
    auto scanner = std::make_shared<ScannerData>();
    scanner->setScannerIp(ip);
    return scanner;
}

// One simulated scanner on 127.0.0.2 per test, started with the keys given.
class SimulatedScannerTest : public ::testing::Test {
protected:
    static constexpr const char* kIp = "127.0.0.2";

    void Start(const std::string& keys = "", std::vector<std::string> extra = {})
    {
        std::vector<std::string> arguments = {"--no-mdns", "--scanner",
                                              std::string("ip=") + kIp + (keys.empty() ? "" : "," + keys)};
        arguments.insert(arguments.end(), extra.begin(), extra.end());
        sim = std::make_unique<SimulatorProcess>(arguments);
        ASSERT_TRUE(sim->ready()) << sim->failure();
    }

    // Starts the simulator with one operation answering with exactly these bytes.
    void StartWithBody(const std::string& op, const std::string& body, const std::string& keys = "")
    {
        std::string path = folder + "/" + op + ".body";
        std::ofstream(path, std::ios::binary | std::ios::trunc) << body;
        Start("fault." + op + ".body-file=" + path + (keys.empty() ? "" : "," + keys));
    }

    void SetUp() override
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "vantix-webapi-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        folder = pattern;
    }

    void TearDown() override
    {
        sim.reset();
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }

    std::vector<nlohmann::json> requests() const { return sim->Requests(); }

    // Identified and locked with the simulator's defaults (id "VX2", connection "session-1").
    std::shared_ptr<ScannerData> lockedScanner()
    {
        auto scanner = scannerAt(kIp);
        EXPECT_TRUE(client.GetScannerID(scanner));
        EXPECT_TRUE(client.Lock(scanner));
        return scanner;
    }

    WebApiClient client;
    std::string folder; // private to the test
    std::unique_ptr<SimulatorProcess> sim;
};
