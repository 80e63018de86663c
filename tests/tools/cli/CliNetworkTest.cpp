#include <gtest/gtest.h>

#include <sys/stat.h>

#include "CliNetworkFixture.h"

namespace {
using CliScan = CliNetwork;
} // namespace

TEST_F(CliNetwork, IdentifyPrintsTheScannersIdentity)
{
    start({"--scanner", "ip=127.0.0.2,id-type=number,id=42,scanner-name=Front desk"});
    const auto text = runVantix({"identify", "127.0.0.2"});
    EXPECT_EQ(text.status, 0) << text.err;
    EXPECT_EQ(text.out, en("LabelScanner") + ": Front desk\n" + en("CliLabelScannerId") + ": 42\n");
    const auto json = runVantix({"identify", "127.0.0.2", "--json"});
    ASSERT_EQ(json.outJson().size(), 1u);
    EXPECT_EQ(json.outJson()[0], nlohmann::json::parse(R"({"scannerId":42,"scannerName":"Front desk"})"))
        << "the identifier keeps the type the scanner sent";

    const auto nobody = runVantix({"identify", "127.0.0.9"});
    EXPECT_EQ(nobody.status, 1);
    EXPECT_EQ(nobody.out, "");
    EXPECT_EQ(nobody.err, en("ErrorNoDetectScanner") + " " + en("ReasonRefused") + "\n");
}

TEST_F(CliNetwork, RegisterReportsEverySlotThenTheResult)
{
    start({"--scanner", "ip=127.0.0.2,password=job-secret"});
    const auto text = runVantix({"register", "--scanner", "127.0.0.2"}, "job-secret\n");
    EXPECT_EQ(text.status, 0) << text.err;
    const auto lines = text.outLines();
    ASSERT_EQ(lines.size(), 100u);
    EXPECT_EQ(lines[0], en("LabelJobNo") + "1(" + en("RegistJob") + ")");
    EXPECT_EQ(lines[1], en("LabelJobNo") + "2(" + en("MenuDelete") + ")");
    EXPECT_EQ(lines[98], en("LabelJobNo") + "99(" + en("MenuDelete") + ")");
    EXPECT_EQ(lines[99], en("FinishRegist"));

    const auto json = runVantix({"register", "--scanner", "127.0.0.2", "--json"}, "job-secret");
    EXPECT_EQ(json.status, 0);
    const auto values = json.outJson();
    ASSERT_EQ(values.size(), 100u);
    EXPECT_EQ(values[0], nlohmann::json::parse(R"({"jobNo":1,"scannerName":"Vantix Sim 127.0.0.2","request":")" +
                                               en("RegistJob") + "\"}"));
    EXPECT_EQ(values[99], (nlohmann::json{{"result", 0}, {"message", en("FinishRegist")}}));

    for (const auto& run : {text, json}) {
        EXPECT_EQ(run.out.find("job-secret"), std::string::npos) << "the password never appears";
        EXPECT_EQ(run.err.find("job-secret"), std::string::npos);
    }
}

TEST_F(CliNetwork, RegisterWithAWrongPasswordFails)
{
    start({"--scanner", "ip=127.0.0.2,password=job-secret"});
    const auto run = runVantix({"register", "--scanner", "127.0.0.2"}, "guess\n");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, en("ErrorInvalidPassword") + "\n");
    const auto json = runVantix({"register", "--scanner", "127.0.0.2", "--json"}, "guess\n");
    EXPECT_EQ(json.status, 1);
    ASSERT_EQ(json.outJson().size(), 1u);
    EXPECT_EQ(json.outJson()[0], (nlohmann::json{{"result", 100006}, {"message", en("ErrorInvalidPassword")}}));
}

TEST_F(CliNetwork, BulkRegisterRunsEveryScannerAndReportsEachRow)
{
    start({"--scanner", "ip=127.0.0.2,password=a", "--scanner", "ip=127.0.0.3,password=b", "--scanner",
           "ip=127.0.0.4,password=c"});
    const auto targets = folder.write("targets.txt", "# three scanners\n127.0.0.2 a\n127.0.0.3 wrong\n\n127.0.0.4 c\n");
    ::chmod(targets.c_str(), 0644);
    const auto text = runVantix({"bulk-register", "--targets", targets.string()});
    EXPECT_EQ(text.status, 1) << "one scanner failed";
    EXPECT_EQ(text.out, "127.0.0.2\t" + en("ResSuccess") + "\n127.0.0.3\t" + en("ResFailure") + "(" +
                            en("ErrorInvalidPassword") + ")\n127.0.0.4\t" + en("ResSuccess") + "\n");
    EXPECT_EQ(text.err, LocalizedStrings::format("CliWarnTargetsReadable", {targets.string()}) + "\n");
    EXPECT_EQ(operationsFor("127.0.0.4").back(), "unlock") << "a failure does not stop the following scanners";
    EXPECT_EQ(operationsFor("127.0.0.4").size(), 102u);

    ::chmod(targets.c_str(), 0600);
    const auto json = runVantix({"bulk-register", "--targets", targets.string(), "--json"});
    EXPECT_EQ(json.status, 1);
    EXPECT_EQ(json.err, "") << "no warning for a private file";
    const auto rows = json.outJson();
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0], (nlohmann::json{{"scannerIp", "127.0.0.2"}, {"result", 0}, {"text", en("ResSuccess")}}));
    EXPECT_EQ(rows[1], (nlohmann::json{{"scannerIp", "127.0.0.3"},
                                       {"result", 100006},
                                       {"text", en("ResFailure") + "(" + en("ErrorInvalidPassword") + ")"}}));
    EXPECT_EQ(rows[2]["result"], 0);
    for (const auto& run : {text, json}) {
        for (const char* secret : {"wrong", " a\n", " c\n"}) {
            EXPECT_EQ(run.out.find(secret), std::string::npos);
            EXPECT_EQ(run.err.find(secret), std::string::npos);
        }
    }

    const auto good = folder.write("good.txt", "127.0.0.2 a\n127.0.0.3 b\n127.0.0.4 c\n");
    ::chmod(good.c_str(), 0600);
    EXPECT_EQ(runVantix({"bulk-register", "--targets", good.string()}).status, 0);
}

TEST_F(CliNetwork, ScanFailureExitsWithOneAndTheMessage)
{
    start({"--scanner", "ip=127.0.0.2,fault.settings.code=-4400"});
    const auto text = runVantix({"scan", "--scanner", "127.0.0.2", "--job", "1"});
    EXPECT_EQ(text.status, 1);
    EXPECT_EQ(text.out, en("Scanning") + "\n");
    EXPECT_EQ(text.err, en("ErrorNotReady") + "\n");
    const auto json = runVantix({"scan", "--scanner", "127.0.0.2", "--job", "1", "--json"});
    EXPECT_EQ(json.status, 1);
    ASSERT_EQ(json.outJson().size(), 1u);
    EXPECT_EQ(json.outJson()[0], (nlohmann::json{{"result", -4400}, {"message", en("ErrorNotReady")}}));

    const auto missing = runVantix({"scan", "--scanner", "127.0.0.2", "--job", "5"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err, LocalizedStrings::format("CliErrorNoSuchJob", {"5"}) + "\n");
}

TEST_F(CliScan, TextShowsEachProgressTextOnceThenTheResult)
{
    start({"--scanner", "ip=127.0.0.2,status-queries-per-phase=2"});
    const auto run = runVantix({"scan", "--scanner", "127.0.0.2", "--job", "1"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.outLines(), (std::vector<std::string>{en("Scanning"), en("CreatingFile"), en("SendingFile"),
                                                        en("CompletedScan")}))
        << "texts only when they change";
}

TEST_F(CliScan, JsonHasOneLinePerProgressReportThenTheResult)
{
    start({"--scanner", "ip=127.0.0.2"});
    const auto run = runVantix({"scan", "--scanner", "127.0.0.2", "--job", "1", "--json"});
    EXPECT_EQ(run.status, 0) << run.err;
    const std::vector<nlohmann::json> expected{
        {{"progress", 0}}, {{"progress", 1}}, {{"progress", 2}}, {{"result", 0}, {"message", en("CompletedScan")}}};
    EXPECT_EQ(run.outJson(), expected);
}
