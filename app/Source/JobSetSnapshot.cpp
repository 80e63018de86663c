#include "JobSetSnapshot.h"

#include "FWKVXSDK/AtomicFile.h"
#include "FWKVXSDK/SettingData.h"
#include "FWKVXSDK/XMLTODictionaryParser.h"

#include "JobList.h"
#include "SmallFile.h"

bool JobSetSnapshot::take(const std::vector<int64_t>& numbers, int64_t& failed)
{
    mFiles.clear();
    for (const int64_t number : numbers) {
        // A file larger than the job reader takes is no readable job, but it is
        // still kept whole or the change is not made.
        auto file = SmallFile::read(JobList::filePath(number), XMLTODictionaryParser::kMaxFileSize);
        if (file.status != SmallFile::Status::Read) {
            mFiles.clear();
            failed = number;
            return false;
        }
        mFiles.emplace(number, std::move(file.bytes));
    }
    return true;
}

bool JobSetSnapshot::restore() const
{
    bool restored = true;
    for (const int64_t number : SettingData::GetFileListNo()) {
        if (mFiles.count(number) == 0) {
            restored = SettingData::DeleteSettingsWithOutcome(number).succeeded() && restored;
        }
    }
    for (const auto& [number, bytes] : mFiles) {
        const auto now = SmallFile::read(JobList::filePath(number), XMLTODictionaryParser::kMaxFileSize);
        if (now.status != SmallFile::Status::Read || now.bytes != bytes) {
            // Job files hold share passwords: readable by their owner only.
            restored = AtomicFile::write(JobList::filePath(number), bytes, 0600) && restored;
        }
    }
    return restored;
}
