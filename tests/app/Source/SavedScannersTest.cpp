// The saved scanners file: what it keeps, how it is written, and that a file
// it cannot read is reported and left as it is.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>

#include "FWKVXSDK/ScratchFolder.h"
#include "LocalizedStrings.h"
#include "SavedScannerCheck.h"
#include "SavedScanners.h"

namespace {
class SavedScannersFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        ::setenv("XDG_CONFIG_HOME", (scratch.path() / "config").c_str(), 1);
        LocalizedStrings::setLanguage("en");
    }

    static mode_t modeOf(const std::string& path)
    {
        struct stat info {};
        return ::stat(path.c_str(), &info) == 0 ? info.st_mode & 07777 : 0;
    }

    ScratchFolder scratch;
};

std::shared_ptr<ScannerData> scanner(const std::string& name, const std::string& address)
{
    auto record = std::make_shared<ScannerData>();
    record->setScannerName(name);
    record->setScannerIp(address);
    return record;
}
} // namespace

TEST_F(SavedScannersFile, KeepsAddressesInTheirOrderWrittenWholeForTheOwnerOnly)
{
    EXPECT_TRUE(SavedScanners::load().scanners.empty()) << "no file yet: nothing saved, nothing wrong";
    EXPECT_TRUE(SavedScanners::load().problem.empty());
    EXPECT_EQ(SavedScanners::add("192.0.2.7", "VX200:Front:A1"), "");
    EXPECT_EQ(SavedScanners::add("192.0.2.9", "VX600:Back:B2"), "");
    EXPECT_EQ(SavedScanners::add("192.0.2.7", "VX200:Renamed:A1"), "") << "saved again: the entry takes the new name";
    const auto list = SavedScanners::load();
    ASSERT_EQ(list.scanners.size(), 2u);
    EXPECT_EQ(list.scanners[0].address, "192.0.2.7");
    EXPECT_EQ(list.scanners[0].name, "VX200:Renamed:A1");
    EXPECT_EQ(SavedScanners::addresses(list), (std::vector<std::string>{"192.0.2.7", "192.0.2.9"}));

    const std::string path = SavedScanners::filePath();
    EXPECT_EQ(path, (scratch.path() / "config/fernwick-vantix/scanners.json").string());
    EXPECT_EQ(modeOf(path), 0600u);
    EXPECT_EQ(modeOf((scratch.path() / "config/fernwick-vantix").string()), 0700u);
    EXPECT_EQ(readWholeFile(path), "{\n  \"format\": \"fernwick-vantix-scanners\",\n  \"version\": 1,\n"
                                   "  \"scanners\": [\n    {\n      \"address\": \"192.0.2.7\",\n"
                                   "      \"name\": \"VX200:Renamed:A1\"\n    },\n    {\n"
                                   "      \"address\": \"192.0.2.9\",\n      \"name\": \"VX600:Back:B2\"\n    }\n  ]\n}\n");

    EXPECT_EQ(SavedScanners::remove("192.0.2.7"), "");
    EXPECT_EQ(SavedScanners::remove("192.0.2.7"), LocalizedStrings::format("ErrorScannerNotSaved", {"192.0.2.7"}));
    EXPECT_EQ(SavedScanners::addresses(SavedScanners::load()), std::vector<std::string>{"192.0.2.9"});
    // Replaced whole: nothing but the file itself is left in the folder.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(scratch.path() / "config/fernwick-vantix"),
                            std::filesystem::directory_iterator()),
              1);

    for (int i = 1; i < static_cast<int>(SavedScanners::kMaximumScanners); ++i) {
        ASSERT_EQ(SavedScanners::add("198.51.100." + std::to_string(i), ""), "");
    }
    EXPECT_EQ(SavedScanners::add("203.0.113.1", ""),
              LocalizedStrings::format("ErrorSavedScannersFull", {std::to_string(SavedScanners::kMaximumScanners)}));
}

TEST_F(SavedScannersFile, AFileThatCannotBeReadIsReportedAndNeverWrittenOver)
{
    const std::string entry = R"({"address":"192.0.2.7","name":"A"})";
    const std::string head = R"({"format":"fernwick-vantix-scanners","version":1,"scanners":[)";
    const struct {
        std::string contents;
        std::string reason;
    } cases[] = {
        {"{\"format\":", LocalizedStrings::format("SavedScannersSyntax", {"11"})},
        {R"({"printers":[]})", LocalizedStrings::text("SavedScannersForeign")},
        {R"({"format":"fernwick-vantix-scanners","version":2,"scanners":[],"groups":[]})",
         LocalizedStrings::format("SavedScannersNewer", {"2", "1"})},
        {head + entry + "," + entry + "]}", LocalizedStrings::format("SavedScannersDamaged", {"/scanners/1/address"})},
        {head + R"({"address":"printer.local","name":"A"}]})",
         LocalizedStrings::format("SavedScannersDamaged", {"/scanners/0/address"})},
        {head + R"({"address":"192.0.2.7","name":"A","port":8443}]})",
         LocalizedStrings::format("SavedScannersDamaged", {"/scanners/0/port"})},
        {std::string(70 * 1024, ' '), LocalizedStrings::text("SavedScannersTooLarge")},
    };
    std::filesystem::create_directories(scratch.path() / "config/fernwick-vantix");
    const std::string path = SavedScanners::filePath();
    for (const auto& each : cases) {
        SCOPED_TRACE(each.contents.substr(0, 80));
        scratch.write("config/fernwick-vantix/scanners.json", each.contents);
        const std::string problem = LocalizedStrings::format("ErrorSavedScannersFile", {path, each.reason});
        const auto list = SavedScanners::load();
        EXPECT_EQ(list.problem, problem);
        EXPECT_TRUE(list.scanners.empty());
        EXPECT_EQ(SavedScanners::add("192.0.2.8", "B"), problem);
        EXPECT_EQ(SavedScanners::remove("192.0.2.7"), problem);
        EXPECT_EQ(readWholeFile(path), each.contents) << "left as it was";
    }
    std::filesystem::remove(path);
    std::filesystem::create_directory(path);
    EXPECT_EQ(SavedScanners::load().problem,
              LocalizedStrings::format("ErrorSavedScannersFile", {path, LocalizedStrings::text("SavedScannersNotAFile")}));
}

TEST(SavedScannerRows, AnAddressFoundBothWaysIsOneRowAfterTheDiscoveredOnes)
{
    const auto front = scanner("VX200:Front:A1", "192.0.2.7");
    const auto lobby = scanner("VX600:Lobby:C3", "192.0.2.8");
    const auto frontByAddress = scanner("VX200:Front:A1", "192.0.2.7");
    const auto branch = scanner("VX600:Branch:D4", "198.51.100.5");
    const std::vector<std::shared_ptr<ScannerData>> rows =
        SavedScannerCheck::merge({front, lobby}, {frontByAddress, branch});
    EXPECT_EQ(rows, (std::vector<std::shared_ptr<ScannerData>>{front, lobby, branch}));
    EXPECT_EQ(SavedScannerCheck::merge({}, {branch}), std::vector<std::shared_ptr<ScannerData>>{branch});
}
