#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include <nlohmann/json.hpp>

#include "FWKVXSDK/DiscoveryManager/DiscoveryManager.h"
#include "FWKVXSDK/FWKVXSDKExport.h"
#include "FWKVXSDK/ScannerData.h"
#include "FWKVXSDK/SettingData.h"

// Client of a scanner's HTTPS REST interface. Every operation is one synchronous
// request on the calling thread (never the main thread); the response details go
// into the caller's ScannerData before the operation returns.
class FWKVXSDK_EXPORT WebApiClient {
public:
    WebApiClient();  // opens the owned discovery manager
    ~WebApiClient(); // closes it when terminate was not called
    WebApiClient(const WebApiClient&) = delete;
    WebApiClient& operator=(const WebApiClient&) = delete;

    // IPv4 address of the host in dotted decimal text (the last IPv4 result); absent host: "localhost".
    static std::optional<std::string> GetIpAddress(const std::optional<std::string>& host);

    // One discovery search; false after terminate.
    bool GetHostListWithCompletion(DiscoveryManager::Completion completion);
    void terminate();

    // Scan session.
    bool GetScannerID(const std::shared_ptr<ScannerData>& scanner);
    bool Lock(const std::shared_ptr<ScannerData>& scanner);
    int64_t SetSetting(const std::shared_ptr<ScannerData>& scanner, const std::shared_ptr<SettingData>& settings);
    bool Scan(const std::shared_ptr<ScannerData>& scanner, const std::shared_ptr<SettingData>& settings);
    bool GetStatus(const std::shared_ptr<ScannerData>& scanner);
    bool UnLock(const std::shared_ptr<ScannerData>& scanner);

    // Job registration: 1 accepted, -1 refused (password), 0 other failure.
    int64_t Register(const std::shared_ptr<ScannerData>& scanner, const std::shared_ptr<SettingData>& settings,
                     const std::optional<std::string>& password);
    int64_t Delete(const std::shared_ptr<ScannerData>& scanner, const std::optional<std::string>& password,
                   int64_t jobid);

    // Request bodies.
    nlohmann::json GetJsonForSetSetting(const std::shared_ptr<ScannerData>& scanner,
                                        const std::shared_ptr<SettingData>& jobSettingData);
    nlohmann::json GetJsonForRegister(const std::shared_ptr<SettingData>& job,
                                      const std::optional<std::string>& password);

private:
    const std::string FhttpUri = "https://";
    const std::string FjobUri = "/api/v1/job/";
    const std::string FscanUri = "/api/v1/scanners/";
    // Guards only the pointer: terminate may run while a search is being asked for.
    mutable std::mutex mDiscoveryLock;
    std::shared_ptr<DiscoveryManager> mDiscoveryManager;
    // Value of every request's "Origin" header; absent when "localhost" has no IPv4 address.
    std::optional<std::string> mPcIpAddress;
};
