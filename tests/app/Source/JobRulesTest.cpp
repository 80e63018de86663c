#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "FWKVXSDK/EnumExtensions.h"
#include "FWKVXSDK/JobFolder.h"
#include "FWKVXSDK/ScratchFolder.h"
#include "JobList.h"
#include "JobValidator.h"
#include "LocalizedStrings.h"
#include "MessagePresenter.h"

namespace {
std::shared_ptr<SettingData> jobNumbered(const std::string& number)
{
    auto job = std::make_shared<SettingData>();
    job->setJobNo(number);
    return job;
}

std::shared_ptr<SettingData> validJob()
{
    auto job = std::make_shared<SettingData>();
    job->setJobNo("1");
    job->setJobName("Invoices");
    job->sendSetting()->setSendPath("\\\\server\\share\\scans");
    return job;
}

// A job folder of its own; the numbering only looks at the files' names.
class JobNumbering : public ::testing::Test {
protected:
    void SetUp() override
    {
        ::setenv("XDG_DATA_HOME", data.path().c_str(), 1);
        ASSERT_TRUE(JobFolder::ensureExists());
        LocalizedStrings::setLanguage("en");
    }

    void files(std::initializer_list<int> numbers) const
    {
        for (const int number : numbers) {
            fileNumbered(number);
        }
    }
    void filesFrom(int first, int last) const
    {
        for (int number = first; number <= last; ++number) {
            fileNumbered(number);
        }
    }
    void fileNumbered(int number) const
    {
        std::ofstream(SettingData::userAppRootFolderPath() + "/Job-" + std::to_string(number) + ".xml") << "";
    }

    ScratchFolder data;
};
} // namespace

TEST_F(JobNumbering, ProposesTheSmallestNumberWithoutAFile)
{
    EXPECT_EQ(JobList::nextStoredJobNo(), 1);
    files({1, 2, 4, 5});
    EXPECT_EQ(JobList::nextStoredJobNo(), 3);
    fileNumbered(3);
    EXPECT_EQ(JobList::nextStoredJobNo(), 6);
}

TEST_F(JobNumbering, NumbersOfFilesAndOfShownJobsAreBothTaken)
{
    files({2, 3});
    EXPECT_EQ(JobList::nextStoredJobNo(), 1);
    // Job-1.xml whose record lost its number: the file still holds a job.
    fileNumbered(1);
    EXPECT_EQ(JobList::nextStoredJobNo({jobNumbered(""), jobNumbered("2"), jobNumbered("3")}), 4);
    // A record that says 4 in the file of another number keeps 4 from being proposed.
    EXPECT_EQ(JobList::nextStoredJobNo({jobNumbered("4"), jobNumbered("2"), jobNumbered("3")}), 5);
}

TEST_F(JobNumbering, NinetyNineJobsAreTheLimit)
{
    filesFrom(2, 99);
    EXPECT_EQ(JobList::nextStoredJobNo(), 1);
    fileNumbered(1);
    EXPECT_EQ(JobList::nextStoredJobNo(), std::nullopt);
    EXPECT_EQ(JobList::newStoredJob(), nullptr);
    std::filesystem::remove(SettingData::userAppRootFolderPath() + "/Job-50.xml");
    fileNumbered(150);
    EXPECT_EQ(JobList::nextStoredJobNo(), std::nullopt) << "99 files, one beyond the scanner's slots";
    std::filesystem::remove(SettingData::userAppRootFolderPath() + "/Job-150.xml");
    EXPECT_EQ(JobList::nextStoredJobNo(), 50);
    std::vector<std::shared_ptr<SettingData>> shown;
    for (int number = 1; number <= 99; ++number) {
        shown.push_back(jobNumbered(std::to_string(number)));
    }
    EXPECT_EQ(JobList::nextStoredJobNo(shown), std::nullopt) << "a full list is full, whatever the folder holds";
}

TEST_F(JobNumbering, NewJobHasDefaultsNumberAndLocalisedName)
{
    files({1, 2, 4});
    auto job = JobList::newStoredJob();
    ASSERT_NE(job, nullptr);
    EXPECT_EQ(job->jobNo(), std::optional<std::string>("3"));
    EXPECT_EQ(job->jobName(), LocalizedStrings::textIn("en", "LabelJob") + "3");
    EXPECT_EQ(job->resolution(), Resolution::Dpi200);
    EXPECT_EQ(job->sendSetting()->sendPath(), "");
    LocalizedStrings::setLanguage("ar");
    EXPECT_EQ(JobList::defaultJobName(12), LocalizedStrings::textIn("ar", "LabelJob") + "12");
    LocalizedStrings::setLanguage("en");
}

using StoredJobs = JobNumbering;

TEST_F(StoredJobs, AFailedSaveOrRemoveNamesTheJobAndTheReason)
{
    auto job = validJob();
    EXPECT_TRUE(SettingData::SaveSettingsWithOutcome(job).succeeded());
    EXPECT_TRUE(JobList::hasJobFile(1));

    // A folder in the way of the job's file.
    auto blocked = validJob();
    blocked->setJobNo("2");
    std::filesystem::create_directory(SettingData::userAppRootFolderPath() + "/Job-2.xml");
    EXPECT_EQ(SettingData::SaveSettingsWithOutcome(blocked).error, EISDIR);
    EXPECT_EQ(SettingData::SaveSettingsWithOutcome(nullptr).error, EINVAL);
    blocked->setJobNo("../2");
    EXPECT_EQ(SettingData::SaveSettingsWithOutcome(blocked).error, EINVAL) << "never outside the job folder";

    EXPECT_TRUE(SettingData::DeleteSettingsWithOutcome(1).succeeded());
    EXPECT_FALSE(JobList::hasJobFile(1));
    EXPECT_TRUE(SettingData::DeleteSettingsWithOutcome(7).succeeded()) << "no file of that number: nothing is left";
    EXPECT_EQ(SettingData::DeleteSettingsWithOutcome(2).error, EISDIR);
}

TEST(JobNumberText, ReadsAsAnIntegerLikeTheStore)
{
    EXPECT_EQ(JobList::integerValue(std::string("12")), 12);
    EXPECT_EQ(JobList::integerValue(std::string("  7")), 7);
    EXPECT_EQ(JobList::integerValue(std::string("+8")), 8);
    EXPECT_EQ(JobList::integerValue(std::string("-3")), -3);
    EXPECT_EQ(JobList::integerValue(std::string("012x")), 12);
    EXPECT_EQ(JobList::integerValue(std::string("x1")), 0);
    EXPECT_EQ(JobList::integerValue(std::string("")), 0);
    EXPECT_EQ(JobList::integerValue(std::nullopt), 0);
    EXPECT_EQ(JobList::integerValue(std::string(40, '9')), INT64_MAX) << "saturates, no overflow";
}

class JobValidation : public ::testing::Test {
protected:
    void SetUp() override
    {
        LocalizedStrings::setLanguage("en");
        MessagePresenter::install([this](const MessageAlert& alert) { shown.push_back(alert.informativeText); });
    }
    void TearDown() override { MessagePresenter::install(nullptr); }

    std::vector<std::string> shown;
    std::vector<std::shared_ptr<SettingData>> validJobs;
};

TEST_F(JobValidation, RulesApplyInTheEditorsOrder)
{
    SettingData& job = *validJobs.emplace_back(validJob());
    EXPECT_EQ(JobValidator::firstFailure(job), std::nullopt);

    // Forbidden path characters win over an empty name.
    job.setJobName("");
    job.sendSetting()->setSendPath("\\\\srv\\what?");
    EXPECT_EQ(JobValidator::firstFailure(job), "ErrorInvalidCharacters");

    // Empty name wins over Monochrome with JPEG.
    job.sendSetting()->setSendPath("");
    job.setColorMode(ColorMode::Monochrome);
    job.setFileFormat(FileFormat::Jpeg);
    EXPECT_EQ(JobValidator::firstFailure(job), "ErrorJobName");

    // Monochrome with JPEG wins over an empty path.
    job.setJobName("x");
    EXPECT_EQ(JobValidator::firstFailure(job), "ErrorInvalidCombiMonoJpeg");

    job.setFileFormat(FileFormat::Tiff);
    EXPECT_EQ(JobValidator::firstFailure(job), "ErrorSendPath");
}

TEST_F(JobValidation, OnlyTheSendPathIsCheckedForTheSevenCharacters)
{
    for (const char* bad : {":", "\"", "*", "?", "<", ">", "|"}) {
        SettingData& job = *validJobs.emplace_back(validJob());
        job.sendSetting()->setSendPath(std::string("\\\\srv\\a") + bad + "b");
        EXPECT_EQ(JobValidator::firstFailure(job), "ErrorInvalidCharacters") << bad;
    }
    SettingData& job = *validJobs.emplace_back(validJob());
    job.setJobName("a:b*c?<d>|\"");
    job.sendSetting()->setUserName("dom\\us:er*");
    job.sendSetting()->setPassword("p|w?<>");
    EXPECT_EQ(JobValidator::firstFailure(job), std::nullopt);
    job.sendSetting()->setSendPath("//server/share\\folder/Sub_1-2 (3)");
    EXPECT_EQ(JobValidator::firstFailure(job), std::nullopt) << "slashes and backslashes are allowed";
}

TEST_F(JobValidation, FullWidthAndSmallFormLookAlikesAreForbiddenToo)
{
    for (const char* lookAlike : {"\xEF\xBC\x9A", "\xEF\xBC\x82", "\xEF\xBC\x8A", "\xEF\xBC\x9F", "\xEF\xBC\x9C",
                                  "\xEF\xBC\x9E", "\xEF\xBD\x9C", "\xEF\xB9\x95", "\xEF\xB9\x96"}) {
        EXPECT_TRUE(JobValidator::containsForbiddenCharacter(std::string("\\\\srv\\a") + lookAlike))
            << lookAlike;
    }
    // Other non-ASCII text, including characters whose UTF-8 shares lead bytes, passes.
    EXPECT_FALSE(JobValidator::containsForbiddenCharacter("\\\\srv\\\xEF\xBC\xA1\xE2\x80\x94\xD8\xB9\xD8\xB1\xD8\xA8"));
    EXPECT_FALSE(JobValidator::containsForbiddenCharacter("\\\\srv\\caf\xC3\xA9\\\xC2\xA5"));
}

TEST_F(JobValidation, NamesAndPathsCountAsTheJobFileGivesThemBackAndCombinationsOtherThanMonoJpegPass)
{
    SettingData& job = *validJobs.emplace_back(validJob());
    // Blanks only would be stored as an empty text: the job could not be saved again.
    for (const char* blanks : {"   ", "\t\r\n", "\xE3\x80\x80\xC2\xA0" /* ideographic, no-break space */}) {
        job.setJobName(blanks);
        EXPECT_EQ(JobValidator::firstFailure(job), "ErrorJobName") << blanks;
        job.setJobName("Invoices");
        job.sendSetting()->setSendPath(blanks);
        EXPECT_EQ(JobValidator::firstFailure(job), "ErrorSendPath") << blanks;
    }
    // Blanks around a text leave the text.
    job.setJobName(" \u3000Invoices ");
    job.sendSetting()->setSendPath(" \\\\srv\\in\t");
    EXPECT_EQ(JobValidator::trimmed(job.jobName()), "Invoices");
    EXPECT_EQ(JobValidator::firstFailure(job), std::nullopt);
    job.setColorMode(ColorMode::Gray);
    job.setFileFormat(FileFormat::Jpeg);
    EXPECT_EQ(JobValidator::firstFailure(job), std::nullopt);
    job.setColorMode(ColorMode::Monochrome);
    for (int64_t format : {FileFormat::Pdf, FileFormat::PdfOcr, FileFormat::Tiff}) {
        job.setFileFormat(format);
        EXPECT_EQ(JobValidator::firstFailure(job), std::nullopt) << format;
    }
    job.setSendSetting(nullptr);
    EXPECT_EQ(JobValidator::firstFailure(job), "ErrorSendPath") << "no destination is an empty path";
}

TEST_F(JobValidation, CheckShowsTheFirstFailureOnceAndReturnsFalse)
{
    SettingData& job = *validJobs.emplace_back(validJob());
    EXPECT_TRUE(JobValidator::Check(job));
    EXPECT_TRUE(shown.empty());
    job.setJobName("");
    job.sendSetting()->setSendPath("");
    EXPECT_FALSE(JobValidator::Check(job));
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0], LocalizedStrings::textIn("en", "ErrorJobName"));
}
