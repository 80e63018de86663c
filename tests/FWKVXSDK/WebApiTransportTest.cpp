// What all scanner requests share: refusing unsafe URLs, failing cleanly when no
// answer comes, accepting any certificate, ignoring proxies, and the client's
// discovery role.
#include <stdlib.h>

#include <chrono>

#include "WebApiTestSupport.h"

using nlohmann::json;
using Clock = std::chrono::steady_clock;

namespace {
// Runs every operation once on the record; true when all of them failed.
bool everyOperationFails(WebApiClient& client, const std::shared_ptr<ScannerData>& scanner)
{
    auto job = std::make_shared<SettingData>();
    job->setJobNo("1");
    bool anySucceeded = client.GetScannerID(scanner) || client.Lock(scanner) ||
                        client.SetSetting(scanner, job) != 0 || client.Scan(scanner, job) ||
                        client.GetStatus(scanner) || client.UnLock(scanner) ||
                        client.Register(scanner, job, std::string("pw")) != 0 ||
                        client.Delete(scanner, std::string("pw"), 1) != 0;
    return !anySucceeded;
}

std::shared_ptr<ScannerData> fullRecord(const std::string& ip)
{
    auto scanner = scannerAt(ip);
    scanner->setScannerId(JsonIdentifier::fromString("VX2"));
    scanner->setConnectId(JsonIdentifier::fromString("session-1"));
    scanner->setInternalCode(-4509);
    return scanner;
}
} // namespace

TEST(WebApiLocalAddress, ResolvesToTheLastIpv4AddressOrNothing)
{
    EXPECT_EQ(WebApiClient::GetIpAddress(std::string("localhost")), "127.0.0.1");
    EXPECT_EQ(WebApiClient::GetIpAddress(std::nullopt), "127.0.0.1");
    EXPECT_EQ(WebApiClient::GetIpAddress(std::string("127.0.0.5")), "127.0.0.5");
    EXPECT_EQ(WebApiClient::GetIpAddress(std::string("::1")), std::nullopt) << "no IPv4 result";
}

using UnsafeRequestTest = SimulatedScannerTest;

TEST_F(UnsafeRequestTest, AddressesThatAreNotPlainHostsSendNothing)
{
    Start();
    for (std::optional<std::string> ip : std::initializer_list<std::optional<std::string>>{
             std::nullopt, std::string(""), std::string("127.0.0.2:443"), std::string("127.0.0.2/api"),
             std::string("127.0.0.2#"), std::string("127.0.0.2 "), std::string("evil@127.0.0.2")}) {
        SCOPED_TRACE(ip.value_or("(absent)"));
        auto scanner = fullRecord(kIp);
        scanner->setScannerIp(ip);
        EXPECT_TRUE(everyOperationFails(client, scanner));
        EXPECT_EQ(scanner->internalCode(), -4509);
    }
    EXPECT_TRUE(requests().empty());
}

TEST_F(UnsafeRequestTest, IdentifiersThatWouldLeaveTheirPlaceInTheUrlSendNothing)
{
    Start();
    auto job = std::make_shared<SettingData>();
    for (const char* id : {"VX2/../job", "VX2?x", "VX2#frag", "VX 2", "VX2\r\nX-Injected: 1", "VX2\\x"}) {
        SCOPED_TRACE(id);
        auto scanner = fullRecord(kIp);
        scanner->setScannerId(JsonIdentifier::fromString(id));
        EXPECT_FALSE(client.Lock(scanner));
        EXPECT_EQ(client.SetSetting(scanner, job), 0);
        EXPECT_FALSE(client.Scan(scanner, job));
        EXPECT_FALSE(client.GetStatus(scanner));
        EXPECT_FALSE(client.UnLock(scanner));
    }
    auto absent = fullRecord(kIp);
    absent->setScannerId(std::nullopt);
    EXPECT_FALSE(client.Lock(absent));
    EXPECT_TRUE(requests().empty());
}

TEST_F(UnsafeRequestTest, AnUnsafeConnectionBlocksOnlyTheStatusQuery)
{
    StartWithBody("lock", R"({"connection_id":"a b#c","internal_code":"0"})");
    auto scanner = lockedScanner();
    EXPECT_EQ(scanner->connectId(), JsonIdentifier::fromString("a b#c"));
    size_t sent = requests().size();
    EXPECT_FALSE(client.GetStatus(scanner));
    EXPECT_EQ(requests().size(), sent) << "it would have gone into the URL";
    client.UnLock(scanner);
    auto log = requests();
    ASSERT_EQ(log.size(), sent + 1) << "in a body it is only text";
    EXPECT_EQ(log.back()["body"], R"({"connection_id":"a b#c"})");
}

using VerbatimUrlTest = SimulatedScannerTest;

TEST_F(VerbatimUrlTest, DotIdentifiersReachTheScannerAsTheyAreWithoutPathSquashing)
{
    for (const char* id : {".", ".."}) {
        SCOPED_TRACE(id);
        Start(std::string("id=") + id);
        auto scanner = scannerAt(kIp);
        ASSERT_TRUE(client.GetScannerID(scanner));
        EXPECT_TRUE(client.Lock(scanner));
        EXPECT_TRUE(client.UnLock(scanner));
        std::vector<std::string> paths;
        for (const auto& request : requests()) {
            paths.push_back(request["path"]);
        }
        std::string resource = std::string("/api/v1/scanners/") + id + "/connection";
        EXPECT_EQ(paths, (std::vector<std::string>{"/api/v1/scanners/", resource, resource}));
    }
}

TEST(WebApiUnreachable, RefusedOrUnroutableAddressesFailAtOnceAndLeaveTheCode)
{
    WebApiClient client;
    // Nothing listens on 127.0.0.9; 192.0.2.1 has no route inside the test's namespace.
    for (const char* ip : {"127.0.0.9", "192.0.2.1"}) {
        SCOPED_TRACE(ip);
        auto scanner = fullRecord(ip);
        auto started = Clock::now();
        EXPECT_TRUE(everyOperationFails(client, scanner));
        EXPECT_LT(Clock::now() - started, std::chrono::seconds(10));
        EXPECT_EQ(scanner->internalCode(), -4509);
        EXPECT_EQ(scanner->connectId(), JsonIdentifier::fromString("session-1"));
    }
}

using DroppedConnectionTest = SimulatedScannerTest;

TEST_F(DroppedConnectionTest, AConnectionClosedWithoutAnswerIsAFailureForEveryOperation)
{
    std::string keys;
    for (const char* op : {"identify", "lock", "settings", "scan", "status", "unlock", "register", "delete"}) {
        keys += std::string(keys.empty() ? "" : ",") + "fault." + op + ".body=close";
    }
    Start(keys);
    auto scanner = fullRecord(kIp);
    EXPECT_TRUE(everyOperationFails(client, scanner));
    EXPECT_EQ(scanner->lastRequestFailure().reason, WebApiFailure::Reason::NoAnswer);
    EXPECT_EQ(requests().size(), 8u) << "every request reached the scanner";
    EXPECT_EQ(scanner->internalCode(), -4509);
}

using TlsAcceptanceTest = SimulatedScannerTest;

TEST_F(TlsAcceptanceTest, ExpiredCertificateForAnotherHostIsAccepted)
{
    Start("cert=expired");
    auto scanner = scannerAt(kIp);
    EXPECT_TRUE(client.GetScannerID(scanner));
    EXPECT_EQ(scanner->scannerId(), JsonIdentifier::fromString("VX2"));
}

using ProxyTest = SimulatedScannerTest;

TEST_F(ProxyTest, ProxySettingsOfTheEnvironmentAreIgnored)
{
    Start();
    const char* names[] = {"https_proxy", "HTTPS_PROXY", "all_proxy", "ALL_PROXY"};
    for (const char* name : names) {
        setenv(name, "http://127.0.0.1:9", 1);
    }
    auto scanner = scannerAt(kIp);
    bool identified = client.GetScannerID(scanner);
    for (const char* name : names) {
        unsetenv(name);
    }
    EXPECT_TRUE(identified);
    EXPECT_EQ(requests().size(), 1u);
}

using SlowAnswerTest = SimulatedScannerTest;

TEST_F(SlowAnswerTest, TheCallerWaitsForALateAnswer)
{
    Start("fault.identify.delay-ms=400");
    auto scanner = scannerAt(kIp);
    auto started = Clock::now();
    EXPECT_TRUE(client.GetScannerID(scanner));
    EXPECT_GE(Clock::now() - started, std::chrono::milliseconds(400));
    EXPECT_EQ(scanner->scannerId(), JsonIdentifier::fromString("VX2")) << "written before the call returned";
}

using TerminateTest = SimulatedScannerTest;

TEST_F(TerminateTest, AfterTerminateDiscoveryIsRefusedButRequestsStillWork)
{
    Start();
    client.terminate();
    bool called = false;
    EXPECT_FALSE(client.GetHostListWithCompletion([&](bool, std::vector<std::shared_ptr<ScannerData>>) {
        called = true;
    }));
    client.terminate(); // a second terminate is harmless
    auto scanner = scannerAt(kIp);
    EXPECT_TRUE(client.GetScannerID(scanner));
    EXPECT_TRUE(client.Lock(scanner));
    EXPECT_TRUE(client.UnLock(scanner));
    EXPECT_FALSE(called);
}
