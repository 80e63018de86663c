// Why a scanner could not be asked who it is, in the scanner list's alert, for
// the failures the other screens' cases do not meet: a TLS handshake that
// fails, an answer cut short, and a scanner that never answers.
#include <QLineEdit>
#include <arpa/inet.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

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
} // namespace

// The one case that waits for the 30-second limit.
TEST(FailureReasons, TheScannerListsAlertNamesWhyTheScannerDidNotAnswer)
{
    LocalizedStrings::setLanguage("en");
    ScratchJobStore store;
    SimulatorProcess sim({"--no-mdns", "--scanner", "ip=127.0.0.2,fault.identify.body=truncated"});
    ASSERT_TRUE(sim.ready()) << sim.failure();
    // Listens, but never accepts: connections wait in the backlog until the client gives up.
    const int silent = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const sockaddr_in address = httpsPortOf("127.0.0.3");
    ASSERT_EQ(::bind(silent, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0) << "run inside netns-run.sh";
    ASSERT_EQ(::listen(silent, 4), 0);
    // Offers only anonymous ciphers, which no scanner connection takes.
    const pid_t tls = ::fork();
    if (tls == 0) {
        ::execlp("openssl", "openssl", "s_server", "-quiet", "-nocert", "-no_tls1_3", "-cipher", "aNULL:@SECLEVEL=0",
                 "-accept", "127.0.0.7:443", static_cast<char*>(nullptr));
        ::_exit(127);
    }
    EXPECT_TRUE(QTest::qWaitFor([] {
        const int probe = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        const sockaddr_in address = httpsPortOf("127.0.0.7");
        const bool connected = ::connect(probe, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
        ::close(probe);
        return connected;
    }, 10000)) << "openssl s_server did not start";

    ScreenFlowEnvironment environment;
    VXScanerListViewController screen;
    screen.loadViewIfNeeded();
    screen.show();
    screen.viewWillAppear();
    for (const auto& [ip, reason] : std::vector<std::pair<const char*, const char*>>{
             {"127.0.0.7", "ReasonTls"}, {"127.0.0.2", "ReasonClosed"}, {"127.0.0.3", "ReasonTimedOut"}}) {
        environment.alerts.clear();
        screen.ipadressfeild->setText(ip);
        screen.searchbutton->click();
        EXPECT_TRUE(QTest::qWaitFor([&] { return !environment.alerts.empty(); }, 45000)) << ip;
        EXPECT_EQ(environment.alerts, std::vector<std::string>{LocalizedStrings::text("ErrorNoDetectScanner") + " " +
                                                               LocalizedStrings::text(reason)});
    }
    screen.viewWillDisappear();
    screen.viewDidDisappear();
    ::kill(tls, SIGTERM);
    ::waitpid(tls, nullptr, 0);
    ::close(silent);
}
