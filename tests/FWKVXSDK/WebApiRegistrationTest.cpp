// Job registration requests against the scanner simulator over real TLS.
#include <sys/stat.h>

#include "FWKVXSDK/EnumExtensions.h"
#include "FWKVXSDK/JobTitleEncoder.h"
#include "WebApiTestSupport.h"

using nlohmann::json;

namespace {
std::shared_ptr<SettingData> storageJob(const std::string& number)
{
    auto job = std::make_shared<SettingData>();
    job->setJobNo(number);
    job->setJobName("Job " + number);
    job->setFileFormat(FileFormat::PdfOcr);
    job->sendSetting()->setDestinationType(DestinationType::DeviceStorage);
    job->sendSetting()->setUserName("kept\\user");
    job->sendSetting()->setPassword("kept-pass");
    job->sendSetting()->setSendPath("\xC2\xA5\xC2\xA5" "kept\xC2\xA5path");
    return job;
}
} // namespace

using RegisterTest = SimulatedScannerTest;

TEST_F(RegisterTest, UploadsTheJobWithItsNumberTitleAndPassword)
{
    Start("password=job-pw");
    auto scanner = scannerAt(kIp);
    auto job = storageJob("12");
    job->setJobName("\xE8\xAB\x8B\xE6\xB1\x82\xE6\x9B\xB8 2024"); // "invoices 2024" in Japanese
    EXPECT_EQ(client.Register(scanner, job, std::string("job-pw")), 1);

    auto request = requests().back();
    EXPECT_EQ(request["method"], "PUT");
    EXPECT_EQ(request["path"], "/api/v1/job/settings");
    std::string body = request["body"];
    EXPECT_EQ(headersOf(request), (Headers{{"Host", kIp},
                                          {"Origin", "127.0.0.1"},
                                          {"Content-Type", "application/json; charset=UTF-8"},
                                          {"Content-Length", std::to_string(body.size())}}));
    EXPECT_EQ(body, json::parse(body).dump()) << "compact, with the name's text as raw UTF-8";
    json sent = json::parse(body);
    EXPECT_EQ(sent["job_id"].dump(), "12");
    EXPECT_EQ(sent["job_password"], "job-pw");
    EXPECT_EQ(sent["job_title"], JobTitleEncoder::encode(job->jobName()));
    EXPECT_EQ(sent["download"], 1);
    EXPECT_EQ(sent["destination"], "//kept/path");
    EXPECT_EQ(sent["smb_username"], "kept/user");
    EXPECT_EQ(sent["smb_password"], "kept-pass");
    EXPECT_EQ(sent["fileformat"], 2);
    EXPECT_EQ(sent["pdf_ocr"], 1);
    EXPECT_FALSE(sent.contains("connection_id"));
    EXPECT_EQ(job->sendSetting()->sendPath(), "\xC2\xA5\xC2\xA5" "kept\xC2\xA5path");
}

TEST_F(RegisterTest, LongTitlesArriveBrokenIntoCrLfLines)
{
    Start();
    auto job = storageJob("1");
    job->setJobName(std::string(24, 'x'));
    EXPECT_EQ(client.Register(scannerAt(kIp), job, std::string("pw")), 1);
    std::string title = json::parse(requests().back()["body"].get<std::string>())["job_title"];
    ASSERT_EQ(title.size(), 70u);
    EXPECT_EQ(title.substr(64, 2), "\r\n");
}

TEST_F(RegisterTest, WrongPasswordIsRefused)
{
    Start("password=right");
    auto scanner = scannerAt(kIp);
    EXPECT_EQ(client.Register(scanner, storageJob("4"), std::string("wrong")), -1);
    EXPECT_EQ(client.Delete(scanner, std::string("wrong"), 4), -1);
    EXPECT_EQ(client.Register(scanner, storageJob("4"), std::string("right")), 1);
}

TEST_F(RegisterTest, ResultsMapToAcceptedRefusedOrFailed)
{
    struct Case {
        const char* body;
        int64_t result;
        int64_t code; // afterwards, starting at -4509
    } cases[] = {
        {R"({"result":0})", 1, -4509},
        {R"({"result":"0"})", 1, -4509},
        {R"({"result":-1})", -1, -4509},
        {R"({"result":-2})", 0, -4509},
        {R"({"result":3})", 0, -4509},
        {R"({})", 1, -4509},
        {R"({"result":-1,"internal_code":-4400})", -1, -4400},
        {R"({"result":0,"internal_code":"-4506"})", 1, -4506},
        {R"({"result":-2,"internal_code":0})", 0, -4509},
        {R"({"result":true})", 1, -4509},
        {"not json", 1, -4509},
        {"[]", 1, -4509},
    };
    for (const char* op : {"register", "delete"}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(op) + " " + c.body);
            StartWithBody(op, c.body);
            auto scanner = scannerAt(kIp);
            scanner->setInternalCode(-4509);
            int64_t result = std::string(op) == "register" ? client.Register(scanner, storageJob("5"), "pw")
                                                           : client.Delete(scanner, std::string("pw"), 5);
            EXPECT_EQ(result, c.result);
            EXPECT_EQ(scanner->internalCode(), c.code);
        }
    }
}

TEST_F(RegisterTest, UnusableAnswersFailWithoutTouchingTheCode)
{
    for (const char* fault : {"status=500,fault.register.code=-4400", "body=empty", "body=close", "body=huge"}) {
        SCOPED_TRACE(fault);
        Start(std::string("fault.register.") + fault);
        auto scanner = scannerAt(kIp);
        scanner->setInternalCode(-4509);
        EXPECT_EQ(client.Register(scanner, storageJob("5"), std::string("pw")), 0);
        EXPECT_EQ(scanner->internalCode(), -4509);
    }
}

using DeleteTest = SimulatedScannerTest;

TEST_F(DeleteTest, SendsOnlyThePasswordAndTheNumberWithoutContentType)
{
    Start("password=pw");
    EXPECT_EQ(client.Delete(scannerAt(kIp), std::string("pw"), 5), 1);
    auto request = requests().back();
    EXPECT_EQ(request["method"], "DELETE");
    EXPECT_EQ(request["path"], "/api/v1/job/settings");
    std::string body = request["body"];
    EXPECT_EQ(json::parse(body), json::parse(R"({"job_password":"pw","job_id":5})"));
    EXPECT_EQ(body.find(' '), std::string::npos);
    EXPECT_EQ(headersOf(request), (Headers{{"Host", kIp},
                                          {"Origin", "127.0.0.1"},
                                          {"Accept", "application/json"},
                                          {"Content-Length", std::to_string(body.size())}}));
}

TEST_F(DeleteTest, WithoutAPasswordNothingIsSent)
{
    Start();
    auto scanner = scannerAt(kIp);
    EXPECT_EQ(client.Delete(scanner, std::nullopt, 5), 0);
    EXPECT_TRUE(requests().empty());
    EXPECT_EQ(client.Delete(scanner, std::string(), 5), 1) << "an empty password is still a password";
}

TEST_F(DeleteTest, SlotRefusalCarriesTheScannersResultAndCode)
{
    Start("refuse-slot=7,refuse-result=-2,refuse-code=-4513");
    auto scanner = scannerAt(kIp);
    EXPECT_EQ(client.Delete(scanner, std::string("pw"), 6), 1);
    EXPECT_EQ(client.Delete(scanner, std::string("pw"), 7), 0);
    EXPECT_EQ(scanner->internalCode(), -4513);
}

// ---- A whole registration run -------------------------------------------------------

TEST_F(SimulatedScannerTest, AWhole99SlotRegistrationRunsAsTheRegistrationFlowDrivesIt)
{
    Start("password=tbl-pw,conn-type=number");
    auto scanner = scannerAt(kIp);
    scanner->setScannerId(JsonIdentifier::fromString(""));
    ASSERT_TRUE(client.GetScannerID(scanner));
    ASSERT_TRUE(client.Lock(scanner));
    for (int64_t slot = 1; slot <= 99; ++slot) {
        int64_t result = slot % 3 == 1 ? client.Register(scanner, storageJob(std::to_string(slot)), "tbl-pw")
                                       : client.Delete(scanner, std::string("tbl-pw"), slot);
        ASSERT_EQ(result, 1) << slot;
    }
    ASSERT_TRUE(client.UnLock(scanner));

    auto log = requests();
    ASSERT_EQ(log.size(), 102u);
    EXPECT_EQ(log.front()["path"], "/api/v1/scanners/");
    EXPECT_EQ(log[1]["path"], "/api/v1/scanners/VX2/connection");
    for (int64_t slot = 1; slot <= 99; ++slot) {
        const json& request = log[static_cast<size_t>(slot + 1)];
        EXPECT_EQ(request["method"], slot % 3 == 1 ? "PUT" : "DELETE") << slot;
        EXPECT_EQ(json::parse(request["body"].get<std::string>())["job_id"], slot);
    }
    EXPECT_EQ(log.back()["method"], "DELETE");
    EXPECT_EQ(log.back()["body"], R"({"connection_id":7001})");
}

TEST_F(SimulatedScannerTest, ARefusedSlotStopsARegistrationRun)
{
    Start("password=pw,refuse-slot=5");
    auto scanner = lockedScanner();
    int64_t last = 0;
    int64_t slot = 1;
    for (; slot <= 99; ++slot) {
        last = client.Delete(scanner, std::string("pw"), slot);
        if (last != 1) {
            break;
        }
    }
    EXPECT_EQ(slot, 5);
    EXPECT_EQ(last, -1);
    EXPECT_EQ(scanner->internalCode(), 0);
    EXPECT_TRUE(client.UnLock(scanner));
}

// ---- What the simulator keeps to itself ---------------------------------------------

TEST_F(SimulatedScannerTest, PasswordsReachTheLogFileOnlyAndItIsPrivate)
{
    Start("password=Very-Secret-1", {"--verbose"});
    auto job = storageJob("2");
    job->sendSetting()->setPassword("Share-Secret-2");
    EXPECT_EQ(client.Register(scannerAt(kIp), job, std::string("Very-Secret-1")), 1);
    EXPECT_EQ(client.Delete(scannerAt(kIp), std::string("Very-Secret-1"), 3), 1);
    EXPECT_EQ(sim->Stop(), 0) << "a clean shutdown on SIGTERM";
    std::string printed = sim->standardOutput() + sim->standardError();
    EXPECT_NE(printed.find("PUT /api/v1/job/settings"), std::string::npos) << printed;
    EXPECT_EQ(printed.find("Secret"), std::string::npos) << printed;

    struct stat info {};
    ASSERT_EQ(stat(sim->logPath().c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
}
