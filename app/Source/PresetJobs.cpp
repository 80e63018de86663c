#include "PresetJobs.h"

#include <sys/stat.h>

#include "ConfigFolders.h"
#include "FWKVXSDK/JobFolder.h"
#include "FWKVXSDK/SettingData.h"
#include "LocalizedStrings.h"

PresetJobs::Start PresetJobs::prepareJobFolder(JobBundleTransfer::Audience audience)
{
    Start start;
    struct stat info {};
    const bool firstStart = ::stat(SettingData::userAppRootFolderPath().c_str(), &info) != 0;
    start.folderReady = JobFolder::ensureExists();
    if (!firstStart || !start.folderReady) {
        return start;
    }
    const auto bundle = ConfigFolders::systemFile(kFileName);
    if (!bundle) {
        return start;
    }
    start.presetFound = true;
    const auto outcome = JobBundleTransfer::importJobs(*bundle, false, audience);
    start.imported = outcome.succeeded;
    if (outcome.succeeded) {
        start.report = LocalizedStrings::format("PresetJobsImported", {*bundle, std::to_string(outcome.jobs)});
        return start;
    }
    start.report = LocalizedStrings::format("PresetJobsRefused", {*bundle, outcome.message});
    for (const auto& note : outcome.notes) {
        start.report += "\n" + note;
    }
    return start;
}
