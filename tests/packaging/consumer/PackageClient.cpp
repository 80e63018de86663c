// Uses the installed library as a program outside the project would: stores a
// job in the job folder ($XDG_DATA_HOME) and reads it back, and makes the
// records and the REST client. Sends nothing: the client's discovery is never
// asked to search. Exit status 0 when every check holds.
#include <cstdio>
#include <memory>
#include <vector>

#include "FWKVXSDK/DiscoveryManager/DiscoveryManager.h"
#include "FWKVXSDK/EnumExtensions.h"
#include "FWKVXSDK/JobFolder.h"
#include "FWKVXSDK/ScannerData.h"
#include "FWKVXSDK/SettingData.h"
#include "FWKVXSDK/WebApiClient.h"

namespace {
int failures = 0;

void check(bool holds, const char* what)
{
    if (!holds) {
        std::fprintf(stderr, "FAILED: %s\n", what);
        ++failures;
    }
}
} // namespace

int main()
{
    check(JobFolder::ensureExists(), "the job folder exists");

    auto job = std::make_shared<SettingData>();
    job->setJobNo("7");
    job->setJobName("Invoices");
    job->setColorMode(ColorMode::Gray);
    job->setFileFormat(FileFormat::Tiff);
    auto destination = std::make_shared<SendSetting>();
    destination->setSendPath("\\\\server\\scans");
    job->setSendSetting(destination);
    SettingData::SaveSettings(job);

    check(SettingData::GetFileListNo() == std::vector<int64_t>{7}, "the saved job is listed");
    auto read = SettingData::ReadSettings(7);
    check(read->jobNo() == "7" && read->jobName() == "Invoices", "number and name read back");
    check(read->colorMode() == ColorMode::Gray && read->fileFormat() == FileFormat::Tiff,
          "settings read back");
    check(read->sendSetting() && read->sendSetting()->sendPath() == "\\\\server\\scans",
          "destination read back");
    check(ColorModeTable().stringFromEnum(read->colorMode()) == "Gray", "keyword table");

    auto scanner = std::make_shared<ScannerData>();
    scanner->setScannerIp("127.0.0.2");
    check(scanner->scannerIp() == "127.0.0.2" && scanner->internalCode() == 0, "scanner record");
    check(DiscoveryManager::MakeSendPacket().value_or(std::vector<uint8_t>()).size() == 37, "discovery query");

    WebApiClient client;
    check(client.GetJsonForRegister(read, "1234").value("job_id", 0) == 7, "registration body");
    client.terminate();
    check(!client.GetHostListWithCompletion([](bool, std::vector<std::shared_ptr<ScannerData>>) {}),
          "no search after terminate");
    return failures == 0 ? 0 : 1;
}
