#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <map>

#include <nlohmann/json.hpp>

#include "CliProcess.h"
#include "FWKVXSDK/EnumExtensions.h"
#include "FWKVXSDK/JobFolder.h"
#include "FWKVXSDK/ScratchFolder.h"
#include "FWKVXSDK/SettingData.h"
#include "LocalizedStrings.h"

namespace {
std::string en(const char* key)
{
    return LocalizedStrings::textIn("en", key);
}

std::shared_ptr<SettingData> makeJob(int number, const std::string& name, const std::string& path)
{
    auto job = std::make_shared<SettingData>();
    job->setJobNo(std::to_string(number));
    job->setJobName(name);
    job->sendSetting()->setSendPath(path);
    return job;
}

// A valid job object of a version 1 bundle.
nlohmann::json bundleJob(int number)
{
    return {{"jobNo", number},          {"jobName", "Job " + std::to_string(number)},
            {"colorMode", "Color"},     {"paperSize", "Auto"},
            {"resolution", "Dpi200"},   {"readingSurface", "SkipWhite"},
            {"fileFormat", "Pdf"},      {"destinationType", "ShareFolder"},
            {"userName", ""},           {"sendPath", "\\\\srv\\scans"}};
}

nlohmann::json bundleOf(const std::vector<nlohmann::json>& jobs)
{
    return {{"format", "fernwick-vantix-jobs"}, {"version", 1}, {"withPasswords", false}, {"jobs", jobs}};
}

// Job bundles: export and import of the whole job set.
class CliBundle : public ::testing::Test {
protected:
    void SetUp() override
    {
        ::setenv("XDG_DATA_HOME", folder.path().c_str(), 1);
        LocalizedStrings::setLanguage("en");
        JobFolder::ensureExists();
    }

    std::filesystem::path jobFolder() const { return SettingData::userAppRootFolderPath(); }

    // Every entry of the job folder with its bytes: what "nothing written" compares.
    std::map<std::string, std::string> jobFolderContents() const
    {
        std::map<std::string, std::string> entries;
        for (const auto& entry : std::filesystem::directory_iterator(jobFolder())) {
            entries[entry.path().filename().string()] =
                entry.is_regular_file() ? readWholeFile(entry.path()) : std::string("(folder)");
        }
        return entries;
    }

    std::string file(const std::string& name) const { return (folder.path() / name).string(); }

    ScratchFolder folder;
};
} // namespace

TEST_F(CliBundle, ExportRemoveAllImportAndExportAgainGivesTheSameBytes)
{
    auto first = makeJob(1, "Factures \xC3\xA9t\xC3\xA9 & <co> \"quoted\"", "\\\\srv\\fin\\2024");
    first->sendSetting()->setDestinationType(DestinationType::DeviceStorage);
    auto second = makeJob(7, "Two\nlines\tand a tab", "//nas/scans");
    second->setColorMode(ColorMode::Monochrome);
    second->setPaperSize(PaperSize::A4);
    second->setResolution(Resolution::Dpi300);
    second->setReadingSurface(ReadingSurface::BothSide);
    second->setFileFormat(FileFormat::Tiff);
    second->sendSetting()->setUserName("DOMAIN\\scan user");
    second->sendSetting()->setPassword("s3cret \xE2\x9C\x93");
    SettingData::SaveSettings(first);
    SettingData::SaveSettings(second);
    SettingData::SaveSettings(makeJob(99, "Last", "p"));

    for (const bool withPasswords : {true, false}) {
        SCOPED_TRACE(withPasswords ? "with passwords" : "without passwords");
        std::vector<std::string> exportArguments{"jobs", "export", file("first.json")};
        if (withPasswords) {
            exportArguments.push_back("--with-passwords");
        }
        const auto exported = runVantix(exportArguments);
        ASSERT_EQ(exported.status, 0) << exported.err;
        EXPECT_EQ(exported.out, LocalizedStrings::format("CliExported", {"3", file("first.json")}) + "\n");
        ASSERT_EQ(runVantix({"jobs", "rm", "--all"}).status, 0);
        const auto imported = runVantix({"jobs", "import", file("first.json")});
        ASSERT_EQ(imported.status, 0) << imported.err;
        EXPECT_EQ(imported.out, LocalizedStrings::format("CliImported", {"3", "0"}) + "\n");
        exportArguments[2] = file("second.json");
        ASSERT_EQ(runVantix(exportArguments).status, 0);
        EXPECT_EQ(readWholeFile(file("second.json")), readWholeFile(file("first.json")));
        if (withPasswords) {
            // Nothing lost on the way: the job files are as at the start.
            EXPECT_EQ(SettingData::XMLData(SettingData::ReadSettings(7)), SettingData::XMLData(second));
            EXPECT_EQ(SettingData::XMLData(SettingData::ReadSettings(1)), SettingData::XMLData(first));
        } else {
            EXPECT_EQ(SettingData::ReadSettings(7)->sendSetting()->password(), "");
        }
    }
}

TEST_F(CliBundle, SharePasswordsOnlyWithTheOptionAndThenForTheOwnerOnly)
{
    auto job = makeJob(2, "Scans", "\\\\srv\\scans");
    job->sendSetting()->setPassword("hunter2");
    SettingData::SaveSettings(job);
    const mode_t previous = ::umask(022);
    const auto plain = runVantix({"jobs", "export", file("plain.json")});
    const auto secret = runVantix({"jobs", "export", file("secret.json"), "--with-passwords"});
    // Over an existing readable file too: the new file replaces it, with its own mode.
    const auto over = runVantix({"jobs", "export", file("plain.json"), "--with-passwords"});
    ::umask(previous);
    ASSERT_EQ(plain.status, 0);
    ASSERT_EQ(secret.status, 0);
    ASSERT_EQ(over.status, 0);
    struct stat info {};
    ASSERT_EQ(::stat(file("secret.json").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
    ASSERT_EQ(::stat(file("plain.json").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
    EXPECT_NE(readWholeFile(file("secret.json")).find("\"password\": \"hunter2\""), std::string::npos);

    ASSERT_EQ(runVantix({"jobs", "export", file("plain.json")}).status, 0);
    const auto bytes = readWholeFile(file("plain.json"));
    EXPECT_EQ(bytes.find("hunter2"), std::string::npos);
    EXPECT_EQ(bytes.find("\"password\""), std::string::npos);
    for (const auto& run : {plain, secret, over}) {
        EXPECT_EQ(run.out.find("hunter2"), std::string::npos);
        EXPECT_EQ(run.err.find("hunter2"), std::string::npos);
    }

    const auto imported = runVantix({"jobs", "import", file("plain.json"), "--replace"});
    EXPECT_EQ(imported.status, 0);
    EXPECT_EQ(imported.err, en("CliImportNoPasswords") + "\n") << "the user learns that the passwords are missing";
    EXPECT_EQ(SettingData::ReadSettings(2)->sendSetting()->password(), "");
}

TEST_F(CliBundle, EveryRefusalWritesNothing)
{
    SettingData::SaveSettings(makeJob(1, "One", "p1"));
    SettingData::SaveSettings(makeJob(2, "Two", "p2"));
    const auto before = jobFolderContents();

    const auto withJob = [](nlohmann::json job) { return bundleOf({bundleJob(3), job}).dump(); };
    const auto changed = [](int number, const char* key, const nlohmann::json& value) {
        auto job = bundleJob(number);
        job[key] = value;
        return job;
    };
    const auto damaged = [&](const std::string& place) {
        return LocalizedStrings::format("CliErrorBundleDamaged", {file("b.json"), place});
    };
    const auto invalid = [](const char* number, const char* rule) {
        return LocalizedStrings::format("CliErrorImportInvalidJob", {number, en(rule)});
    };
    auto withPasswordLeftIn = bundleJob(4);
    withPasswordLeftIn["password"] = "x";
    auto withExtraKey = bundleJob(4);
    withExtraKey["comment"] = "x";
    auto monochromeJpeg = changed(4, "fileFormat", "Jpeg");
    monochromeJpeg["colorMode"] = "Monochrome";
    auto newer = bundleOf({});
    newer["version"] = 2;
    newer["compression"] = "zstd";
    const std::string tooLarge = bundleOf({bundleJob(3)}).dump() + std::string(1024 * 1024, ' ');

    const struct {
        const char* what;
        std::string content;
        std::string message;
    } cases[] = {
        {"a newer format version", newer.dump(),
         LocalizedStrings::format("CliErrorBundleNewer", {file("b.json"), "2", "1"})},
        {"not a bundle", R"({"jobs":[]})", LocalizedStrings::format("CliErrorBundleNotBundle", {file("b.json")})},
        {"over 1 MiB", tooLarge, LocalizedStrings::format("CliErrorBundleTooLarge", {file("b.json")})},
        {"a keyword not in its table", withJob(changed(4, "colorMode", "Colour")), damaged("/jobs/1/colorMode")},
        {"a number twice", withJob(bundleJob(3)), damaged("/jobs/1/jobNo")},
        {"a number beyond 99", withJob(changed(100, "jobName", "x")), damaged("/jobs/1/jobNo")},
        {"a number as text", withJob(changed(4, "jobNo", "4")), damaged("/jobs/1/jobNo")},
        {"a missing member", withJob(nlohmann::json{{"jobNo", 4}}), damaged("/jobs/1/jobName")},
        {"an unknown member", withJob(withExtraKey), damaged("/jobs/1/comment")},
        {"a password the bundle says it has not", withJob(withPasswordLeftIn), damaged("/jobs/1/password")},
        {"a character no job file holds", withJob(changed(4, "jobName", "bell\x07")), damaged("/jobs/1/jobName")},
        {"nested too deep", withJob(changed(4, "jobName", nlohmann::json::parse("[[[[1]]]]"))),
         damaged("/jobs/1/jobName")},
        {"the editor's rules: Monochrome with JPEG", withJob(monochromeJpeg),
         invalid("4", "ErrorInvalidCombiMonoJpeg")},
        {"the editor's rules: a forbidden path character", withJob(changed(4, "sendPath", "\\\\srv\\what?")),
         invalid("4", "ErrorInvalidCharacters")},
        {"the editor's rules: no name", withJob(changed(4, "jobName", "")), invalid("4", "ErrorJobName")},
        {"a number that exists, without --replace", bundleOf({bundleJob(3), bundleJob(2)}).dump(),
         LocalizedStrings::format("CliErrorBundleJobsExist", {"2"})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        folder.write("b.json", c.content);
        const auto run = runVantix({"jobs", "import", file("b.json")});
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.err, c.message + "\n");
        EXPECT_EQ(run.out, "");
        EXPECT_EQ(jobFolderContents(), before);
    }

    folder.write("b.json", "{\"format\": \"fernwick-vantix-jobs\", \"version\": 1,");
    const auto broken = runVantix({"jobs", "import", file("b.json"), "--replace"});
    EXPECT_EQ(broken.status, 1);
    const std::string syntax = LocalizedStrings::format("CliErrorBundleSyntax", {file("b.json"), "\x01"});
    EXPECT_EQ(broken.err.substr(0, syntax.find('\x01')), syntax.substr(0, syntax.find('\x01')));
    const auto unreadable = runVantix({"jobs", "import", folder.path().string(), "--replace"});
    EXPECT_EQ(unreadable.err, LocalizedStrings::format("CliErrorBundleOpen", {folder.path().string()}) + "\n");
    EXPECT_EQ(jobFolderContents(), before);
}

TEST_F(CliBundle, ReplaceKeepsExactlyTheBundlesJobsOtherwiseTheyAreAdded)
{
    for (const int number : {1, 2, 5}) {
        SettingData::SaveSettings(makeJob(number, "Old " + std::to_string(number), "p"));
    }
    folder.write("b.json", bundleOf({bundleJob(2), bundleJob(3)}).dump());
    const auto replaced = runVantix({"jobs", "import", file("b.json"), "--replace"});
    EXPECT_EQ(replaced.status, 0) << replaced.err;
    EXPECT_EQ(replaced.out, LocalizedStrings::format("CliImported", {"2", "2"}) + "\n");
    EXPECT_EQ(SettingData::GetFileListNo(), (std::vector<int64_t>{2, 3}));
    EXPECT_EQ(SettingData::ReadSettings(2)->jobName(), "Job 2");

    folder.write("b.json", bundleOf({bundleJob(9)}).dump());
    EXPECT_EQ(runVantix({"jobs", "import", file("b.json")}).status, 0);
    EXPECT_EQ(SettingData::GetFileListNo(), (std::vector<int64_t>{2, 3, 9}));
}

TEST_F(CliBundle, AWriteThatFailsHalfWayPutsTheJobSetBack)
{
    for (const int number : {1, 2, 3}) {
        SettingData::SaveSettings(makeJob(number, "Old " + std::to_string(number), "p"));
    }
    // Job 4's file cannot be written: a folder holds its name.
    std::filesystem::create_directory(jobFolder() / "Job-4.xml");
    const auto before = jobFolderContents();
    std::vector<nlohmann::json> jobs;
    for (int number = 1; number <= 6; ++number) {
        jobs.push_back(bundleJob(number));
    }
    folder.write("b.json", bundleOf(jobs).dump());
    const auto run = runVantix({"jobs", "import", file("b.json"), "--replace"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, LocalizedStrings::format("ErrorSaveJobBecause", {"4", "Is a directory"}) + "\n" +
                           en("CliImportRolledBack") + "\n");
    EXPECT_EQ(jobFolderContents(), before) << "jobs 1 to 3 as they were, no job 5 or 6, no file left behind";
}

TEST_F(CliBundle, ExportNeverWritesABundleThatImportWouldRefuse)
{
    SettingData::SaveSettings(makeJob(1, "Good", "p"));
    auto unnumbered = makeJob(0, "Saved without a number", "p");
    unnumbered->setJobNo(""); // "Job-.xml", listed as number 0
    SettingData::SaveSettings(unnumbered);
    const auto skipped = runVantix({"jobs", "export", file("b.json")});
    EXPECT_EQ(skipped.status, 0);
    EXPECT_EQ(skipped.err, LocalizedStrings::format("CliWarnBundleSkipped", {"0"}) + "\n");
    const auto bundle = nlohmann::json::parse(readWholeFile(file("b.json")));
    ASSERT_EQ(bundle["jobs"].size(), 1u);
    EXPECT_EQ(bundle["jobs"][0]["jobNo"], 1);

    SettingData::SaveSettings(makeJob(2, "No path", ""));
    const auto refused = runVantix({"jobs", "export", file("c.json")});
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.err, LocalizedStrings::format("CliWarnBundleSkipped", {"0"}) + "\n" +
                               LocalizedStrings::format("CliErrorExportInvalidJob", {"2", en("ErrorSendPath")}) +
                               "\n");
    EXPECT_FALSE(std::filesystem::exists(file("c.json")));
}

TEST_F(CliBundle, TheFirstStartTakesThePresetBundleOnceAndARefusedOneImportsNothing)
{
    // The first folder of XDG_CONFIG_DIRS that holds a bundle counts; relative entries do not.
    std::filesystem::create_directories(folder.path() / "site/fernwick-vantix");
    std::filesystem::create_directories(folder.path() / "vendor/fernwick-vantix");
    const std::string preset =
        folder.write("site/fernwick-vantix/jobs.json", bundleOf({bundleJob(3), bundleJob(8)}).dump()).string();
    folder.write("vendor/fernwick-vantix/jobs.json", bundleOf({bundleJob(1)}).dump());
    std::map<std::string, std::string> env{
        {"XDG_DATA_HOME", file("fresh")},
        {"XDG_CONFIG_DIRS", "relative:" + file("empty") + ":" + file("site") + ":" + file("vendor")}};
    const auto first = runVantix({"jobs", "list"}, "", env);
    EXPECT_EQ(first.err, LocalizedStrings::format("PresetJobsImported", {preset, "2"}) + "\n");
    EXPECT_EQ(first.outLines().size(), 2u) << first.out;
    ASSERT_EQ(runVantix({"jobs", "rm", "--all"}, "", env).status, 0);
    EXPECT_EQ(runVantix({"jobs", "list", "--json"}, "", env).out, "[]\n")
        << "a job folder that exists, even empty, is never filled again";

    folder.write("site/fernwick-vantix/jobs.json", bundleOf({bundleJob(3), bundleJob(3)}).dump());
    env["XDG_DATA_HOME"] = file("other");
    const auto refused = runVantix({"jobs", "list", "--json"}, "", env);
    EXPECT_EQ(refused.out, "[]\n");
    EXPECT_EQ(refused.err, LocalizedStrings::format("PresetJobsRefused",
                                                    {preset, LocalizedStrings::format("CliErrorBundleDamaged",
                                                                                      {preset, "/jobs/1/jobNo"})}) +
                               "\n");
    EXPECT_EQ(runVantix({"jobs", "list"}, "", env).err, "") << "reported once, at the first start";
}
