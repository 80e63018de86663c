#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "FWKVXSDK/AtomicProperty.h"
#include "FWKVXSDK/FWKVXSDKExport.h"
#include "FWKVXSDK/SendSetting.h"
#include "FWKVXSDK/StoreOutcome.h"

// One job: a numbered, named set of scan settings and its destination.
// Enumerated settings are positions in the keyword tables of EnumExtensions.h.
// The class operations at the end are the job file store: one XML file per job,
// "Job-<number>.xml", flat in the job folder.
class FWKVXSDK_EXPORT SettingData {
public:
    SettingData();

    // A new record whose number, name, five settings and destination equal the source's.
    // The destination is an equal copy, not the source's object.
    static std::shared_ptr<SettingData> initWithData(const SettingData& source);

    // Absent only when read from a file whose "JobNo" is missing or empty.
    std::optional<std::string> jobNo() const { return mJobNo.get(); }
    void setJobNo(std::optional<std::string> value) { mJobNo.set(std::move(value)); }
    std::string jobName() const { return mJobName.get(); }
    void setJobName(std::string value) { mJobName.set(std::move(value)); }
    int64_t colorMode() const { return mColorMode.get(); }
    void setColorMode(int64_t value) { mColorMode.set(value); }
    int64_t paperSize() const { return mPaperSize.get(); }
    void setPaperSize(int64_t value) { mPaperSize.set(value); }
    int64_t resolution() const { return mResolution.get(); }
    void setResolution(int64_t value) { mResolution.set(value); }
    int64_t readingSurface() const { return mReadingSurface.get(); }
    void setReadingSurface(int64_t value) { mReadingSurface.set(value); }
    int64_t fileFormat() const { return mFileFormat.get(); }
    void setFileFormat(int64_t value) { mFileFormat.set(value); }
    std::shared_ptr<SendSetting> sendSetting() const { return mSendSetting.get(); }
    void setSendSetting(std::shared_ptr<SendSetting> value) { mSendSetting.set(std::move(value)); }

    // The job store. None of these reports an error (the two ...WithOutcome
    // forms below do).
    // The job folder: $XDG_DATA_HOME/fernwick-vantix (default ~/.local/share/fernwick-vantix).
    static std::string userAppRootFolderPath();
    // Numbers of the job files present, ascending.
    static std::vector<int64_t> GetFileListNo();
    // The job of that number; a default record with jobNo "" when there is none.
    static std::shared_ptr<SettingData> ReadSettings(int64_t number);
    // Writes the job's file, named from its jobNo; never loses the previous file.
    static void SaveSettings(const std::shared_ptr<SettingData>& job);
    static void DeleteSettings(int64_t number);
    // SaveSettings and DeleteSettings reporting what happened, with the error
    // number of the step that failed. A save fails with EINVAL for a null job or
    // a number the job list would never give (the file is then not touched);
    // deleting a number that has no file succeeds.
    static StoreOutcome SaveSettingsWithOutcome(const std::shared_ptr<SettingData>& job);
    static StoreOutcome DeleteSettingsWithOutcome(int64_t number);
    // The bytes of the job's XML file.
    static std::string XMLData(const std::shared_ptr<SettingData>& job);

private:
    AtomicProperty<std::optional<std::string>> mJobNo{std::string()};
    AtomicProperty<std::string> mJobName;
    AtomicProperty<int64_t> mColorMode{0};
    AtomicProperty<int64_t> mPaperSize{0};
    AtomicProperty<int64_t> mResolution{1}; // "Dpi200", not the table's first entry
    AtomicProperty<int64_t> mReadingSurface{0};
    AtomicProperty<int64_t> mFileFormat{0};
    AtomicProperty<std::shared_ptr<SendSetting>> mSendSetting;
};
