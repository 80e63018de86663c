// Why a scanner could not be asked who it is, in the scanner list's alert, for
// the failures the other screens' cases do not meet: a TLS handshake that
// fails, an answer cut short, and a scanner that never answers.
#include <QLineEdit>
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>
#include <thread>

#include "CustomButton.h"
#include "ScreenTestSupport.h"
#include "VXScanerListViewController.h"
#include "app/Source/FlowTestSupport.h"

namespace {
// A socket listening at the address's HTTPS port; -1 when it cannot.
int listeningAt(const char* ip)
{
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(443);
    ::inet_pton(AF_INET, ip, &address.sin_addr);
    const int listener = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const bool bound = ::bind(listener, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
    return bound && ::listen(listener, 4) == 0 ? listener : -1;
}
} // namespace

// The one case that waits for the 30-second limit.
TEST(FailureReasons, TheScannerListsAlertNamesWhyTheScannerDidNotAnswer)
{
    LocalizedStrings::setLanguage("en");
    ScratchJobStore store;
    SimulatorProcess sim({"--no-mdns", "--scanner", "ip=127.0.0.2,fault.identify.body=truncated"});
    ASSERT_TRUE(sim.ready()) << sim.failure();
    // Never accepts: connections wait in the backlog until the client gives up.
    const int silent = listeningAt("127.0.0.3");
    // Answers the TLS greeting in plain HTTP, as a web server without TLS would.
    const int plain = listeningAt("127.0.0.7");
    ASSERT_TRUE(silent >= 0 && plain >= 0) << "run inside netns-run.sh";
    std::jthread plainServer([plain] {
        for (int peer; (peer = ::accept(plain, nullptr, nullptr)) >= 0; ::close(peer)) {
            ::send(peer, "HTTP/1.1 400 Bad Request\r\n\r\n", 28, MSG_NOSIGNAL);
        }
    });

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
    ::shutdown(plain, SHUT_RDWR); // ends the accept loop
    plainServer.join();
    ::close(plain);
    ::close(silent);
}
