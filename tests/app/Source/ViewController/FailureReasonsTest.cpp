// Why a scanner could not be asked who it is, as the scanner list's alert, the
// tool's text and its JSON say it, against peers that fail in each way: a
// closed port, a TLS handshake that fails, HTTP 404, an answer cut short, and
// a scanner that never answers.
#include <QLineEdit>
#include <arpa/inet.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <future>
#include <gtest/gtest.h>

#include "AppError.h"
#include "CliProcess.h"
#include "CustomButton.h"
#include "ScreenTestSupport.h"
#include "VXScanerListViewController.h"
#include "app/Source/FlowTestSupport.h"

namespace {
sockaddr_in httpsPortOf(const char* ip)
{
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(443);
    ::inet_pton(AF_INET, ip, &address.sin_addr);
    return address;
}

// True once something accepts connections on port 443 of the address.
bool accepts(const char* ip)
{
    const int probe = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const sockaddr_in address = httpsPortOf(ip);
    const bool connected = ::connect(probe, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    ::close(probe);
    return connected;
}

// The scanner list on its own, appeared without its search, as in its own tests.
class FailureReasons : public ::testing::Test {
protected:
    void SetUp() override
    {
        LocalizedStrings::setLanguage("en");
        screen.loadViewIfNeeded();
        screen.show();
        screen.viewWillAppear();
    }
    void TearDown() override
    {
        screen.viewWillDisappear();
        screen.viewDidDisappear();
    }

    void startSimulator(const std::string& keys)
    {
        sim = std::make_unique<SimulatorProcess>(
            std::vector<std::string>{"--no-mdns", "--scanner", "ip=127.0.0.2," + keys});
        ASSERT_TRUE(sim->ready()) << sim->failure();
    }

    // Asks the address from the screen and, at the same time, with the tool
    // (text and JSON): each names the reason, and the tool exits with 1.
    void expectReason(const char* ip, const std::string& sentence, const std::string& keyword)
    {
        const std::string message = LocalizedStrings::text("ErrorNoDetectScanner") + " " + sentence;
        auto text = std::async(std::launch::async, [ip] { return runVantix({"identify", ip}); });
        auto json = std::async(std::launch::async, [ip] { return runVantix({"identify", ip, "--json"}); });
        screen.ipadressfeild->setText(ip);
        screen.searchbutton->click();
        ASSERT_TRUE(QTest::qWaitFor([&] { return !environment.alerts.empty(); }, 45000));
        EXPECT_EQ(environment.alerts, std::vector<std::string>{message});

        const CliResult said = text.get();
        EXPECT_EQ(said.status, 1);
        EXPECT_EQ(said.out, "");
        EXPECT_EQ(said.err, message + "\n");
        const CliResult written = json.get();
        EXPECT_EQ(written.status, 1);
        EXPECT_EQ(written.err, "");
        ASSERT_EQ(written.outJson().size(), 1u) << written.out;
        EXPECT_EQ(written.outJson()[0],
                  nlohmann::json({{"result", AppError::NoDetectScanner}, {"message", message}, {"reason", keyword}}));
    }

    ScratchJobStore store;
    ScreenFlowEnvironment environment;
    VXScanerListViewController screen;
    std::unique_ptr<SimulatorProcess> sim;
};
} // namespace

TEST_F(FailureReasons, AClosedPortRefusesTheConnection)
{
    expectReason("127.0.0.9", LocalizedStrings::text("ReasonRefused"), "refused");
}

TEST_F(FailureReasons, ATlsPeerWithoutAUsableCipherFailsTheHandshake)
{
    // OpenSSL's test server offering only anonymous ciphers, which no scanner
    // connection takes: the handshake ends with an alert.
    const pid_t server = ::fork();
    if (server == 0) {
        ::execlp("openssl", "openssl", "s_server", "-quiet", "-nocert", "-no_tls1_3", "-cipher", "aNULL:@SECLEVEL=0",
                 "-accept", "127.0.0.7:443", static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ASSERT_GT(server, 0);
    EXPECT_TRUE(QTest::qWaitFor([] { return accepts("127.0.0.7"); }, 10000)) << "openssl s_server did not start";
    expectReason("127.0.0.7", LocalizedStrings::text("ReasonTls"), "tls");
    ::kill(server, SIGTERM);
    ::waitpid(server, nullptr, 0);
}

TEST_F(FailureReasons, AnHttpErrorIsNamedByItsStatus)
{
    startSimulator("fault.identify.status=404");
    expectReason("127.0.0.2", LocalizedStrings::format("ReasonHttpStatus", {"404"}), "http-404");
}

TEST_F(FailureReasons, AnAnswerCutShortIsAClosedConnection)
{
    startSimulator("fault.identify.body=truncated");
    expectReason("127.0.0.2", LocalizedStrings::text("ReasonClosed"), "closed");
}

// The one case that waits for the 30-second limit; the screen and both runs of
// the tool wait at the same time.
TEST_F(FailureReasons, AScannerThatNeverAnswersTimesOut)
{
    // A port that listens, but nobody ever accepts: connections wait in its
    // backlog until the client gives up.
    const int silent = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const sockaddr_in address = httpsPortOf("127.0.0.3");
    ASSERT_EQ(::bind(silent, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0) << "run inside netns-run.sh";
    ASSERT_EQ(::listen(silent, 4), 0);
    expectReason("127.0.0.3", LocalizedStrings::text("ReasonTimedOut"), "timeout");
    ::close(silent);
}
