#include "JobRemovalHistory.h"

#include <algorithm>

#include "FWKVXSDK/AtomicFile.h"
#include "FWKVXSDK/SettingData.h"
#include "FWKVXSDK/XMLTODictionaryParser.h"

#include "JobList.h"
#include "SmallFile.h"

JobRemovalHistory::Removal JobRemovalHistory::remove(const std::vector<int64_t>& numbers)
{
    std::map<int64_t, std::string> kept;
    Removal removal;
    for (const int64_t number : numbers) {
        // Read before it goes: undo puts back exactly these bytes.
        auto file = SmallFile::read(JobList::filePath(number), XMLTODictionaryParser::kMaxFileSize);
        const StoreOutcome outcome = SettingData::DeleteSettingsWithOutcome(number);
        if (!outcome.succeeded()) {
            removal.failed.emplace_back(number, outcome);
            continue;
        }
        removal.removed.push_back(number);
        if (file.status == SmallFile::Status::Read) {
            kept.emplace(number, std::move(file.bytes));
        }
    }
    if (!removal.removed.empty()) {
        mRemoved = std::move(kept);
        mUndone = false;
    }
    return removal;
}

bool JobRemovalHistory::canUndo() const
{
    if (mUndone || mRemoved.empty()) {
        return false;
    }
    const auto taken = SettingData::GetFileListNo();
    return std::none_of(mRemoved.begin(), mRemoved.end(), [&](const auto& kept) {
        return std::find(taken.begin(), taken.end(), kept.first) != taken.end();
    });
}

std::optional<std::vector<int64_t>> JobRemovalHistory::undo()
{
    if (!canUndo()) {
        return std::nullopt;
    }
    std::vector<int64_t> written;
    for (const auto& [number, bytes] : mRemoved) {
        // Job files hold share passwords: readable by their owner only.
        if (!AtomicFile::write(JobList::filePath(number), bytes, 0600)) {
            for (const int64_t back : written) {
                SettingData::DeleteSettings(back);
            }
            return std::nullopt;
        }
        written.push_back(number);
    }
    mUndone = true;
    return written;
}

JobRemovalHistory::Removal JobRemovalHistory::redo()
{
    if (!mUndone) {
        return {};
    }
    // Kept anew as they are now, so that a further undo puts back what this removes.
    return remove(keptNumbers());
}

std::vector<int64_t> JobRemovalHistory::keptNumbers() const
{
    std::vector<int64_t> numbers;
    for (const auto& kept : mRemoved) {
        numbers.push_back(kept.first);
    }
    return numbers;
}
