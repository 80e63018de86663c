// An address whose port takes connections but never starts TLS: the 30-second
// limit also bounds connecting. Its own test program, so that its wait runs
// alongside the other tests.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>

#include <gtest/gtest.h>

#include "FWKVXSDK/WebApiClient.h"

TEST(SilentListenerTest, GivesUpAfterThirtySecondsWhenTheHandshakeNeverComes)
{
    int listener = socket(AF_INET, SOCK_STREAM, 0);
    ASSERT_GE(listener, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(443);
    inet_pton(AF_INET, "127.0.0.3", &address.sin_addr);
    ASSERT_EQ(bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0) << "run inside netns-run.sh";
    ASSERT_EQ(listen(listener, 4), 0); // connections wait in the backlog; nobody accepts

    WebApiClient client;
    auto scanner = std::make_shared<ScannerData>();
    scanner->setScannerIp("127.0.0.3");
    scanner->setScannerId(JsonIdentifier::fromString("VX3"));
    scanner->setInternalCode(-4509);
    auto started = std::chrono::steady_clock::now();
    EXPECT_FALSE(client.Lock(scanner));
    auto waited = std::chrono::steady_clock::now() - started;
    close(listener);
    EXPECT_GE(waited, std::chrono::seconds(29));
    // The whole request's 30-second limit, not the 60-second one for a stalled transfer.
    EXPECT_LT(waited, std::chrono::seconds(45));
    EXPECT_EQ(scanner->internalCode(), -4509);
    EXPECT_EQ(scanner->connectId(), std::nullopt);
    EXPECT_EQ(scanner->lastRequestFailure().reason, WebApiFailure::Reason::TimedOut);
}
