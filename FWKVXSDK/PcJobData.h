#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "FWKVXSDK/AtomicProperty.h"
#include "FWKVXSDK/FWKVXSDKExport.h"

// A PC-side job entry. Part of the public interface; nothing in the product fills it.
class FWKVXSDK_EXPORT PcJobData {
public:
    int32_t FpcJobNo() const { return mFpcJobNo.get(); }
    void setFpcJobNo(int32_t value) { mFpcJobNo.set(value); }
    std::optional<std::string> FpcJobName() const { return mFpcJobName.get(); }
    void setFpcJobName(std::optional<std::string> value) { mFpcJobName.set(std::move(value)); }

private:
    AtomicProperty<int32_t> mFpcJobNo{0};
    AtomicProperty<std::optional<std::string>> mFpcJobName;
};
