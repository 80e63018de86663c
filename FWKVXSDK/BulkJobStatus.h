#pragma once

#include <cstdint>
#include <string>

#include "FWKVXSDK/AtomicProperty.h"
#include "FWKVXSDK/FWKVXSDKExport.h"

// Progress item of a registration run: the slot just done, on which scanner, and
// the localised text of what was done to it.
class FWKVXSDK_EXPORT BulkJobStatus {
public:
    int64_t jobNo() const { return mJobNo.get(); }
    void setJobNo(int64_t value) { mJobNo.set(value); }
    std::string scannerName() const { return mScannerName.get(); }
    void setScannerName(std::string value) { mScannerName.set(std::move(value)); }
    std::string request() const { return mRequest.get(); }
    void setRequest(std::string value) { mRequest.set(std::move(value)); }

private:
    AtomicProperty<int64_t> mJobNo{0};
    AtomicProperty<std::string> mScannerName;
    AtomicProperty<std::string> mRequest;
};
