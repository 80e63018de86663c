// Why a request failed, kept in the scanner record and reported to the request
// trace; and the older TLS stacks of scanner firmware.
#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <curl/curl.h>

#include <cstdlib>
#include <mutex>
#include <thread>

#include "FWKVXSDK/WebApiTrace.h"
#include "WebApiTestSupport.h"

using Reason = WebApiFailure::Reason;

namespace {

// Collects the trace while it lives.
class TraceLog {
public:
    TraceLog()
    {
        WebApiTrace::install([this](const WebApiTrace::Entry& entry) {
            std::lock_guard<std::mutex> guard(mLock);
            mEntries.push_back(entry);
        });
    }
    ~TraceLog() { WebApiTrace::install(nullptr); }
    std::vector<WebApiTrace::Entry> entries() const
    {
        std::lock_guard<std::mutex> guard(mLock);
        return mEntries;
    }

private:
    mutable std::mutex mLock;
    std::vector<WebApiTrace::Entry> mEntries;
};

// A port that speaks plain text where TLS is expected, for one connection.
class PlainTextListener {
public:
    explicit PlainTextListener(const char* ip)
    {
        mSocket = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(443);
        inet_pton(AF_INET, ip, &address.sin_addr);
        mListening = mSocket >= 0 && bind(mSocket, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
                     listen(mSocket, 1) == 0;
        if (mListening) {
            mThread = std::thread([this] {
                int connection = accept(mSocket, nullptr, nullptr);
                if (connection >= 0) {
                    const char answer[] = "HTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\n{}";
                    (void)!write(connection, answer, sizeof answer - 1);
                    close(connection);
                }
            });
        }
    }
    ~PlainTextListener()
    {
        if (mThread.joinable()) {
            mThread.join();
        }
        close(mSocket);
    }
    bool listening() const { return mListening; }

private:
    int mSocket = -1;
    bool mListening = false;
    std::thread mThread;
};

using RequestFailureTest = SimulatedScannerTest;

TEST_F(RequestFailureTest, EachReasonIsKeptBesideTheResultsOfTheOperation)
{
    Start("fault.identify.status=404,fault.identify.times=1,"
          "fault.lock.body=empty,fault.lock.times=1,"
          "fault.settings.body=notjson,fault.settings.times=1");
    auto scanner = scannerAt(kIp);
    EXPECT_FALSE(client.GetScannerID(scanner));
    EXPECT_EQ(scanner->lastRequestFailure().reason, Reason::HttpStatus);
    EXPECT_EQ(scanner->lastRequestFailure().httpStatus, 404);
    EXPECT_EQ(scanner->lastRequestFailure().text(), "HTTP status 404");

    EXPECT_TRUE(client.GetScannerID(scanner));
    EXPECT_FALSE(scanner->lastRequestFailure().failed()) << "a good answer clears the reason";
    EXPECT_FALSE(client.Lock(scanner));
    EXPECT_EQ(scanner->lastRequestFailure().reason, Reason::EmptyAnswer);
    EXPECT_FALSE(client.Lock(scanner)) << "the empty answer came after the scanner had locked";
    EXPECT_EQ(scanner->lastRequestFailure().httpStatus, 409);

    // The operation's own result stays as defined: an answer that is not JSON is success.
    auto job = std::make_shared<SettingData>();
    job->setJobNo("1");
    EXPECT_EQ(client.SetSetting(scanner, job), 1);
    EXPECT_EQ(scanner->lastRequestFailure().reason, Reason::UnreadableAnswer);

    // Nothing sent when the request cannot be built.
    auto unlocked = scannerAt(kIp);
    unlocked->setScannerId(JsonIdentifier::fromString("VX2"));
    EXPECT_FALSE(client.UnLock(unlocked));
    EXPECT_EQ(unlocked->lastRequestFailure().reason, Reason::NotSent);
}

TEST_F(RequestFailureTest, AnIdentityInAnotherShapeIsAnUnreadableAnswer)
{
    StartWithBody("identify", R"({"scanners":[{"id":"VX2"}]})");
    auto scanner = scannerAt(kIp);
    EXPECT_TRUE(client.GetScannerID(scanner));
    EXPECT_EQ(scanner->scannerId(), std::nullopt);
    EXPECT_EQ(scanner->lastRequestFailure().reason, Reason::UnreadableAnswer);
}

TEST(RequestFailure, TransportFailuresAreToldApart)
{
    WebApiClient client;
    auto refused = scannerAt("127.0.0.9");
    EXPECT_FALSE(client.GetScannerID(refused));
    EXPECT_EQ(refused->lastRequestFailure().reason, Reason::ConnectionRefused);

    auto unroutable = scannerAt("192.0.2.1"); // no route inside the test's namespace
    EXPECT_FALSE(client.GetScannerID(unroutable));
    EXPECT_EQ(unroutable->lastRequestFailure().reason, Reason::Unreachable);

    PlainTextListener plain("127.0.0.5");
    ASSERT_TRUE(plain.listening()) << "run inside netns-run.sh";
    auto noTls = scannerAt("127.0.0.5");
    EXPECT_FALSE(client.GetScannerID(noTls));
    EXPECT_EQ(noTls->lastRequestFailure().reason, Reason::TlsHandshake);
    EXPECT_NE(noTls->lastRequestFailure().detail, "") << "the TLS library's words are kept";
}

using RequestTraceTest = SimulatedScannerTest;

TEST_F(RequestTraceTest, EveryRequestIsReportedOnceWithItsOutcomeAndNoBody)
{
    Start("password=job-secret-1,fault.delete.status=500");
    TraceLog trace;
    auto scanner = lockedScanner();
    auto job = std::make_shared<SettingData>();
    job->setJobNo("3");
    job->sendSetting()->setPassword("share-secret-2");
    EXPECT_EQ(client.Register(scanner, job, std::string("job-secret-1")), 1);
    EXPECT_EQ(client.Delete(scanner, std::string("job-secret-1"), 4), 0);
    EXPECT_FALSE(client.UnLock(scannerAt(kIp))) << "not sent, so not traced";

    auto entries = trace.entries();
    ASSERT_EQ(entries.size(), 4u);
    const std::string base = std::string("https://") + kIp;
    EXPECT_EQ(entries[0].method, "GET");
    EXPECT_EQ(entries[0].url, base + "/api/v1/scanners/");
    EXPECT_EQ(entries[1].method, "POST");
    EXPECT_EQ(entries[2].method, "PUT");
    EXPECT_EQ(entries[2].url, base + "/api/v1/job/settings");
    EXPECT_EQ(entries[2].status, 200);
    EXPECT_FALSE(entries[2].failure.failed());
    EXPECT_EQ(entries[3].method, "DELETE");
    EXPECT_EQ(entries[3].status, 500);
    EXPECT_EQ(entries[3].failure.reason, Reason::HttpStatus);
    EXPECT_EQ(WebApiTrace::describe(entries[3]),
              "DELETE " + base + "/api/v1/job/settings -> HTTP status 500 (" +
                  std::to_string(entries[3].elapsed.count()) + " ms)");
    for (const auto& entry : entries) {
        const std::string line = WebApiTrace::describe(entry);
        EXPECT_EQ(line.find("secret"), std::string::npos) << line;
    }
}

// Older firmware: one TLS version only, legacy certificates.
using OlderScannerTlsTest = SimulatedScannerTest;

TEST_F(OlderScannerTlsTest, TlsOneZeroAndOneOneScannersWithLegacyCertificatesAreReached)
{
    for (const char* keys : {"tls=1.0,cert=legacy", "tls=1.1", "tls=1.1,cert=legacy", "tls=1.3"}) {
        SCOPED_TRACE(keys);
        Start(keys);
        auto scanner = lockedScanner();
        EXPECT_EQ(scanner->scannerId(), JsonIdentifier::fromString("VX2"));
        EXPECT_TRUE(client.UnLock(scanner));
        EXPECT_FALSE(scanner->lastRequestFailure().failed()) << scanner->lastRequestFailure().text();
        sim.reset();
    }
}

TEST_F(OlderScannerTlsTest, OnlyTheScannerConnectionsAcceptOldTls)
{
    Start("tls=1.0,cert=legacy");
    auto scanner = scannerAt(kIp);
    EXPECT_TRUE(client.GetScannerID(scanner));

    // A connection of the same process with the library's defaults still refuses TLS 1.0.
    CURL* easy = curl_easy_init();
    ASSERT_NE(easy, nullptr);
    const std::string url = std::string("https://") + kIp + "/api/v1/scanners/";
    curl_easy_setopt(easy, CURLOPT_URL, url.c_str());
    curl_easy_setopt(easy, CURLOPT_SSL_VERIFYPEER, 0L);
    curl_easy_setopt(easy, CURLOPT_SSL_VERIFYHOST, 0L);
    curl_easy_setopt(easy, CURLOPT_NOBODY, 1L);
    curl_easy_setopt(easy, CURLOPT_TIMEOUT, 10L);
    EXPECT_EQ(curl_easy_perform(easy), CURLE_SSL_CONNECT_ERROR);
    curl_easy_cleanup(easy);
}

TEST_F(OlderScannerTlsTest, OpenSslServerSpeakingOnlyTlsOneZeroIsReached)
{
    // OpenSSL's own test server as the peer: TLS 1.0 only, an RSA 1024 key with
    // a SHA-1 signature. It answers with a status page that is no scanner's JSON.
    const std::string key = folder + "/key.pem";
    const std::string cert = folder + "/cert.pem";
    const std::string made = "openssl req -x509 -newkey rsa:1024 -sha1 -nodes -days 2 -subj /CN=old-scanner"
                             " -keyout " + key + " -out " + cert + " 2>/dev/null";
    ASSERT_EQ(std::system(made.c_str()), 0);
    pid_t server = fork();
    if (server == 0) {
        int quiet = open("/dev/null", O_WRONLY);
        dup2(quiet, 1);
        dup2(quiet, 2);
        execlp("openssl", "openssl", "s_server", "-quiet", "-tls1", "-cipher", "DEFAULT@SECLEVEL=0", "-www",
               "-accept", "127.0.0.6:443", "-key", key.c_str(), "-cert", cert.c_str(), nullptr);
        _exit(127);
    }
    ASSERT_GT(server, 0);
    auto scanner = scannerAt("127.0.0.6");
    bool identified = false;
    for (int attempt = 0; attempt < 100 && !identified; ++attempt) {
        identified = client.GetScannerID(scanner); // refused until the server listens
        if (!identified) {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
    }
    kill(server, SIGTERM);
    waitpid(server, nullptr, 0);
    EXPECT_TRUE(identified) << scanner->lastRequestFailure().text();
    EXPECT_EQ(scanner->lastRequestFailure().reason, Reason::UnreadableAnswer)
        << "the handshake and the request went through";
}

} // namespace
