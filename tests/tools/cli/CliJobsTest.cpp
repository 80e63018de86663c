#include <gtest/gtest.h>

#include <poll.h>
#include <pty.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>

#include "CliProcess.h"
#include "FWKVXSDK/JobFolder.h"
#include "FWKVXSDK/ScratchFolder.h"
#include "FWKVXSDK/SettingData.h"
#include "LocalizedStrings.h"

namespace {
std::string en(const char* key)
{
    return LocalizedStrings::textIn("en", key);
}

// Every case gets its own job folder.
class CliJobs : public ::testing::Test {
protected:
    void SetUp() override
    {
        ::setenv("XDG_DATA_HOME", folder.path().c_str(), 1);
        LocalizedStrings::setLanguage("en");
    }

    std::string jobFolder() const { return SettingData::userAppRootFolderPath(); }

    ScratchFolder folder;
};
} // namespace

TEST_F(CliJobs, AddTakesTheNextNumberAndTheDefaultName)
{
    const auto first = runVantix({"jobs", "add", "--path", "\\\\srv\\scans"});
    EXPECT_EQ(first.status, 0) << first.err;
    EXPECT_EQ(first.out, "1\n");
    struct stat info {};
    ASSERT_EQ(::stat(jobFolder().c_str(), &info), 0) << "the tool creates the job folder";
    EXPECT_EQ(info.st_mode & 0777, 0700u);

    ASSERT_EQ(runVantix({"jobs", "add", "--path", "p", "--name", "Second"}).out, "2\n");
    ASSERT_EQ(runVantix({"jobs", "add", "--path", "p"}).out, "3\n");
    ASSERT_EQ(runVantix({"jobs", "rm", "2"}).status, 0);
    const auto again = runVantix({"jobs", "add", "--path", "p"});
    EXPECT_EQ(again.out, "2\n") << "the smallest free number";

    const auto list = runVantix({"jobs", "list"});
    EXPECT_EQ(list.status, 0);
    EXPECT_EQ(list.out, "1\t" + en("LabelJob") + "1\n2\t" + en("LabelJob") + "2\n3\t" + en("LabelJob") + "3\n");
}

TEST_F(CliJobs, AddNeverOverwritesTheFileOfADamagedJob)
{
    for (const char* name : {"One", "Two", "Three"}) {
        ASSERT_EQ(runVantix({"jobs", "add", "--path", "p", "--name", name}).status, 0);
    }
    // Job-2.xml loses its number element's text: its record reads without a number.
    const auto file = std::filesystem::path(jobFolder()) / "Job-2.xml";
    std::string xml;
    {
        std::ifstream in(file, std::ios::binary);
        xml.assign(std::istreambuf_iterator<char>(in), {});
    }
    const auto at = xml.find("<JobNo>2</JobNo>");
    ASSERT_NE(at, std::string::npos) << xml;
    xml.replace(at, 16, "<JobNo></JobNo>");
    std::ofstream(file, std::ios::binary | std::ios::trunc) << xml;
    ASSERT_EQ(SettingData::ReadSettings(2)->jobNo(), std::nullopt);

    const auto added = runVantix({"jobs", "add", "--path", "p", "--name", "New"});
    EXPECT_EQ(added.status, 0) << added.err;
    EXPECT_EQ(added.out, "4\n") << "number 2 still has its file";
    EXPECT_EQ(SettingData::ReadSettings(2)->jobName(), "Two") << "the damaged job is kept";
    EXPECT_EQ(SettingData::ReadSettings(4)->jobName(), "New");
}

TEST_F(CliJobs, JsonShowsEveryFieldButThePassword)
{
    const auto added = runVantix({"jobs", "add", "--name", "Invoices", "--color", "Gray", "--paper", "A4",
                                  "--resolution", "Dpi300", "--surface", "BothSide", "--format", "PdfOcr",
                                  "--destination", "DeviceStorage", "--user", "dom\\bob", "--path", "\\\\srv\\inv",
                                  "--share-password-stdin"},
                                 "share-secret\n");
    ASSERT_EQ(added.status, 0) << added.err;
    const auto expected = nlohmann::json::parse(R"({"jobNo":"1","jobName":"Invoices","colorMode":"Gray",
        "paperSize":"A4","resolution":"Dpi300","readingSurface":"BothSide","fileFormat":"PdfOcr",
        "destinationType":"DeviceStorage","userName":"dom\\bob","sendPath":"\\\\srv\\inv"})");

    const auto show = runVantix({"jobs", "show", "1", "--json"});
    EXPECT_EQ(show.status, 0);
    ASSERT_EQ(show.outJson().size(), 1u);
    EXPECT_EQ(show.outJson()[0], expected);
    const auto list = runVantix({"jobs", "list", "--json"});
    ASSERT_EQ(list.outJson().size(), 1u);
    EXPECT_EQ(list.outJson()[0], nlohmann::json::array({expected}));
    EXPECT_EQ(runVantix({"jobs", "list", "--json"}, "", {{"XDG_DATA_HOME", folder.path() / "empty"}}).out, "[]\n");

    EXPECT_EQ(SettingData::ReadSettings(1)->sendSetting()->password(), "share-secret") << "stored from stdin";
    for (const auto& run : {added, show, list, runVantix({"jobs", "show", "1"}), runVantix({"jobs", "list"})}) {
        EXPECT_EQ(run.out.find("share-secret"), std::string::npos);
        EXPECT_EQ(run.err.find("share-secret"), std::string::npos);
    }
}

TEST_F(CliJobs, ValidationUsesTheEditorsRulesInOrder)
{
    struct Case {
        std::vector<std::string> arguments;
        const char* key;
    };
    const Case cases[] = {
        {{"--name", "", "--path", "a?b"}, "ErrorInvalidCharacters"},
        {{"--name", "", "--color", "Monochrome", "--format", "Jpeg"}, "ErrorJobName"},
        {{"--color", "Monochrome", "--format", "Jpeg"}, "ErrorInvalidCombiMonoJpeg"},
        {{"--destination", "DeviceStorage"}, "ErrorSendPath"},
        {{"--name", " \t ", "--path", "p"}, "ErrorJobName"},
        {{"--name", "N", "--path", "   "}, "ErrorSendPath"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> arguments{"jobs", "add"};
        arguments.insert(arguments.end(), c.arguments.begin(), c.arguments.end());
        const auto run = runVantix(arguments);
        EXPECT_EQ(run.status, 1) << c.key;
        EXPECT_EQ(run.err, en(c.key) + "\n");
        EXPECT_EQ(run.out, "");
    }
    EXPECT_TRUE(SettingData::GetFileListNo().empty()) << "nothing invalid is saved";
}

TEST_F(CliJobs, EditChangesOnlyTheGivenFieldsAndKeepsTheDestination)
{
    ASSERT_EQ(runVantix({"jobs", "add", "--name", "A", "--path", "p", "--destination", "DeviceStorage",
                         "--share-password-stdin"},
                        "keep-me")
                  .status,
              0);
    const auto edit = runVantix({"jobs", "edit", "1", "--resolution", "Dpi150"});
    EXPECT_EQ(edit.status, 0) << edit.err;
    const auto job = SettingData::ReadSettings(1);
    EXPECT_EQ(job->resolution(), 0);
    EXPECT_EQ(job->jobName(), "A");
    EXPECT_EQ(job->sendSetting()->destinationType(), 1) << "the tool keeps the destination asked for";
    EXPECT_EQ(job->sendSetting()->password(), "keep-me");

    const auto invalid = runVantix({"jobs", "edit", "1", "--color", "Monochrome", "--format", "Jpeg"});
    EXPECT_EQ(invalid.status, 1);
    EXPECT_EQ(invalid.err, en("ErrorInvalidCombiMonoJpeg") + "\n");
    EXPECT_EQ(SettingData::ReadSettings(1)->fileFormat(), 0) << "an invalid edit leaves the file";

    const auto missing = runVantix({"jobs", "edit", "7", "--name", "x"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err, LocalizedStrings::format("CliErrorNoSuchJob", {"7"}) + "\n");
}

TEST_F(CliJobs, NinetyNineJobsAreFull)
{
    JobFolder::ensureExists();
    for (int n = 1; n <= 99; ++n) {
        auto job = std::make_shared<SettingData>();
        job->setJobNo(std::to_string(n));
        job->setJobName("J");
        SettingData::SaveSettings(job);
    }
    const auto full = runVantix({"jobs", "add", "--path", "p"});
    EXPECT_EQ(full.status, 1);
    EXPECT_EQ(full.err, en("ErrorJobFull") + "\n");
    ASSERT_EQ(runVantix({"jobs", "rm", "42"}).status, 0);
    EXPECT_EQ(runVantix({"jobs", "add", "--path", "p"}).out, "42\n");
}

TEST_F(CliJobs, RemoveNamedJobsOrAll)
{
    for (int i = 0; i < 4; ++i) {
        ASSERT_EQ(runVantix({"jobs", "add", "--path", "p"}).status, 0);
    }
    const auto some = runVantix({"jobs", "rm", "2", "9", "3"});
    EXPECT_EQ(some.status, 1) << "job 9 does not exist";
    EXPECT_EQ(some.err, LocalizedStrings::format("CliErrorNoSuchJob", {"9"}) + "\n");
    EXPECT_EQ(SettingData::GetFileListNo(), (std::vector<int64_t>{1, 4})) << "the others are removed";
    const auto all = runVantix({"jobs", "rm", "--all"});
    EXPECT_EQ(all.status, 0);
    EXPECT_TRUE(SettingData::GetFileListNo().empty());
    EXPECT_EQ(runVantix({"jobs", "rm", "--all"}).status, 0) << "nothing to remove is no failure";
}

TEST_F(CliJobs, BadUsageExitsWithTwoAndNamesTheArgument)
{
    struct Case {
        std::vector<std::string> arguments;
        std::string message;
    };
    const Case cases[] = {
        {{"frobnicate"}, LocalizedStrings::format("CliErrorUnknownCommand", {"frobnicate"})},
        {{"jobs", "move"}, LocalizedStrings::format("CliErrorUnknownCommand", {"jobs move"})},
        {{"jobs", "add", "--colour", "Gray"}, LocalizedStrings::format("CliErrorUnknownOption", {"--colour"})},
        {{"jobs", "add", "--color", "gray"},
         LocalizedStrings::format("CliErrorInvalidKeyword", {"gray", "--color", "Color, Gray, Monochrome"})},
        {{"jobs", "add", "--format", "PDF"},
         LocalizedStrings::format("CliErrorInvalidKeyword", {"PDF", "--format", "Pdf, PdfOcr, Jpeg, Tiff"})},
        {{"jobs", "add", "--name"}, LocalizedStrings::format("CliErrorMissingValue", {"--name"})},
        {{"jobs", "show"}, LocalizedStrings::format("CliErrorMissingArgument", {"N"})},
        {{"jobs", "show", "abc"}, LocalizedStrings::format("CliErrorInvalidJobNumber", {"abc"})},
        {{"jobs", "show", "1", "2"}, LocalizedStrings::format("CliErrorUnexpectedArgument", {"2"})},
        {{"jobs", "rm", "--all", "3"}, LocalizedStrings::format("CliErrorUnexpectedArgument", {"3"})},
        {{"jobs", "rm", "0"}, LocalizedStrings::format("CliErrorInvalidJobNumber", {"0"})},
        {{"scan", "--scanner", "127.0.0.2"}, LocalizedStrings::format("CliErrorMissingArgument", {"--job"})},
        {{"scan", "--scanner", "printer", "--job", "1"}, LocalizedStrings::format("CliErrorInvalidAddress", {"printer"})},
        {{"register"}, LocalizedStrings::format("CliErrorMissingArgument", {"--scanner"})},
        {{"identify", "300.1.1.1"}, LocalizedStrings::format("CliErrorInvalidAddress", {"300.1.1.1"})},
        {{"discover", "now"}, LocalizedStrings::format("CliErrorUnexpectedArgument", {"now"})},
        {{"bulk-register"}, LocalizedStrings::format("CliErrorMissingArgument", {"--targets"})},
    };
    LocalizedStrings::setLanguage("en");
    for (const Case& c : cases) {
        const auto run = runVantix(c.arguments);
        EXPECT_EQ(run.status, 2) << c.message;
        EXPECT_EQ(run.err, c.message + "\n");
        EXPECT_EQ(run.out, "");
    }
    const auto none = runVantix({});
    EXPECT_EQ(none.status, 2);
    EXPECT_EQ(none.err, en("CliUsage") + "\n");
    const auto help = runVantix({"help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out, en("CliUsage") + "\n");
}

TEST_F(CliJobs, HelpAfterACommandsArgumentsChangesNoJob)
{
    ASSERT_EQ(runVantix({"jobs", "add", "--name", "Kept", "--path", "p"}).status, 0);
    using Arguments = std::vector<std::string>;
    for (const Arguments& arguments : {Arguments{"jobs", "add", "--name", "X", "--path", "p", "-h"},
                                       Arguments{"jobs", "rm", "--all", "--help"}}) {
        const auto help = runVantix(arguments);
        EXPECT_EQ(help.status, 0);
        EXPECT_EQ(help.out, en("CliHelpJobs") + "\n");
    }
    EXPECT_EQ(runVantix({"jobs", "list"}).out, "1\tKept\n");
    EXPECT_EQ(runVantix({"jobs", "rm", "--", "--help"}).status, 2) << "after \"--\" it is an argument";
}

TEST_F(CliJobs, TargetsFileProblemsAreUsageErrorsBeforeAnyRequest)
{
    const auto missing = runVantix({"bulk-register", "--targets", (folder.path() / "nope").string()});
    EXPECT_EQ(missing.status, 2);
    EXPECT_EQ(missing.err,
              LocalizedStrings::format("CliErrorTargetsOpen", {(folder.path() / "nope").string()}) + "\n");
    const auto directory = runVantix({"bulk-register", "--targets", folder.path().string()});
    EXPECT_EQ(directory.status, 2) << "a folder is not a targets file";

    const auto empty = folder.write("empty.txt", "# nothing\n\n");
    ::chmod(empty.c_str(), 0600);
    const auto none = runVantix({"bulk-register", "--targets", empty.string()});
    EXPECT_EQ(none.status, 2);
    EXPECT_EQ(none.err, LocalizedStrings::format("CliErrorTargetsEmpty", {empty.string()}) + "\n");

    const auto bad = folder.write("bad.txt", "127.0.0.2 pw\nscanner-two secret\n");
    ::chmod(bad.c_str(), 0600);
    const auto malformed = runVantix({"bulk-register", "--targets", bad.string()});
    EXPECT_EQ(malformed.status, 2);
    EXPECT_EQ(malformed.err, LocalizedStrings::format("CliErrorTargetsLine", {"2"}) + "\n");
    EXPECT_EQ(malformed.err.find("secret"), std::string::npos);
}

TEST_F(CliJobs, MessagesFollowTheUsersLanguage)
{
    const std::map<std::string, std::string> arabic{{"LANG", "ar_EG.UTF-8"}};
    const auto run = runVantix({"jobs", "add", "--name", ""}, "", arabic);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, LocalizedStrings::textIn("ar", "ErrorJobName") + "\n");
    const auto added = runVantix({"jobs", "add", "--path", "p"}, "", {{"LANG", "fr_FR.UTF-8"}, {"LANGUAGE", "fr:ar"}});
    EXPECT_EQ(added.status, 0);
    EXPECT_EQ(SettingData::ReadSettings(1)->jobName(), LocalizedStrings::textIn("ar", "LabelJob") + "1");
    const auto portable = runVantix({"jobs", "show", "5"}, "", {{"LC_ALL", "C"}, {"LANGUAGE", "ar"}});
    EXPECT_EQ(portable.err, LocalizedStrings::format("CliErrorNoSuchJob", {"5"}) + "\n") << "C locale: untranslated";
}

TEST_F(CliJobs, PasswordFromATerminalIsPromptedAndNotEchoed)
{
    int master = -1;
    const std::string path = VANTIX_CLI_PATH;
    const pid_t pid = ::forkpty(&master, nullptr, nullptr, nullptr);
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        ::setenv("LANG", "C", 1);
        ::execl(path.c_str(), path.c_str(), "jobs", "add", "--path", "p", "--share-password-stdin", nullptr);
        ::_exit(127);
    }
    // Reads what the terminal shows until the text appears or the tool ends.
    std::string screen;
    const auto readUntil = [&](const std::string& wanted) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (screen.find(wanted) == std::string::npos && std::chrono::steady_clock::now() < deadline) {
            pollfd fd{master, POLLIN, 0};
            if (::poll(&fd, 1, 100) > 0) {
                char buffer[256];
                const ssize_t got = ::read(master, buffer, sizeof buffer);
                if (got <= 0) {
                    return;
                }
                screen.append(buffer, static_cast<std::size_t>(got));
            }
        }
    };
    readUntil(en("CliSharePasswordPrompt"));
    ASSERT_NE(screen.find(en("CliSharePasswordPrompt")), std::string::npos) << screen;
    ASSERT_EQ(::write(master, "pty-secret\n", 11), 11);
    readUntil("1\r\n");
    int raw = 0;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (::waitpid(pid, &raw, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            ::kill(pid, SIGKILL); // the tool never took the password
            ::waitpid(pid, &raw, 0);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ::close(master);
    EXPECT_TRUE(WIFEXITED(raw) && WEXITSTATUS(raw) == 0) << screen;
    EXPECT_EQ(screen.find("pty-secret"), std::string::npos) << "typed characters are not echoed: " << screen;
    EXPECT_EQ(SettingData::ReadSettings(1)->sendSetting()->password(), "pty-secret");
}
