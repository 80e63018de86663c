#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "CliArguments.h"
#include "CliOutput.h"
#include "JobJson.h"
#include "LocalizedStrings.h"
#include "TargetsFile.h"
#include "UsageError.h"

using namespace std::string_literals;

namespace {
std::string usageMessage(const std::function<void()>& action)
{
    try {
        action();
    } catch (const UsageError& error) {
        return error.what();
    }
    return "(no usage error)";
}

class CliParts : public ::testing::Test {
protected:
    void SetUp() override { LocalizedStrings::setLanguage("en"); }
};
} // namespace

TEST_F(CliParts, TargetsFileTakesAddressThenTheRestOfTheLineAsPassword)
{
    const auto targets = TargetsFile::parse("# office scanners\n"
                                            "127.0.0.2 secret\n"
                                            "\n"
                                            "   \t\n"
                                            "  127.0.0.3\t\tpass word with  spaces \r\n"
                                            "127.0.0.4 #not-a-comment\n"
                                            "127.0.0.5");
    ASSERT_EQ(targets.size(), 4u);
    EXPECT_EQ(targets[0].address, "127.0.0.2");
    EXPECT_EQ(targets[0].password, "secret");
    EXPECT_EQ(targets[0].line, 2u);
    EXPECT_EQ(targets[1].address, "127.0.0.3");
    EXPECT_EQ(targets[1].password, "pass word with  spaces ") << "kept as written, line end removed";
    EXPECT_EQ(targets[1].line, 5u);
    EXPECT_EQ(targets[2].password, "#not-a-comment");
    EXPECT_EQ(targets[3].address, "127.0.0.5");
    EXPECT_EQ(targets[3].password, "") << "an empty password is a valid answer";
    EXPECT_TRUE(TargetsFile::parse("").empty());
    EXPECT_TRUE(TargetsFile::parse("# only a comment\n\n").empty());
}

TEST_F(CliParts, MalformedTargetLineIsNamedByItsNumber)
{
    const std::string expected = LocalizedStrings::format("CliErrorTargetsLine", {"3"});
    EXPECT_EQ(usageMessage([] { TargetsFile::parse("127.0.0.2 a\n\nscanner.local secret\n"); }), expected);
    EXPECT_EQ(usageMessage([] { TargetsFile::parse("# x\n127.0.0.2 a\n127.0.0.256 b\n"); }), expected);
    EXPECT_EQ(usageMessage([] { TargetsFile::parse("127.0.0.2 a\n127.0.0.3 b\n127.0.0.4 c\0d\n"s); }), expected);
    // The message never repeats the line itself, which holds a password.
    EXPECT_EQ(usageMessage([] { TargetsFile::parse("oops hunter2\n"); }).find("hunter2"), std::string::npos);
}

TEST_F(CliParts, AScannerListedTwiceIsNamedWithBothLines)
{
    // Two runs on one scanner would fight for its lock, also with other passwords.
    EXPECT_EQ(usageMessage([] { TargetsFile::parse("127.0.0.2 a\n# x\n127.0.0.3 b\n  127.0.0.2\tother\n"); }),
              LocalizedStrings::format("CliErrorTargetsDuplicate", {"4", "127.0.0.2", "1"}));
    EXPECT_EQ(TargetsFile::parse("127.0.0.2 a\n127.0.0.20 a\n127.0.2.0 a\n").size(), 3u) << "similar is not the same";
}

TEST_F(CliParts, PrintableTextCannotDriveTheTerminal)
{
    EXPECT_EQ(CliOutput::printable("Front desk"), "Front desk");
    EXPECT_EQ(CliOutput::printable("\xD9\x85\xD8\xA7\xD8\xB3\xD8\xAD 2"), "\xD9\x85\xD8\xA7\xD8\xB3\xD8\xAD 2");
    EXPECT_EQ(CliOutput::printable("a\x1B]0;owned\x07z"), "a?]0;owned?z");
    EXPECT_EQ(CliOutput::printable("tab\there\nnew\x7F"), "tab?here?new?");
    EXPECT_EQ(CliOutput::printable("c1 \xC2\x9B" "31m"), "c1 ?31m") << "C1 control CSI";
    EXPECT_EQ(CliOutput::printable("bad \xFF\xC3 end"), "bad ?? end");
    EXPECT_EQ(CliOutput::printable("overlong \xC0\xAF \xE0\x80\xAF"), "overlong ?? ???");
    EXPECT_EQ(CliOutput::printable("cut \xE2\x82"), "cut ??");
}

TEST_F(CliParts, ArgumentsAcceptOptionsAnywhereAndNameWhatIsWrong)
{
    const std::vector<CliArguments::Option> options{{"--json", false}, {"--name", true}};
    const CliArguments parsed({"5", "--name", "--json", "--json", "--", "--x"}, options);
    EXPECT_EQ(parsed.value("--name"), "--json") << "a value may start with dashes";
    EXPECT_TRUE(parsed.has("--json"));
    EXPECT_EQ(parsed.positionals(), (std::vector<std::string>{"5", "--x"}));
    EXPECT_EQ(CliArguments({"--name=a=b"}, options).value("--name"), "a=b");

    EXPECT_EQ(usageMessage([&] { CliArguments({"--nmae", "x"}, options); }),
              LocalizedStrings::format("CliErrorUnknownOption", {"--nmae"}));
    EXPECT_EQ(usageMessage([&] { CliArguments({"--json=1"}, options); }),
              LocalizedStrings::format("CliErrorUnknownOption", {"--json=1"}));
    EXPECT_EQ(usageMessage([&] { CliArguments({"--name"}, options); }),
              LocalizedStrings::format("CliErrorMissingValue", {"--name"}));
    EXPECT_EQ(usageMessage([&] { CliArguments({"--json", "--json"}, options); }),
              LocalizedStrings::format("CliErrorRepeatedOption", {"--json"}));
    EXPECT_EQ(usageMessage([&] { CliArguments({"a", "b"}, options).allowNoMorePositionals(1); }),
              LocalizedStrings::format("CliErrorUnexpectedArgument", {"b"}));
}

TEST_F(CliParts, JobNumbersAndAddressesAreCheckedStrictly)
{
    EXPECT_EQ(CliArguments::jobNumber("1"), 1);
    EXPECT_EQ(CliArguments::jobNumber("99"), 99);
    EXPECT_EQ(CliArguments::jobNumber("07"), 7);
    for (const char* bad : {"0", "100", "-1", "+5", "5x", "", " 5", "999999999999999999999"}) {
        EXPECT_EQ(usageMessage([&] { CliArguments::jobNumber(bad); }),
                  LocalizedStrings::format("CliErrorInvalidJobNumber", {bad}))
            << bad;
    }
    EXPECT_EQ(CliArguments::ipv4Address("127.0.0.2"), "127.0.0.2");
    for (const char* bad : {"127.0.0", "localhost", "127.0.0.2:443", "::1", "127.0.0.2 ", "1.2.3.4/x"}) {
        EXPECT_EQ(usageMessage([&] { CliArguments::ipv4Address(bad); }),
                  LocalizedStrings::format("CliErrorInvalidAddress", {bad}))
            << bad;
    }
}

TEST_F(CliParts, JsonKeepsIdentifiersTypeAndNeverTheSharePassword)
{
    EXPECT_EQ(JobJson::identifier(JsonIdentifier::fromNumber("12")), nlohmann::json(12));
    EXPECT_EQ(JobJson::identifier(JsonIdentifier::fromString("12")), nlohmann::json("12"));
    EXPECT_EQ(JobJson::identifier(std::nullopt), nlohmann::json(nullptr));

    SettingData job;
    job.setJobNo(std::nullopt);
    job.setJobName("Scans");
    job.setColorMode(2);
    job.setResolution(3);
    job.sendSetting()->setDestinationType(1);
    job.sendSetting()->setUserName("bob");
    job.sendSetting()->setPassword("share-secret");
    job.sendSetting()->setSendPath("\\\\srv\\x");
    const auto json = JobJson::job(job);
    EXPECT_EQ(json, nlohmann::json::parse(R"({"jobNo":null,"jobName":"Scans","colorMode":"Monochrome",
        "paperSize":"Auto","resolution":"Dpi300","readingSurface":"SkipWhite","fileFormat":"Pdf",
        "destinationType":"DeviceStorage","userName":"bob","sendPath":"\\\\srv\\x"})"));
    EXPECT_EQ(json.dump().find("share-secret"), std::string::npos);
}
