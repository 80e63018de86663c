#include <gtest/gtest.h>

#include <signal.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "FWKVXSDK/EnumExtensions.h"
#include "FWKVXSDK/JobFolder.h"
#include "FWKVXSDK/SettingData.h"
#include "FWKVXSDK/XMLDictionary.h"
#include "ScratchFolder.h"

namespace fs = std::filesystem;

namespace {

// Sets an environment variable for the life of the object.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : mName(name)
    {
        if (const char* old = std::getenv(name)) {
            mOld = old;
        }
        if (value) {
            ::setenv(name, value, 1);
        } else {
            ::unsetenv(name);
        }
    }
    ~ScopedEnv()
    {
        if (mOld) {
            ::setenv(mName.c_str(), mOld->c_str(), 1);
        } else {
            ::unsetenv(mName.c_str());
        }
    }

private:
    std::string mName;
    std::optional<std::string> mOld;
};

const std::string kHeader = R"(<?xml version="1.0" encoding="utf-8"?>)"
                            R"(<SettingData xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance")"
                            R"( xmlns:xsd="http://www.w3.org/2001/XMLSchema">)";

std::shared_ptr<SettingData> sampleJob(const std::string& number)
{
    auto job = std::make_shared<SettingData>();
    job->setJobNo(number);
    job->setJobName("Invoices");
    job->setColorMode(ColorMode::Gray);
    job->setPaperSize(PaperSize::A4);
    job->setResolution(Resolution::Dpi300);
    job->setReadingSurface(ReadingSurface::BothSide);
    job->setFileFormat(FileFormat::PdfOcr);
    job->sendSetting()->setDestinationType(DestinationType::ShareFolder);
    job->sendSetting()->setUserName("office\\scan");
    job->sendSetting()->setPassword("p&ss<w>rd");
    job->sendSetting()->setSendPath("\\\\server\\share\\in");
    return job;
}

void expectSameJob(const SettingData& actual, const SettingData& expected)
{
    EXPECT_EQ(actual.jobNo(), expected.jobNo());
    EXPECT_EQ(actual.jobName(), expected.jobName());
    EXPECT_EQ(actual.colorMode(), expected.colorMode());
    EXPECT_EQ(actual.paperSize(), expected.paperSize());
    EXPECT_EQ(actual.resolution(), expected.resolution());
    EXPECT_EQ(actual.readingSurface(), expected.readingSurface());
    EXPECT_EQ(actual.fileFormat(), expected.fileFormat());
    EXPECT_EQ(actual.sendSetting()->destinationType(), expected.sendSetting()->destinationType());
    EXPECT_EQ(actual.sendSetting()->userName(), expected.sendSetting()->userName());
    EXPECT_EQ(actual.sendSetting()->password(), expected.sendSetting()->password());
    EXPECT_EQ(actual.sendSetting()->sendPath(), expected.sendSetting()->sendPath());
}

void expectDefaultsExceptNumber(const SettingData& job)
{
    SettingData defaults;
    defaults.setJobNo(job.jobNo());
    expectSameJob(job, defaults);
}

std::set<std::string> namesIn(const fs::path& folder)
{
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.insert(entry.path().filename().string());
    }
    return names;
}

// Mounting needs private user and mount namespaces, and only a single-threaded
// process (never one with a sanitizer) may enter a user namespace: so the case
// runs again under unshare, which enters them first. Returns "passed", "skip:
// <why>" where user namespaces are not available, or the failed run's output.
std::string runThisCaseInPrivateNamespaces()
{
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    const std::string command = "VANTIX_PRIVATE_TMPFS=1 unshare --user --map-root-user --mount -- '" +
                                fs::read_symlink("/proc/self/exe").string() + "' --gtest_filter=" +
                                test->test_suite_name() + "." + test->name() + " 2>&1";
    std::string output;
    FILE* pipe = ::popen(command.c_str(), "r");
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
        output.append(buffer, n);
    }
    const bool exited = ::pclose(pipe) == 0;
    if (output.rfind("unshare: ", 0) == 0) {
        return "skip: " + output;
    }
    return exited && output.find("[  PASSED  ] 1 test.") != std::string::npos ? "passed" : output;
}

// Every test gets its own empty job folder.
class JobStore : public ::testing::Test {
protected:
    JobStore() : mEnv("XDG_DATA_HOME", mData.path().c_str()) {}

    void SetUp() override { ASSERT_TRUE(JobFolder::ensureExists()); }

    fs::path folder() const { return mData.path() / "fernwick-vantix"; }
    fs::path jobFile(const std::string& number) const { return folder() / ("Job-" + number + ".xml"); }
    void writeJobFile(const std::string& name, const std::string& contents) const
    {
        std::ofstream(folder() / name, std::ios::binary) << contents;
    }

private:
    ScratchFolder mData;
    ScopedEnv mEnv;
};

} // namespace

// --- The job folder --------------------------------------------------------

TEST(JobFolderPath, FollowsTheXdgDataHomeRules)
{
    ScopedEnv home("HOME", "/home/alice");
    {
        ScopedEnv data("XDG_DATA_HOME", "/data/x/");
        EXPECT_EQ(SettingData::userAppRootFolderPath(), "/data/x/fernwick-vantix");
    }
    {
        ScopedEnv data("XDG_DATA_HOME", "relative/path");
        EXPECT_EQ(SettingData::userAppRootFolderPath(), "/home/alice/.local/share/fernwick-vantix");
    }
    {
        ScopedEnv data("XDG_DATA_HOME", "");
        EXPECT_EQ(SettingData::userAppRootFolderPath(), "/home/alice/.local/share/fernwick-vantix");
    }
    {
        ScopedEnv data("XDG_DATA_HOME", nullptr);
        ScopedEnv noHome("HOME", nullptr);
        std::string path = SettingData::userAppRootFolderPath();
        EXPECT_EQ(path.front(), '/') << "the account's home from the user database";
        EXPECT_TRUE(path.ends_with("/.local/share/fernwick-vantix")) << path;
    }
}

TEST(JobFolderPath, EnsureExistsCreatesPrivateFoldersAndTheStoreNeverDoes)
{
    ScratchFolder data;
    ScopedEnv env("XDG_DATA_HOME", (data.path() / "a" / "b").c_str());
    fs::path folder = data.path() / "a" / "b" / "fernwick-vantix";

    SettingData::SaveSettings(std::make_shared<SettingData>());
    EXPECT_FALSE(fs::exists(data.path() / "a")) << "saving does not create the folder";
    EXPECT_TRUE(SettingData::GetFileListNo().empty());

    ASSERT_TRUE(JobFolder::ensureExists());
    struct stat info {};
    ASSERT_EQ(::stat(folder.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
    ASSERT_EQ(::stat((data.path() / "a").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
    EXPECT_TRUE(JobFolder::ensureExists()) << "an existing folder is fine";

    fs::remove_all(data.path() / "a");
    std::ofstream(data.path() / "a") << "in the way";
    EXPECT_FALSE(JobFolder::ensureExists());
}

// --- Writing: the exact document --------------------------------------------

TEST(JobXmlDocument, WritesEveryFieldInOrderWithoutIndentation)
{
    EXPECT_EQ(SettingData::XMLData(sampleJob("12")),
              kHeader
                  + "<JobNo>12</JobNo><JobName>Invoices</JobName><ColorMode>Gray</ColorMode>"
                    "<PaperSize>A4</PaperSize><Resolution>Dpi300</Resolution>"
                    "<ReadingSurface>BothSide</ReadingSurface><FileFormat>PdfOcr</FileFormat>"
                    "<SendSetting><DestinationType>ShareFolder</DestinationType>"
                    "<UserName>office\\scan</UserName><Password>p&amp;ss&lt;w&gt;rd</Password>"
                    "<SendPath>\\\\server\\share\\in</SendPath></SendSetting></SettingData>");
}

TEST(JobXmlDocument, EmptyAbsentAndUnknownValuesBecomeEmptyElements)
{
    auto job = std::make_shared<SettingData>();
    job->setJobNo(std::nullopt);
    job->setColorMode(3);
    job->setPaperSize(-1);
    job->setFileFormat(INT64_MAX);
    job->sendSetting()->setDestinationType(2);
    const std::string expected = kHeader
        + "<JobNo></JobNo><JobName></JobName><ColorMode></ColorMode><PaperSize></PaperSize>"
          "<Resolution>Dpi200</Resolution><ReadingSurface>SkipWhite</ReadingSurface><FileFormat></FileFormat>"
          "<SendSetting><DestinationType></DestinationType><UserName></UserName><Password></Password>"
          "<SendPath></SendPath></SendSetting></SettingData>";
    EXPECT_EQ(SettingData::XMLData(job), expected);

    auto noDestination = std::make_shared<SettingData>();
    noDestination->setSendSetting(nullptr);
    EXPECT_NE(SettingData::XMLData(noDestination).find("<SendSetting><DestinationType>ShareFolder</DestinationType>"
                                                       "<UserName></UserName>"),
              std::string::npos)
        << "a missing destination is written with its defaults";
}

TEST(JobXmlDocument, TextThatXmlCannotHoldStaysReadable)
{
    auto job = sampleJob("4");
    job->setJobName("a\"b'c\r\nd\x01" "e\xFF" "f\xED\xA0\x80g\xEF\xBF\xBFh\tj");
    std::string xml = SettingData::XMLData(job);
    EXPECT_NE(xml.find("<JobName>a\"b'c&#13;\nd\xEF\xBF\xBD" "e\xEF\xBF\xBD" "f\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBDg"
                       "\xEF\xBF\xBDh\tj</JobName>"),
              std::string::npos)
        << xml;
}

// --- Writing: the file ------------------------------------------------------

TEST_F(JobStore, SavedFileIsPrivateAndAcceptedByXmllint)
{
    ::mode_t old = ::umask(0);
    auto job = sampleJob("7");
    job->setJobName("Caf\xC3\xA9 \xE6\x97\xA5\xE6\x9C\xAC & <more>\x02");
    SettingData::SaveSettings(job);
    ::umask(old);

    ASSERT_TRUE(fs::exists(jobFile("7")));
    struct stat info {};
    ASSERT_EQ(::stat(jobFile("7").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u) << "the file holds the share password";
    EXPECT_EQ(readWholeFile(jobFile("7")), SettingData::XMLData(job));
    EXPECT_EQ(namesIn(folder()), (std::set<std::string>{"Job-7.xml"})) << "no temporary file is left";

    if (std::system("command -v xmllint >/dev/null 2>&1") != 0) {
        GTEST_SKIP() << "xmllint is not installed (scripts/install-deps.sh installs it)";
    }
    std::string command = "xmllint --noout --encode utf-8 '" + jobFile("7").string() + "' 2>&1";
    EXPECT_EQ(std::system(command.c_str()), 0);
}

TEST_F(JobStore, SavingAgainReplacesTheFile)
{
    SettingData::SaveSettings(sampleJob("3"));
    auto changed = sampleJob("3");
    changed->setJobName("Renamed");
    SettingData::SaveSettings(changed);
    EXPECT_EQ(readWholeFile(jobFile("3")), SettingData::XMLData(changed));
    EXPECT_EQ(SettingData::ReadSettings(3)->jobName(), "Renamed");
}

TEST_F(JobStore, NumbersThatCouldLeaveTheFolderAreRefused)
{
    for (const char* number : {"../escape", "..", "1/2", "/tmp/x", "5a", "-1", "+5", " 5", "012", "00",
                               "99999999999999999999", "5\n"}) {
        SettingData::SaveSettings(sampleJob(number));
    }
    EXPECT_TRUE(namesIn(folder()).empty());
    EXPECT_EQ(namesIn(folder().parent_path()), (std::set<std::string>{"fernwick-vantix"}));

    SettingData::SaveSettings(sampleJob("0"));
    SettingData::SaveSettings(sampleJob("9223372036854775807"));
    EXPECT_EQ(namesIn(folder()), (std::set<std::string>{"Job-0.xml", "Job-9223372036854775807.xml"}));
}

TEST_F(JobStore, EmptyNumberSavesToJobDotXmlListedAsZero)
{
    auto job = sampleJob("");
    SettingData::SaveSettings(job);
    job->setJobNo(std::nullopt);
    SettingData::SaveSettings(job);
    EXPECT_EQ(namesIn(folder()), (std::set<std::string>{"Job-.xml"}));
    EXPECT_EQ(SettingData::GetFileListNo(), (std::vector<int64_t>{0}));
    auto root = XMLDictionary::dictionaryWithXMLFile(jobFile("").string());
    ASSERT_TRUE(root);
    EXPECT_FALSE(root->contains("JobNo")) << "the empty number is an empty element";
}

// --- Failed saves keep the previous state -----------------------------------

TEST_F(JobStore, FailedSaveOntoADirectoryLeavesItAndNoTemporaryFile)
{
    fs::create_directory(jobFile("5"));
    std::ofstream(jobFile("5") / "keep") << "x";
    EXPECT_EQ(SettingData::SaveSettingsWithOutcome(sampleJob("5")).reason(), "Is a directory");
    EXPECT_TRUE(fs::is_directory(jobFile("5")));
    EXPECT_TRUE(fs::exists(jobFile("5") / "keep"));
    EXPECT_EQ(namesIn(folder()), (std::set<std::string>{"Job-5.xml"}));
}

TEST_F(JobStore, FailedWriteKeepsThePreviousFileWhole)
{
    auto original = sampleJob("8");
    SettingData::SaveSettings(original);
    const std::string before = readWholeFile(jobFile("8"));

    // A file size limit makes the write fail part-way, for root as well.
    auto* previousHandler = ::signal(SIGXFSZ, SIG_IGN);
    struct rlimit oldLimit {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &oldLimit), 0);
    struct rlimit small = oldLimit;
    small.rlim_cur = 64;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    auto changed = sampleJob("8");
    changed->setJobName("this save must not get through");
    const StoreOutcome outcome = SettingData::SaveSettingsWithOutcome(changed);
    ::setrlimit(RLIMIT_FSIZE, &oldLimit);
    EXPECT_EQ(outcome.error, EFBIG);
    ::signal(SIGXFSZ, previousHandler);

    EXPECT_EQ(readWholeFile(jobFile("8")), before);
    EXPECT_EQ(namesIn(folder()), (std::set<std::string>{"Job-8.xml"}));
    expectSameJob(*SettingData::ReadSettings(8), *original);
}

TEST_F(JobStore, ReadOnlyFolderRefusesTheSaveCleanly)
{
    if (::geteuid() == 0) {
        GTEST_SKIP() << "permission bits do not stop root";
    }
    SettingData::SaveSettings(sampleJob("2"));
    const std::string before = readWholeFile(jobFile("2"));
    fs::permissions(folder(), fs::perms::owner_read | fs::perms::owner_exec);
    auto changed = sampleJob("2");
    changed->setJobName("changed");
    EXPECT_EQ(SettingData::SaveSettingsWithOutcome(changed).reason(), "Permission denied");
    EXPECT_EQ(SettingData::DeleteSettingsWithOutcome(2).reason(), "Permission denied");
    SettingData::SaveSettings(sampleJob("4"));
    fs::permissions(folder(), fs::perms::owner_all);
    EXPECT_EQ(readWholeFile(jobFile("2")), before);
    EXPECT_EQ(namesIn(folder()), (std::set<std::string>{"Job-2.xml"}));
}

// A file system of its own, full or read-only for root as well: the save says
// why it failed and the previous file stays whole.
TEST_F(JobStore, AFullOrReadOnlyFileSystemGivesItsReasonAndKeepsTheOldFile)
{
    if (std::getenv("VANTIX_PRIVATE_TMPFS") == nullptr) {
        const std::string outcome = runThisCaseInPrivateNamespaces();
        if (outcome.rfind("skip: ", 0) == 0 && std::getenv("VANTIX_REQUIRE_NETNS") == nullptr) {
            GTEST_SKIP() << "no private user namespace here (" << outcome << ")";
        }
        EXPECT_EQ(outcome, "passed");
        return;
    }
    const fs::path mount = folder().parent_path() / "mnt";
    fs::create_directory(mount);
    ScopedEnv data("XDG_DATA_HOME", mount.c_str());
    const fs::path file = mount / "fernwick-vantix" / "Job-8.xml";
    for (const bool readOnly : {false, true}) {
        ASSERT_EQ(::mount("tmpfs", mount.c_str(), "tmpfs", 0, "size=64k"), 0) << std::strerror(errno);
        ASSERT_TRUE(JobFolder::ensureExists());
        ASSERT_TRUE(SettingData::SaveSettingsWithOutcome(sampleJob("8")).succeeded());
        const std::string before = readWholeFile(file);
        if (readOnly) {
            ASSERT_EQ(::mount(nullptr, mount.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr), 0);
        } else {
            std::ofstream filler(mount / "filler", std::ios::binary);
            const std::string block(4096, 'x');
            while (filler.write(block.data(), block.size())) {
            }
        }
        auto changed = sampleJob("8");
        changed->setJobName("this save must not get through");
        const std::string reason = readOnly ? "Read-only file system" : "No space left on device";
        EXPECT_EQ(SettingData::SaveSettingsWithOutcome(changed).reason(), reason);
        EXPECT_EQ(readWholeFile(file), before);
        EXPECT_EQ(namesIn(file.parent_path()).size(), 1u);
        // A full disk still lets a job go.
        EXPECT_EQ(SettingData::DeleteSettingsWithOutcome(8).reason(), readOnly ? reason : "");
        ASSERT_EQ(::umount(mount.c_str()), 0);
    }
}

// --- Listing ------------------------------------------------------------------

TEST_F(JobStore, ListsJobNumbersAscending)
{
    EXPECT_TRUE(SettingData::GetFileListNo().empty());
    for (const char* n : {"3", "1", "10"}) {
        SettingData::SaveSettings(sampleJob(n));
    }
    EXPECT_EQ(SettingData::GetFileListNo(), (std::vector<int64_t>{1, 3, 10}));
}

TEST_F(JobStore, ListingSkipsWhatIsNoJobFile)
{
    SettingData::SaveSettings(sampleJob("4"));
    for (const char* name : {"Job-2.XML", "foo.xml", "a.xml", "x.xml", ".xml", "xml", "Job-6.xml.bak",
                             "Job-012.xml", "Job- 7.xml", "Job-+8.xml", "Job-9x.xml", "Job-1.2.xml", "job-3.xml",
                             "Job-99999999999999999999.xml", ".Job-11.xml.Ab12Cd"}) {
        writeJobFile(name, "<SettingData/>");
    }
    fs::create_directory(jobFile("5"));
    ASSERT_EQ(::mkfifo(jobFile("6").c_str(), 0600), 0);
    fs::create_symlink(jobFile("4"), jobFile("12"));
    fs::create_symlink(folder() / "nowhere", jobFile("13"));

    auto numbers = SettingData::GetFileListNo();
    EXPECT_EQ(numbers, (std::vector<int64_t>{4, 12}));
    for (int64_t n : numbers) {
        EXPECT_EQ(SettingData::ReadSettings(n)->jobNo(), std::optional<std::string>("4"))
            << "every listed number reads a job";
    }
}

TEST_F(JobStore, MissingFolderListsNothing)
{
    fs::remove_all(folder());
    EXPECT_TRUE(SettingData::GetFileListNo().empty());
    expectSameJob(*SettingData::ReadSettings(1), SettingData());
}

// --- Reading ------------------------------------------------------------------

TEST_F(JobStore, ReadingANumberWithoutFileGivesANewRecord)
{
    auto job = SettingData::ReadSettings(42);
    EXPECT_EQ(job->jobNo(), std::optional<std::string>(""));
    EXPECT_EQ(job->resolution(), Resolution::Dpi200);
    expectSameJob(*job, SettingData());

    fs::create_directory(jobFile("43"));
    EXPECT_EQ(SettingData::ReadSettings(43)->jobNo(), std::optional<std::string>("")) << "a directory is no job";
}

TEST_F(JobStore, MissingOrUnlistedValuesReadAsFirstEntries)
{
    writeJobFile("Job-1.xml", "<SettingData><JobNo>1</JobNo><ColorMode>gray</ColorMode><PaperSize>A4</PaperSize>"
                              "<Resolution>Dpi600</Resolution><SendSetting><DestinationType>DeviceStorage"
                              "</DestinationType><UserName>u</UserName></SendSetting></SettingData>");
    auto job = SettingData::ReadSettings(1);
    EXPECT_EQ(job->jobNo(), std::optional<std::string>("1"));
    EXPECT_EQ(job->jobName(), "");
    EXPECT_EQ(job->colorMode(), 0) << "keywords are case-sensitive";
    EXPECT_EQ(job->paperSize(), PaperSize::A4);
    EXPECT_EQ(job->resolution(), 0) << "an unlisted resolution reads as Dpi150, not the new record's Dpi200";
    EXPECT_EQ(job->readingSurface(), 0);
    EXPECT_EQ(job->fileFormat(), 0);
    EXPECT_EQ(job->sendSetting()->destinationType(), DestinationType::DeviceStorage);
    EXPECT_EQ(job->sendSetting()->userName(), "u");
    EXPECT_EQ(job->sendSetting()->password(), "");
    EXPECT_EQ(job->sendSetting()->sendPath(), "");

    writeJobFile("Job-2.xml", "<SettingData><JobNo>  </JobNo><JobName>n</JobName></SettingData>");
    auto noNumber = SettingData::ReadSettings(2);
    EXPECT_FALSE(noNumber->jobNo().has_value()) << "an empty number element reads as absent";
    EXPECT_EQ(noNumber->jobName(), "n");
    EXPECT_EQ(noNumber->resolution(), 0) << "a missing resolution reads as Dpi150 too";
    EXPECT_EQ(noNumber->sendSetting()->destinationType(), 0);

    writeJobFile("Job-3.xml", "<SettingData><JobNo>3</JobNo><JobNo>4</JobNo><JobName a=\"1\">x</JobName>"
                              "<SendSetting>flat</SendSetting></SettingData>");
    auto odd = SettingData::ReadSettings(3);
    EXPECT_FALSE(odd->jobNo().has_value()) << "a repeated element is no single value";
    SettingData expected;
    expected.setJobNo(std::nullopt);
    expected.setResolution(Resolution::Dpi150);
    expectSameJob(*odd, expected);
}

TEST_F(JobStore, UnreadableFilesGiveDefaultsWithAbsentNumber)
{
    writeJobFile("Job-1.xml", "");
    writeJobFile("Job-2.xml", "garbage");
    for (int64_t n : {1, 2}) {
        auto job = SettingData::ReadSettings(n);
        EXPECT_FALSE(job->jobNo().has_value());
        EXPECT_EQ(job->resolution(), Resolution::Dpi200) << "nothing was delivered: the new record's defaults";
        expectDefaultsExceptNumber(*job);
    }

    writeJobFile("Job-3.xml", "<SettingData><JobNo>3</JobNo><JobName>Half</JobName><ColorMode>Gray</Color");
    auto half = SettingData::ReadSettings(3);
    EXPECT_EQ(half->jobNo(), std::optional<std::string>("3"));
    EXPECT_EQ(half->jobName(), "Half");
    EXPECT_EQ(half->colorMode(), 0) << "the broken element never ended";
    EXPECT_EQ(half->resolution(), 0);
}

// --- Round trips and deleting --------------------------------------------------

TEST_F(JobStore, WrittenJobsReadBackEqual)
{
    auto full = sampleJob("21");
    full->sendSetting()->setDestinationType(DestinationType::DeviceStorage);
    full->setJobName("Caf\xC3\xA9 & <co> \"q\" 'a' tab\tin\r\nside");
    SettingData::SaveSettings(full);
    auto back = SettingData::ReadSettings(21);
    expectSameJob(*back, *full);
    EXPECT_EQ(back->sendSetting()->destinationType(), 1);

    auto empty = std::make_shared<SettingData>();
    empty->setJobNo("22");
    SettingData::SaveSettings(empty);
    const std::string xml = readWholeFile(jobFile("22"));
    EXPECT_NE(xml.find("<UserName></UserName><Password></Password><SendPath></SendPath>"), std::string::npos);
    expectSameJob(*SettingData::ReadSettings(22), *empty);
}

TEST_F(JobStore, BlanksAtTheEndsOfNameAndPathAreNotKeptButThoseOfCredentialsAre)
{
    auto job = sampleJob("30");
    job->setJobName("  padded name \n");
    job->sendSetting()->setUserName(" user");
    job->sendSetting()->setPassword("pass\t ");
    job->sendSetting()->setSendPath("   ");
    SettingData::SaveSettings(job);
    auto back = SettingData::ReadSettings(30);
    EXPECT_EQ(back->jobName(), "padded name");
    EXPECT_EQ(back->sendSetting()->sendPath(), "");
    EXPECT_EQ(back->sendSetting()->userName(), " user") << "part of the credential";
    EXPECT_EQ(back->sendSetting()->password(), "pass\t ");

    job->sendSetting()->setPassword("   ");
    job->sendSetting()->setUserName("\xC2\xA0x\xE3\x80\x80"); // no-break and ideographic spaces
    SettingData::SaveSettings(job);
    back = SettingData::ReadSettings(30);
    EXPECT_EQ(back->sendSetting()->password(), "   ") << "a password of blanks is still a password";
    EXPECT_EQ(back->sendSetting()->userName(), "\xC2\xA0x\xE3\x80\x80");
}

TEST_F(JobStore, CredentialsWithoutOuterBlanksAreWrittenAsBeforeAndOldFilesReadTheSame)
{
    auto job = sampleJob("31");
    SettingData::SaveSettings(job);
    const std::string xml = readWholeFile(jobFile("31"));
    EXPECT_NE(xml.find("<UserName>office\\scan</UserName><Password>p&amp;ss&lt;w&gt;rd</Password>"),
              std::string::npos)
        << xml;
    EXPECT_EQ(xml.find("xml:space"), std::string::npos);

    // A file of an earlier version, with blanks it never kept: still trimmed.
    writeJobFile("Job-32.xml", kHeader + "<JobNo>32</JobNo><JobName> A </JobName><SendSetting>"
                                         "<DestinationType>ShareFolder</DestinationType><UserName> u </UserName>"
                                         "<Password> p </Password><SendPath> s </SendPath></SendSetting></SettingData>");
    auto old = SettingData::ReadSettings(32);
    EXPECT_EQ(old->jobName(), "A");
    EXPECT_EQ(old->sendSetting()->userName(), "u");
    EXPECT_EQ(old->sendSetting()->password(), "p");
    EXPECT_EQ(old->sendSetting()->sendPath(), "s");
}

TEST_F(JobStore, DeleteRemovesOnlyThatJob)
{
    SettingData::SaveSettings(sampleJob("1"));
    SettingData::SaveSettings(sampleJob("2"));
    SettingData::DeleteSettings(1);
    SettingData::DeleteSettings(77); // nothing there: nothing happens
    EXPECT_EQ(SettingData::GetFileListNo(), (std::vector<int64_t>{2}));
    EXPECT_EQ(SettingData::ReadSettings(1)->jobNo(), std::optional<std::string>(""));

    fs::create_directory(jobFile("9"));
    SettingData::DeleteSettings(9);
    EXPECT_TRUE(fs::is_directory(jobFile("9"))) << "only files are deleted";
}

// --- Threads --------------------------------------------------------------------

TEST_F(JobStore, ConcurrentSavesOfOneNumberLeaveOneCompleteDocument)
{
    auto first = sampleJob("50");
    first->setJobName(std::string(3000, 'a'));
    auto second = sampleJob("50");
    second->setJobName(std::string(5000, 'b'));
    const std::set<std::string> documents{SettingData::XMLData(first), SettingData::XMLData(second)};
    SettingData::SaveSettings(first);

    std::atomic<bool> done{false};
    std::atomic<int> torn{0};
    std::thread reader([&] {
        while (!done) {
            auto job = SettingData::ReadSettings(50);
            if (job->jobName() != first->jobName() && job->jobName() != second->jobName()) {
                ++torn;
            }
        }
    });
    std::vector<std::thread> writers;
    for (int t = 0; t < 4; ++t) {
        writers.emplace_back([&, t] {
            for (int i = 0; i < 25; ++i) {
                SettingData::SaveSettings((t + i) % 2 ? first : second);
            }
        });
    }
    for (auto& writer : writers) {
        writer.join();
    }
    done = true;
    reader.join();
    EXPECT_EQ(torn.load(), 0);
    EXPECT_EQ(documents.count(readWholeFile(jobFile("50"))), 1u);
    EXPECT_EQ(namesIn(folder()), (std::set<std::string>{"Job-50.xml"}));
}
