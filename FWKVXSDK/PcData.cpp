#include "FWKVXSDK/PcData.h"

void PcData::Add(std::shared_ptr<PcJobData> entry)
{
    std::lock_guard<std::mutex> guard(mListLock);
    FpcJobList.push_back(std::move(entry));
}

int64_t PcData::Count() const
{
    std::lock_guard<std::mutex> guard(mListLock);
    return static_cast<int64_t>(FpcJobList.size());
}

void PcData::Clear()
{
    std::lock_guard<std::mutex> guard(mListLock);
    FpcJobList.clear();
}

std::shared_ptr<PcJobData> PcData::ObjectAtIndex(int64_t index) const
{
    std::lock_guard<std::mutex> guard(mListLock);
    if (index < 0 || index >= static_cast<int64_t>(FpcJobList.size())) {
        return nullptr;
    }
    return FpcJobList[static_cast<size_t>(index)];
}
