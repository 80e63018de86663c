#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "FWKVXSDK/EnumExtensions.h"
#include "JobList.h"
#include "JobValidator.h"
#include "LocalizedStrings.h"
#include "MessagePresenter.h"

namespace {
std::vector<std::shared_ptr<SettingData>> jobsNumbered(std::vector<std::string> numbers)
{
    std::vector<std::shared_ptr<SettingData>> jobs;
    for (auto& number : numbers) {
        auto job = std::make_shared<SettingData>();
        job->setJobNo(number);
        jobs.push_back(job);
    }
    return jobs;
}

std::vector<std::string> range(int first, int last)
{
    std::vector<std::string> numbers;
    for (int n = first; n <= last; ++n) {
        numbers.push_back(std::to_string(n));
    }
    return numbers;
}

std::shared_ptr<SettingData> validJob()
{
    auto job = std::make_shared<SettingData>();
    job->setJobNo("1");
    job->setJobName("Invoices");
    job->sendSetting()->setSendPath("\\\\server\\share\\scans");
    return job;
}
} // namespace

TEST(JobNumbering, ProposesTheSmallestFreeNumber)
{
    EXPECT_EQ(JobList::nextJobNo({}), 1);
    EXPECT_EQ(JobList::nextJobNo(jobsNumbered({"1", "2", "4", "5"})), 3);
    EXPECT_EQ(JobList::nextJobNo(jobsNumbered({"2", "3"})), 1);
    EXPECT_EQ(JobList::nextJobNo(jobsNumbered({"1", "2", "3"})), 4);
    EXPECT_EQ(JobList::nextJobNo(jobsNumbered(range(1, 98))), 99);
}

TEST(JobNumbering, NeverProposesANumberInUse)
{
    // Lists that are out of order or hold a number twice (two files for one
    // number) must not lead to a number whose file would be overwritten.
    EXPECT_EQ(JobList::nextJobNo(jobsNumbered({"3", "1", "2"})), 4);
    EXPECT_EQ(JobList::nextJobNo(jobsNumbered({"1", "1", "2"})), 3);
    EXPECT_EQ(JobList::nextJobNo(jobsNumbered({"2", "1"})), 3);
}

TEST(JobNumbering, NinetyNineJobsAreTheLimit)
{
    EXPECT_EQ(JobList::nextJobNo(jobsNumbered(range(1, 99))), std::nullopt);
    EXPECT_EQ(JobList::newJob(jobsNumbered(range(1, 99))), nullptr);
    auto numbers = range(1, 99);
    numbers.push_back("150");
    EXPECT_EQ(JobList::nextJobNo(jobsNumbered(numbers)), std::nullopt) << "more than the limit is full as well";
    auto gaps = range(2, 99);
    EXPECT_EQ(JobList::nextJobNo(jobsNumbered(gaps)), 1);
}

TEST(JobNumbering, NewJobHasDefaultsNumberAndLocalisedName)
{
    LocalizedStrings::setLanguage("en");
    auto job = JobList::newJob(jobsNumbered({"1", "2", "4"}));
    ASSERT_NE(job, nullptr);
    EXPECT_EQ(job->jobNo(), std::optional<std::string>("3"));
    EXPECT_EQ(job->jobName(), LocalizedStrings::textIn("en", "LabelJob") + "3");
    EXPECT_EQ(job->resolution(), Resolution::Dpi200);
    EXPECT_EQ(job->sendSetting()->sendPath(), "");
    LocalizedStrings::setLanguage("ar");
    EXPECT_EQ(JobList::defaultJobName(12), LocalizedStrings::textIn("ar", "LabelJob") + "12");
    LocalizedStrings::setLanguage("en");
}

TEST(JobNumbering, JobNumberTextsReadAsIntegersLikeTheStore)
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

TEST_F(JobValidation, BlanksCountAsContentAndCombinationsOtherThanMonoJpegPass)
{
    SettingData& job = *validJobs.emplace_back(validJob());
    job.setJobName("   ");
    job.sendSetting()->setSendPath(" ");
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
