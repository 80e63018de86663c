// The saved scanners file: what it keeps, how it is written, and that a file
// it cannot read is reported and left as it is.
#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <system_error>
#include <thread>

#include "FWKVXSDK/ScratchFolder.h"
#include "LocalizedStrings.h"
#include "SavedScanners.h"

namespace fs = std::filesystem;
namespace {
class SavedScannersFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        ::setenv("XDG_CONFIG_HOME", (scratch.path() / "config").c_str(), 1);
        LocalizedStrings::setLanguage("en");
    }

    ScratchFolder scratch;
    const fs::path folder = scratch.path() / "config/fernwick-vantix";
    const std::string path = (folder / "scanners.json").string();
};
} // namespace

TEST_F(SavedScannersFile, KeepsAddressesInTheirOrderWrittenWholeForTheOwnerOnly)
{
    EXPECT_EQ(SavedScanners::add("192.0.2.7", "VX200:Front:A1"), "") << "no file yet: an empty list";
    EXPECT_EQ(SavedScanners::add("192.0.2.9", "VX600:Back:B2"), "");
    EXPECT_EQ(SavedScanners::add("192.0.2.7", "VX200:Renamed:A1"), "") << "saved again: renamed in place";
    EXPECT_EQ(readWholeFile(path), "{\n  \"format\": \"fernwick-vantix-scanners\",\n  \"version\": 1,\n"
                                   "  \"scanners\": [\n    {\n      \"address\": \"192.0.2.7\",\n"
                                   "      \"name\": \"VX200:Renamed:A1\"\n    },\n    {\n"
                                   "      \"address\": \"192.0.2.9\",\n      \"name\": \"VX600:Back:B2\"\n    }\n  ]\n}\n");
    EXPECT_EQ(fs::status(path).permissions(), fs::perms(0600));
    EXPECT_EQ(fs::status(folder).permissions(), fs::perms(0700));

    EXPECT_EQ(SavedScanners::remove("192.0.2.7"), "");
    EXPECT_EQ(SavedScanners::remove("192.0.2.7"), LocalizedStrings::format("ErrorScannerNotSaved", {"192.0.2.7"}));
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1)
        << "replaced whole: no other file is left behind";
    for (int i = 1; i < static_cast<int>(SavedScanners::kMaximumScanners); ++i) {
        ASSERT_EQ(SavedScanners::add("198.51.100." + std::to_string(i), ""), "");
    }
    EXPECT_EQ(SavedScanners::add("203.0.113.1", ""), LocalizedStrings::format("ErrorSavedScannersFull", {"64"}));
}

TEST_F(SavedScannersFile, AFileThatCannotBeReadIsReportedAndNeverWrittenOver)
{
    const auto expectRefused = [&](const std::string& reason) {
        const std::string problem = LocalizedStrings::format("ErrorSavedScannersFile", {path, reason});
        EXPECT_EQ(SavedScanners::load().problem, problem);
        EXPECT_EQ(SavedScanners::add("192.0.2.8", "B"), problem);
    };
    const std::string entry = R"({"address":"192.0.2.7","name":"A"})";
    const std::pair<std::string, std::string> cases[] = {
        {"{\"format\":", LocalizedStrings::format("SavedScannersSyntax", {"11"})},
        {R"({"printers":[]})", LocalizedStrings::text("SavedScannersForeign")},
        {R"({"format":"fernwick-vantix-scanners","version":2,"scanners":[],"groups":[]})",
         LocalizedStrings::format("SavedScannersNewer", {"2", "1"})},
        {R"({"format":"fernwick-vantix-scanners","version":1,"scanners":[)" + entry + "," + entry + "]}",
         LocalizedStrings::format("SavedScannersDamaged", {"/scanners/1/address"})},
        {std::string(70 * 1024, ' '), LocalizedStrings::text("SavedScannersTooLarge")},
    };
    fs::create_directories(folder);
    for (const auto& [contents, reason] : cases) {
        SCOPED_TRACE(contents.substr(0, 80));
        scratch.write("config/fernwick-vantix/scanners.json", contents);
        expectRefused(reason);
        EXPECT_EQ(readWholeFile(path), contents) << "left as it was";
    }
    fs::remove(path);
    fs::create_symlink("scanners.json", path); // a link to itself: no file can be read through it
    expectRefused(LocalizedStrings::format("SavedScannersUnreadable", {std::generic_category().message(ELOOP)}));
    EXPECT_TRUE(fs::is_symlink(path));
    fs::remove(path);
    fs::create_directory(path);
    expectRefused(LocalizedStrings::text("SavedScannersNotAFile"));
}

TEST_F(SavedScannersFile, WritersAtTheSameTimeLoseNoEntry)
{
    // Each change reads, changes and writes the whole file; only the folder's
    // lock keeps one writer's file from replacing another's.
    {
        std::vector<std::jthread> writers;
        for (int writer = 0; writer < 4; ++writer) {
            writers.emplace_back([writer] {
                for (int i = 0; i < 8; ++i) {
                    EXPECT_EQ(SavedScanners::add("198.51." + std::to_string(writer) + "." + std::to_string(i), ""), "");
                }
            });
        }
    }
    EXPECT_EQ(SavedScanners::load().scanners.size(), 32u);
}
