// The scan session operations against the scanner simulator over real TLS:
// what goes on the wire, and how each answer is evaluated into the record.
#include "WebApiTestSupport.h"

using nlohmann::json;

namespace {
std::shared_ptr<SettingData> shareFolderJob()
{
    auto job = std::make_shared<SettingData>();
    job->setJobNo("3");
    job->setJobName("Scan to share");
    job->sendSetting()->setUserName("OFFICE\\scan");
    job->sendSetting()->setPassword("share-pass");
    job->sendSetting()->setSendPath("\\\\files\\scans\xC2\xA5in");
    return job;
}
} // namespace

// ---- Identification -----------------------------------------------------------------

using GetScannerIdTest = SimulatedScannerTest;

TEST_F(GetScannerIdTest, SendsAPlainQueryAndTakesTheFirstScannersIdentity)
{
    Start("scanner-name=Front desk");
    auto scanner = scannerAt(kIp);
    ASSERT_TRUE(client.GetScannerID(scanner));
    EXPECT_EQ(scanner->scannerId(), JsonIdentifier::fromString("VX2"));
    EXPECT_EQ(scanner->scannerName(), "Front desk");

    auto log = requests();
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0]["method"], "GET");
    EXPECT_EQ(log[0]["path"], "/api/v1/scanners/");
    EXPECT_EQ(headersOf(log[0]), (Headers{{"Host", kIp},
                                         {"Origin", "127.0.0.1"},
                                         {"Accept-encording", "identity"},
                                         {"Cache-Control", "no-cache"}}));
    EXPECT_EQ(log[0]["body"], "");
}

TEST_F(GetScannerIdTest, KeepsANumericIdentifierAsANumber)
{
    Start("id-type=number,id=42");
    auto scanner = scannerAt(kIp);
    ASSERT_TRUE(client.GetScannerID(scanner));
    EXPECT_EQ(scanner->scannerId(), JsonIdentifier::fromNumber("42"));
    ASSERT_TRUE(client.Lock(scanner));
    EXPECT_EQ(requests().back()["path"], "/api/v1/scanners/42/connection");
}

TEST_F(GetScannerIdTest, AnswerWithoutScannersLeavesTheRecordAsItWas)
{
    for (const char* body : {R"({"scanners":[]})", R"({})", R"({"scanners":{"scanner_id":"x"}})",
                             R"({"scanners":[7,{"scanner_id":"x"}]})"}) {
        SCOPED_TRACE(body);
        StartWithBody("identify", body);
        auto scanner = scannerAt(kIp);
        scanner->setScannerId(JsonIdentifier::fromString("old"));
        scanner->setScannerName("Old name");
        EXPECT_TRUE(client.GetScannerID(scanner));
        EXPECT_EQ(scanner->scannerId(), JsonIdentifier::fromString("old"));
        EXPECT_EQ(scanner->scannerName(), "Old name");
    }
}

TEST_F(GetScannerIdTest, MissingOrMistypedMembersOfTheFirstScannerBecomeAbsent)
{
    StartWithBody("identify", R"({"scanners":[{"scanner_id":true,"scanner_name":5},{"scanner_id":"second"}]})");
    auto scanner = scannerAt(kIp);
    scanner->setScannerId(JsonIdentifier::fromString("old"));
    scanner->setScannerName("Old name");
    EXPECT_TRUE(client.GetScannerID(scanner));
    EXPECT_EQ(scanner->scannerId(), std::nullopt);
    EXPECT_EQ(scanner->scannerName(), std::nullopt);
}

TEST_F(GetScannerIdTest, UnusableAnswersFailAndAnswersThatAreNotJsonSucceedUntouched)
{
    struct Case {
        const char* fault;
        bool result;
    } cases[] = {{"fault.identify.status=503", false},      {"fault.identify.body=empty", false},
                 {"fault.identify.body=close", false},      {"fault.identify.body=huge", false},
                 {"fault.identify.body=notjson", true},     {"fault.identify.body=array", true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fault);
        Start(c.fault);
        auto scanner = scannerAt(kIp);
        scanner->setScannerId(JsonIdentifier::fromString("old"));
        scanner->setInternalCode(-4509);
        EXPECT_EQ(client.GetScannerID(scanner), c.result);
        EXPECT_EQ(scanner->scannerId(), JsonIdentifier::fromString("old"));
        EXPECT_EQ(scanner->internalCode(), -4509);
        EXPECT_EQ(requests().size(), 1u);
    }
}

// ---- Lock ---------------------------------------------------------------------------

using LockTest = SimulatedScannerTest;

TEST_F(LockTest, PostsWithoutBodyAndClearsAnOldCodeOnTextZero)
{
    Start();
    auto scanner = scannerAt(kIp);
    ASSERT_TRUE(client.GetScannerID(scanner));
    scanner->setInternalCode(-4400);
    ASSERT_TRUE(client.Lock(scanner));
    EXPECT_EQ(scanner->connectId(), JsonIdentifier::fromString("session-1"));
    EXPECT_EQ(scanner->internalCode(), 0);

    auto request = requests().back();
    EXPECT_EQ(request["method"], "POST");
    EXPECT_EQ(request["path"], "/api/v1/scanners/VX2/connection");
    EXPECT_EQ(headersOf(request), (Headers{{"Host", kIp},
                                          {"Origin", "127.0.0.1"},
                                          {"Content-Type", "application/x-www-form-urlencoded"},
                                          {"Accept", "application/json"},
                                          {"Content-Length", "0"}}));
    EXPECT_EQ(request["body"], "");
}

TEST_F(LockTest, RefusedLockFailsAndKeepsTheOldConnection)
{
    Start();
    auto scanner = lockedScanner(); // the simulator holds this lock now
    scanner->setInternalCode(-4509);
    EXPECT_FALSE(client.Lock(scanner));
    EXPECT_EQ(scanner->connectId(), JsonIdentifier::fromString("session-1"));
    EXPECT_EQ(scanner->internalCode(), -4509) << "an unusable answer writes nothing";
}

TEST_F(LockTest, OnlyAZeroCodeClearsAnOldCode)
{
    struct Case {
        const char* body;
        int64_t code;
    } cases[] = {{R"({"connection_id":"c9","internal_code":"-4400"})", -4509},
                 {R"({"connection_id":"c9","internal_code":-4400})", -4509},
                 {R"({"connection_id":"c9","internal_code":" 0"})", -4509},
                 {R"({"connection_id":"c9"})", -4509},
                 {R"({"connection_id":"c9","internal_code":0})", 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.body);
        StartWithBody("lock", c.body);
        auto scanner = scannerAt(kIp);
        ASSERT_TRUE(client.GetScannerID(scanner));
        scanner->setInternalCode(-4509);
        EXPECT_TRUE(client.Lock(scanner));
        EXPECT_EQ(scanner->connectId(), JsonIdentifier::fromString("c9"));
        EXPECT_EQ(scanner->internalCode(), c.code);
    }
}

TEST_F(LockTest, ConnectionThatIsNeitherTextNorIntegerIsAbsent)
{
    for (const char* body : {R"({"internal_code":"0"})", R"({"connection_id":{"id":1}})",
                             R"({"connection_id":true})", R"({"connection_id":1.5})", R"({"connection_id":null})"}) {
        SCOPED_TRACE(body);
        StartWithBody("lock", body);
        auto scanner = scannerAt(kIp);
        ASSERT_TRUE(client.GetScannerID(scanner));
        scanner->setConnectId(JsonIdentifier::fromString("stale"));
        EXPECT_TRUE(client.Lock(scanner));
        EXPECT_EQ(scanner->connectId(), std::nullopt);
    }
}

TEST_F(LockTest, WithoutAConnectionNothingThatNeedsOneIsSent)
{
    StartWithBody("lock", R"({"internal_code":"0"})");
    auto scanner = scannerAt(kIp);
    ASSERT_TRUE(client.GetScannerID(scanner));
    ASSERT_TRUE(client.Lock(scanner));
    size_t sent = requests().size();

    EXPECT_FALSE(client.Scan(scanner, shareFolderJob()));
    EXPECT_FALSE(client.GetStatus(scanner));
    EXPECT_FALSE(client.UnLock(scanner));
    EXPECT_EQ(requests().size(), sent);

    client.SetSetting(scanner, shareFolderJob());
    auto log = requests();
    ASSERT_EQ(log.size(), sent + 1) << "the settings go out without a connection member";
    EXPECT_FALSE(json::parse(log.back()["body"].get<std::string>()).contains("connection_id"));
}

// ---- Settings -----------------------------------------------------------------------

using SetSettingTest = SimulatedScannerTest;

TEST_F(SetSettingTest, UploadsTheSortedSettingsWithTheirByteLength)
{
    Start();
    auto scanner = lockedScanner();
    auto job = shareFolderJob();
    job->sendSetting()->setSendPath("\\\\files\\\xE5\x85\xB1\xE6\x9C\x89"); // a share named in Japanese
    EXPECT_EQ(client.SetSetting(scanner, job), 1);

    auto request = requests().back();
    EXPECT_EQ(request["method"], "PUT");
    EXPECT_EQ(request["path"], "/api/v1/scanners/VX2/settings");
    std::string body = request["body"];
    EXPECT_EQ(body, R"({"autosize":1,"colormode":4,"connection_id":"session-1","deskew":1,)"
                    "\"destination\":\"//files/\xE5\x85\xB1\xE6\x9C\x89\","
                    R"("document_orientation":0,"double_feed_detection":1,"download":0,"fileformat":2,)"
                    R"("pagesize":"AUTO","pdf_ocr":0,"resolution":200,"scanside":2,"smb_password":"share-pass",)"
                    R"("smb_username":"OFFICE/scan"})");
    EXPECT_EQ(headersOf(request), (Headers{{"Host", kIp},
                                          {"Origin", "127.0.0.1"},
                                          {"Content-Type", "application/json; charset=UTF-8"},
                                          {"Content-Length", std::to_string(body.size())}}));
    EXPECT_EQ(job->sendSetting()->sendPath(), "\\\\files\\\xE5\x85\xB1\xE6\x9C\x89");
    EXPECT_EQ(job->sendSetting()->userName(), "OFFICE\\scan");
}

TEST_F(SetSettingTest, ANumericConnectionGoesBackAsANumber)
{
    Start("conn-type=number,conn=7");
    auto scanner = lockedScanner();
    EXPECT_EQ(scanner->connectId(), JsonIdentifier::fromNumber("7"));
    EXPECT_EQ(client.SetSetting(scanner, shareFolderJob()), 1) << "the simulator checks the type";
    EXPECT_EQ(json::parse(requests().back()["body"].get<std::string>())["connection_id"].dump(), "7");
}

TEST_F(SetSettingTest, ScannerCodeFailsTheSettingsAndIsRecorded)
{
    Start("fault.settings.code=-4400");
    auto scanner = lockedScanner();
    EXPECT_EQ(client.SetSetting(scanner, shareFolderJob()), 0);
    EXPECT_EQ(scanner->internalCode(), -4400);
}

TEST_F(SetSettingTest, UnusableAnswersFailAndAnswersThatAreNotJsonSucceed)
{
    struct Case {
        const char* fault;
        int64_t result;
    } cases[] = {{"fault.settings.status=500,fault.settings.code=-4431", 0},
                 {"fault.settings.body=empty", 0},
                 {"fault.settings.body=close", 0},
                 {"fault.settings.body=notjson,fault.settings.code=-4431", 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fault);
        Start(c.fault);
        auto scanner = lockedScanner();
        scanner->setInternalCode(-4509);
        EXPECT_EQ(client.SetSetting(scanner, shareFolderJob()), c.result);
        EXPECT_EQ(scanner->internalCode(), -4509);
    }
}

TEST_F(SetSettingTest, TextThatIsNotUtf8IsReplacedRatherThanLost)
{
    Start();
    auto scanner = lockedScanner();
    auto job = shareFolderJob();
    job->sendSetting()->setPassword("pa\xFFss");
    EXPECT_EQ(client.SetSetting(scanner, job), 1);
    json body = json::parse(requests().back()["body"].get<std::string>());
    EXPECT_EQ(body["smb_password"], "pa\xEF\xBF\xBDss");
}

// ---- Scan and status ----------------------------------------------------------------

using ScanTest = SimulatedScannerTest;

TEST_F(ScanTest, StartsTheScanWithTheConnectionAndStatusOne)
{
    Start();
    auto scanner = lockedScanner();
    ASSERT_EQ(client.SetSetting(scanner, shareFolderJob()), 1);
    EXPECT_TRUE(client.Scan(scanner, shareFolderJob()));
    auto request = requests().back();
    EXPECT_EQ(request["method"], "PUT");
    EXPECT_EQ(request["path"], "/api/v1/scanners/VX2/scanning");
    std::string body = request["body"];
    EXPECT_EQ(json::parse(body), json::parse(R"({"connection_id":"session-1","status":1})"));
    EXPECT_EQ(body.find(' '), std::string::npos);
    EXPECT_EQ(headersOf(request), (Headers{{"Host", kIp},
                                          {"Origin", "127.0.0.1"},
                                          {"Content-Type", "application/json; charset=UTF-8"},
                                          {"Content-Length", std::to_string(body.size())}}));
}

TEST_F(ScanTest, ScannerCodeIsRecordedButTheStartStillCounts)
{
    Start("fault.scan.code=-4401");
    auto scanner = lockedScanner();
    EXPECT_TRUE(client.Scan(scanner, shareFolderJob()));
    EXPECT_EQ(scanner->internalCode(), -4401);
}

TEST_F(ScanTest, UnusableAnswerFails)
{
    Start("fault.scan.status=400");
    auto scanner = lockedScanner();
    EXPECT_FALSE(client.Scan(scanner, shareFolderJob()));
}

using GetStatusTest = SimulatedScannerTest;

TEST_F(GetStatusTest, FollowsTheScanThroughItsPhasesToTheEnd)
{
    Start("status-queries-per-phase=2");
    auto scanner = lockedScanner();
    ASSERT_EQ(client.SetSetting(scanner, shareFolderJob()), 1);
    ASSERT_TRUE(client.Scan(scanner, shareFolderJob()));
    std::vector<int64_t> phases;
    for (int i = 0; i < 6; ++i) {
        ASSERT_TRUE(client.GetStatus(scanner));
        EXPECT_EQ(scanner->status(), 1);
        phases.push_back(scanner->internalStatus());
    }
    EXPECT_EQ(phases, (std::vector<int64_t>{0, 0, 1, 1, 2, 2}));
    ASSERT_TRUE(client.GetStatus(scanner));
    EXPECT_EQ(scanner->status(), 0);
    EXPECT_EQ(scanner->internalStatus(), 2) << "an ended scan leaves the detail as it was";

    auto request = requests().back();
    EXPECT_EQ(request["method"], "GET");
    EXPECT_EQ(request["path"], "/api/v1/scanners/VX2/scanning?session-1:");
    EXPECT_EQ(headersOf(request), (Headers{{"Host", kIp},
                                          {"Origin", "127.0.0.1"},
                                          {"Accept-encording", "identity"},
                                          {"Cache-Control", "no-cache"}}));
}

TEST_F(GetStatusTest, QueryForANumericConnectionEndsInItsDigitsAndAColon)
{
    Start("conn-type=number,conn=7");
    auto scanner = lockedScanner();
    ASSERT_TRUE(client.Scan(scanner, shareFolderJob()));
    EXPECT_TRUE(client.GetStatus(scanner));
    EXPECT_EQ(requests().back()["path"], "/api/v1/scanners/VX2/scanning?7:");
    EXPECT_EQ(scanner->status(), 1);
}

TEST_F(GetStatusTest, ScanEndingInErrorFailsOnlyWithACode)
{
    Start("scan-end-status=2");
    auto scanner = lockedScanner();
    ASSERT_TRUE(client.Scan(scanner, shareFolderJob()));
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(client.GetStatus(scanner));
    }
    EXPECT_TRUE(client.GetStatus(scanner)) << "status 2 without a code";
    EXPECT_EQ(scanner->status(), 2);
    EXPECT_EQ(scanner->internalCode(), 0);

    Start("scan-end-status=2,scan-end-code=-4426");
    scanner = lockedScanner();
    ASSERT_TRUE(client.Scan(scanner, shareFolderJob()));
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(client.GetStatus(scanner));
    }
    EXPECT_FALSE(client.GetStatus(scanner));
    EXPECT_EQ(scanner->status(), 2);
    EXPECT_EQ(scanner->internalCode(), -4426);
}

TEST_F(GetStatusTest, EvaluatesEveryShapeOfAnswer)
{
    struct Case {
        const char* body;
        bool result;
        int64_t status;         // afterwards (starts at 9)
        int64_t internalStatus; // afterwards (starts at 9)
        int64_t code;           // afterwards (starts at -4509)
    } cases[] = {
        {R"({"status":1})", false, 1, 9, -4509},
        {R"({"status":1,"internal_status":"2"})", true, 1, 2, -4509},
        {R"({"status":" 1","internal_status":0})", true, 1, 0, -4509},
        {R"({"internal_status":1})", false, 9, 9, -4509},
        {R"({"status":null})", false, 9, 9, -4509},
        {R"({"status":0,"internal_code":-4400})", true, 0, 9, -4509},
        {R"({"status":5})", true, 5, 9, -4509},
        {R"({"status":2,"internal_code":"-4429"})", false, 2, 9, -4429},
        {"", true, 9, 9, -4509},
        {"not json", true, 9, 9, -4509},
        {"[1]", true, 9, 9, -4509},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.body);
        StartWithBody("status", c.body);
        auto scanner = lockedScanner();
        scanner->setStatus(9);
        scanner->setInternalStatus(9);
        scanner->setInternalCode(-4509);
        EXPECT_EQ(client.GetStatus(scanner), c.result);
        EXPECT_EQ(scanner->status(), c.status);
        EXPECT_EQ(scanner->internalStatus(), c.internalStatus);
        EXPECT_EQ(scanner->internalCode(), c.code);
    }
}

TEST_F(GetStatusTest, AnyStatusOtherThan200Fails)
{
    Start("fault.status.status=500,fault.status.after=1,fault.status.times=1");
    auto scanner = lockedScanner();
    ASSERT_TRUE(client.Scan(scanner, shareFolderJob()));
    EXPECT_TRUE(client.GetStatus(scanner));
    EXPECT_FALSE(client.GetStatus(scanner)) << "the second query answers 500";
    EXPECT_TRUE(client.GetStatus(scanner));
}

// ---- Unlock -------------------------------------------------------------------------

using UnLockTest = SimulatedScannerTest;

TEST_F(UnLockTest, DeletesTheConnectionWithAJsonBodyAndNoContentType)
{
    Start();
    auto scanner = lockedScanner();
    EXPECT_TRUE(client.UnLock(scanner));
    auto request = requests().back();
    EXPECT_EQ(request["method"], "DELETE");
    EXPECT_EQ(request["path"], "/api/v1/scanners/VX2/connection");
    EXPECT_EQ(request["body"], R"({"connection_id":"session-1"})");
    EXPECT_EQ(headersOf(request), (Headers{{"Host", kIp},
                                          {"Origin", "127.0.0.1"},
                                          {"Accept", "application/json"},
                                          {"Content-Length", "29"}}));
    EXPECT_TRUE(client.Lock(scanner)) << "the simulator released the lock";
    EXPECT_EQ(scanner->connectId(), JsonIdentifier::fromString("session-2"));
}

TEST_F(UnLockTest, ScannerCodeIsRecordedAndUnusableAnswersFail)
{
    Start("fault.unlock.code=-4500,fault.unlock.times=1");
    auto scanner = lockedScanner();
    EXPECT_TRUE(client.UnLock(scanner));
    EXPECT_EQ(scanner->internalCode(), -4500);

    Start("fault.unlock.status=404");
    scanner = lockedScanner();
    EXPECT_FALSE(client.UnLock(scanner));
}

TEST_F(UnLockTest, ANumericConnectionGoesBackAsANumber)
{
    Start("conn-type=number");
    auto scanner = lockedScanner();
    EXPECT_EQ(scanner->connectId(), JsonIdentifier::fromNumber("7001"));
    EXPECT_TRUE(client.UnLock(scanner));
    EXPECT_EQ(requests().back()["body"], R"({"connection_id":7001})");
}

// ---- A whole session ----------------------------------------------------------------

TEST_F(SimulatedScannerTest, AWholeScanSessionRunsInTheOrderTheScanFlowUses)
{
    Start("id-type=number,id=900,conn-type=number,conn=12,scanner-name=Lobby");
    auto scanner = scannerAt(kIp);
    ASSERT_TRUE(client.GetScannerID(scanner));
    ASSERT_TRUE(client.Lock(scanner));
    ASSERT_EQ(client.SetSetting(scanner, shareFolderJob()), 1);
    ASSERT_TRUE(client.Scan(scanner, shareFolderJob()));
    std::vector<int64_t> progress;
    while (client.GetStatus(scanner) && scanner->status() == 1 && progress.size() < 10) {
        progress.push_back(scanner->internalStatus());
    }
    EXPECT_EQ(scanner->status(), 0);
    EXPECT_EQ(progress, (std::vector<int64_t>{0, 1, 2}));
    ASSERT_TRUE(client.UnLock(scanner));
    EXPECT_EQ(scanner->internalCode(), 0);

    std::vector<std::string> calls;
    for (const auto& request : requests()) {
        calls.push_back(request["method"].get<std::string>() + " " + request["path"].get<std::string>());
    }
    const std::string base = "/api/v1/scanners/900";
    EXPECT_EQ(calls, (std::vector<std::string>{"GET /api/v1/scanners/", "POST " + base + "/connection",
                                               "PUT " + base + "/settings", "PUT " + base + "/scanning",
                                               "GET " + base + "/scanning?12:", "GET " + base + "/scanning?12:",
                                               "GET " + base + "/scanning?12:", "GET " + base + "/scanning?12:",
                                               "DELETE " + base + "/connection"}));
}
