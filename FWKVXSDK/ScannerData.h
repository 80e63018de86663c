#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>

#include "FWKVXSDK/AtomicProperty.h"
#include "FWKVXSDK/FWKVXSDKExport.h"
#include "FWKVXSDK/JsonIdentifier.h"
#include "FWKVXSDK/WebApiFailure.h"

// One network scanner, and the state of the current conversation with it.
// A new record has every text and the time absent and every integer 0.
// The same record is reused across sessions: values stay until overwritten.
class FWKVXSDK_EXPORT ScannerData {
public:
    using Clock = std::chrono::system_clock;

    std::optional<JsonIdentifier> scannerId() const { return mScannerId.get(); }
    void setScannerId(std::optional<JsonIdentifier> value) { mScannerId.set(std::move(value)); }
    std::optional<std::string> scannerName() const { return mScannerName.get(); }
    void setScannerName(std::optional<std::string> value) { mScannerName.set(std::move(value)); }
    // IPv4 address in dotted decimal text; the host part of every request URL.
    std::optional<std::string> scannerIp() const { return mScannerIp.get(); }
    void setScannerIp(std::optional<std::string> value) { mScannerIp.set(std::move(value)); }
    std::optional<JsonIdentifier> connectId() const { return mConnectId.get(); }
    void setConnectId(std::optional<JsonIdentifier> value) { mConnectId.set(std::move(value)); }
    // Last scan status: 1 running, 2 ended with an error, anything else ended.
    int64_t status() const { return mStatus.get(); }
    void setStatus(int64_t value) { mStatus.set(value); }
    // When discovery last saw the scanner.
    std::optional<Clock::time_point> time() const { return mTime.get(); }
    void setTime(std::optional<Clock::time_point> value) { mTime.set(std::move(value)); }
    // Detail status while scanning: 0 scanning, 1 creating the file, 2 sending it.
    int64_t internalStatus() const { return mInternalStatus.get(); }
    void setInternalStatus(int64_t value) { mInternalStatus.set(value); }
    // Last error code the scanner reported; 0 means none.
    int64_t internalCode() const { return mInternalCode.get(); }
    void setInternalCode(int64_t value) { mInternalCode.set(value); }
    // Why the last request of the last operation on this scanner failed; no
    // failure when it got an answer the operation could read.
    WebApiFailure lastRequestFailure() const { return mLastRequestFailure.get(); }
    void setLastRequestFailure(WebApiFailure value) { mLastRequestFailure.set(std::move(value)); }

private:
    AtomicProperty<std::optional<JsonIdentifier>> mScannerId;
    AtomicProperty<std::optional<std::string>> mScannerName;
    AtomicProperty<std::optional<std::string>> mScannerIp;
    AtomicProperty<std::optional<JsonIdentifier>> mConnectId;
    AtomicProperty<int64_t> mStatus{0};
    AtomicProperty<std::optional<Clock::time_point>> mTime;
    AtomicProperty<int64_t> mInternalStatus{0};
    AtomicProperty<int64_t> mInternalCode{0};
    AtomicProperty<WebApiFailure> mLastRequestFailure;
};
