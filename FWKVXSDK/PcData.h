#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "FWKVXSDK/AtomicProperty.h"
#include "FWKVXSDK/FWKVXSDKExport.h"
#include "FWKVXSDK/PcJobData.h"

// A PC and its job entries. Part of the public interface; nothing in the product fills it.
class FWKVXSDK_EXPORT PcData {
public:
    std::optional<std::string> FpcId() const { return mFpcId.get(); }
    void setFpcId(std::optional<std::string> value) { mFpcId.set(std::move(value)); }
    std::optional<std::string> FpcName() const { return mFpcName.get(); }
    void setFpcName(std::optional<std::string> value) { mFpcName.set(std::move(value)); }
    std::optional<std::string> FpcIp() const { return mFpcIp.get(); }
    void setFpcIp(std::optional<std::string> value) { mFpcIp.set(std::move(value)); }

    // The job list, in the order of adding.
    void Add(std::shared_ptr<PcJobData> entry);
    int64_t Count() const;
    void Clear();
    // The entry at that position; null outside the list.
    std::shared_ptr<PcJobData> ObjectAtIndex(int64_t index) const;

private:
    AtomicProperty<std::optional<std::string>> mFpcId;
    AtomicProperty<std::optional<std::string>> mFpcName;
    AtomicProperty<std::optional<std::string>> mFpcIp;
    mutable std::mutex mListLock;
    std::vector<std::shared_ptr<PcJobData>> FpcJobList;
};
