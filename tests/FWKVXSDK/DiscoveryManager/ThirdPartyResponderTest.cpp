// Discovery against multicast-DNS responders that nobody here wrote, each in
// the test's own private network namespace: python3-zeroconf answers in the
// layout DNS-SD recommends (the PTR as the answer, SRV, TXT and A as additional
// records), avahi-daemon as it does.
#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <algorithm>

#include "DiscoveryTestSupport.h"
#include "FWKVXSDK/DiscoveryManager/UDP/MdnsSocket.h"
#include "FWKVXSDK/DiscoveryManager/UDP/RecvPacket.h"
#include "ResponderProcess.h"

namespace {

using namespace std::chrono_literals;

// One whole search; the names and addresses of what it found, sorted.
std::vector<std::pair<std::string, std::string>> Search()
{
    OpenedManager opened = OpenManagerWithWorker();
    TestMainLoop loop;
    CompletionLog log;
    EXPECT_TRUE(opened.manager->SearchDevice(true, log.Make(1)));
    EXPECT_TRUE(loop.RunUntil([&] { return log.Count() > 0; }, 12s)) << "no completion";
    std::vector<std::pair<std::string, std::string>> found;
    for (const auto& call : log.Calls()) {
        EXPECT_TRUE(call.result);
        for (const auto& scanner : call.scanners) {
            found.emplace_back(scanner->scannerName().value_or(""), scanner->scannerIp().value_or(""));
        }
    }
    std::sort(found.begin(), found.end());
    return found;
}

TEST(ThirdPartyResponders, ZeroconfServiceIsFound)
{
    ResponderProcess zeroconf = ResponderProcess::Zeroconf({"Zeroconf desk:MODEL07:ZC1"});
    ASSERT_TRUE(zeroconf.ready()) << zeroconf.failure();
    // The address is the answer's source; the responder answers from the namespace's loopback.
    EXPECT_EQ(Search(), (std::vector<std::pair<std::string, std::string>>{{"MODEL07:Zeroconf desk:ZC1", "127.0.0.1"}}));
}

TEST(ThirdPartyResponders, AvahiServiceIsFound)
{
    ResponderProcess avahi = ResponderProcess::Avahi("Avahi desk", "MODEL08", "AV1");
    ASSERT_TRUE(avahi.ready()) << avahi.failure();
    EXPECT_EQ(Search(), (std::vector<std::pair<std::string, std::string>>{{"MODEL08:Avahi desk:AV1", "127.0.0.1"}}));
}

TEST(ThirdPartyResponders, ZeroconfGoodbyeYieldsNoScanner)
{
    ResponderProcess zeroconf = ResponderProcess::Zeroconf({"Leaving:MODEL07:ZC9"});
    ASSERT_TRUE(zeroconf.ready()) << zeroconf.failure();
    int listener = MdnsSocket::OpenReusable(nullptr);
    ASSERT_GE(listener, 0);
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_port = htons(5353);
    ip_mreq membership{};
    inet_pton(AF_INET, "224.0.0.251", &membership.imr_multiaddr);
    timeval wait{1, 0};
    ASSERT_EQ(bind(listener, reinterpret_cast<sockaddr*>(&local), sizeof local), 0);
    ASSERT_EQ(setsockopt(listener, IPPROTO_IP, IP_ADD_MEMBERSHIP, &membership, sizeof membership), 0);
    ASSERT_EQ(setsockopt(listener, SOL_SOCKET, SO_RCVTIMEO, &wait, sizeof wait), 0);

    // The service leaves: its records go out again with time-to-live 0, three
    // times, before the responder says it is done.
    ASSERT_TRUE(zeroconf.Command("withdraw Leaving", "withdrawn Leaving", 5s));
    size_t goodbyes = 0;
    std::vector<uint8_t> datagram(9000);
    for (ssize_t got; (got = recv(listener, datagram.data(), datagram.size(), 0)) > 0;) {
        const std::string bytes(datagram.begin(), datagram.begin() + got);
        if (bytes.find("SERIAL=ZC9") == std::string::npos) {
            continue;
        }
        ++goodbyes;
        RecvPacket::Dictionary values;
        EXPECT_FALSE(RecvPacket::ReadAnswer(datagram.data(), static_cast<size_t>(got), "127.0.0.1", values))
            << "a goodbye was read as a scanner";
    }
    MdnsSocket::Close(listener);
    EXPECT_GE(goodbyes, 3u);
}

} // namespace
