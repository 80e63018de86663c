// The simulator as a program, answering real queries. Runs inside a private
// network namespace (NETNS), so its multicast stays there.
#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "FWKVXSDK/DiscoveryManager/DiscoveryManager.h"
#include "FWKVXSDK/DiscoveryManager/UDP/RecvPacket.h"
#include "MdnsResponder.h"
#include "SimulatorProcess.h"

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

struct Received {
    std::string from;
    double afterSeconds;
    RecvPacket::Dictionary values;
};

// One socket that sends to the group from port 5353 and hears the group.
class GroupSocket {
public:
    GroupSocket()
    {
        mFd = socket(AF_INET, SOCK_DGRAM, 0);
        int one = 1;
        setsockopt(mFd, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
        setsockopt(mFd, SOL_SOCKET, SO_REUSEPORT, &one, sizeof one);
        setsockopt(mFd, IPPROTO_IP, IP_MULTICAST_LOOP, &one, sizeof one);
        sockaddr_in local{};
        local.sin_family = AF_INET;
        local.sin_port = htons(5353);
        mBound = bind(mFd, reinterpret_cast<sockaddr*>(&local), sizeof local) == 0;
        ip_mreq membership{};
        inet_pton(AF_INET, "224.0.0.251", &membership.imr_multiaddr);
        mBound = mBound && setsockopt(mFd, IPPROTO_IP, IP_ADD_MEMBERSHIP, &membership, sizeof membership) == 0;
    }
    ~GroupSocket() { close(mFd); }

    bool bound() const { return mBound; }

    void Send(const std::vector<uint8_t>& datagram)
    {
        sockaddr_in group{};
        group.sin_family = AF_INET;
        group.sin_port = htons(5353);
        inet_pton(AF_INET, "224.0.0.251", &group.sin_addr);
        // Noted before sending: the simulator may take its time before this
        // thread returns from sendto, and a delay must not look shorter.
        mSent = Clock::now();
        sendto(mFd, datagram.data(), datagram.size(), 0, reinterpret_cast<sockaddr*>(&group), sizeof group);
    }

    // The responses heard during the given time (queries are passed over).
    std::vector<Received> Collect(std::chrono::milliseconds duration)
    {
        std::vector<Received> responses;
        auto end = Clock::now() + duration;
        for (auto left = duration; left.count() > 0;
             left = std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now())) {
            pollfd fd{mFd, POLLIN, 0};
            if (poll(&fd, 1, static_cast<int>(left.count())) <= 0) {
                continue;
            }
            uint8_t buffer[9000];
            sockaddr_in source{};
            socklen_t length = sizeof source;
            ssize_t got = recvfrom(mFd, buffer, sizeof buffer, 0, reinterpret_cast<sockaddr*>(&source), &length);
            if (got < 12 || (buffer[2] & 0x80) == 0) {
                continue;
            }
            Received received;
            received.from = inet_ntoa(source.sin_addr);
            received.afterSeconds = std::chrono::duration<double>(Clock::now() - mSent).count();
            RecvPacket::ReadAnswer(buffer, static_cast<size_t>(got), received.from, received.values);
            responses.push_back(received);
        }
        return responses;
    }

private:
    int mFd = -1;
    bool mBound = false;
    Clock::time_point mSent;
};

std::vector<uint8_t> ScannerQuery()
{
    return *DiscoveryManager::MakeSendPacket();
}

TEST(SimulatorNetwork, EachScannerAnswersFromItsOwnAddressAfterItsDelay)
{
    SimulatorProcess sim({"--no-rest", "--scanner", "model=A1,name=Alpha,serial=S1,mac=aa", "--scanner",
                          "model=B2,name=Beta,serial=S2,mdns-delay-ms=400", "--scanner",
                          "model=C3,name=Gamma,serial=S3,mdns=off"});
    ASSERT_TRUE(sim.ready());
    GroupSocket group;
    ASSERT_TRUE(group.bound());
    group.Send(ScannerQuery());
    std::vector<Received> responses = group.Collect(1200ms);

    ASSERT_EQ(responses.size(), 2u);
    EXPECT_EQ(responses[0].from, "127.0.0.2");
    EXPECT_LT(responses[0].afterSeconds, 0.3);
    EXPECT_EQ(responses[0].values, (RecvPacket::Dictionary{{"mdl=MERIX", "A1"},
                                                           {"device=", "Alpha"},
                                                           {"SERIAL=", "S1"},
                                                           {"ethaddr=", "aa"},
                                                           {"ipaddr=", "127.0.0.2"}}));
    EXPECT_EQ(responses[1].from, "127.0.0.3");
    EXPECT_GE(responses[1].afterSeconds, 0.4);
    EXPECT_EQ(responses[1].values["device="], "Beta");
}

TEST(SimulatorNetwork, AnswersTwiceAndOnlyAsOftenAsAllowed)
{
    SimulatorProcess sim({"--no-rest", "--scanner", "model=A1,name=Alpha,serial=S1,mdns-twice=300,mdns-max=1"});
    ASSERT_TRUE(sim.ready());
    GroupSocket group;
    ASSERT_TRUE(group.bound());
    group.Send(ScannerQuery());
    std::vector<Received> first = group.Collect(800ms);
    ASSERT_EQ(first.size(), 2u);
    // Measured from the query: a late wake-up of this thread for the first
    // answer must not shrink the gap.
    EXPECT_GE(first[1].afterSeconds, 0.3);

    group.Send(ScannerQuery());
    EXPECT_TRUE(group.Collect(600ms).empty());
}

TEST(SimulatorNetwork, SendsNothingUnasked)
{
    SimulatorProcess sim({"--no-rest", "--scanner", "model=A1,name=Alpha,serial=S1"});
    ASSERT_TRUE(sim.ready());
    GroupSocket group;
    ASSERT_TRUE(group.bound());
    EXPECT_TRUE(group.Collect(500ms).empty());
    ScannerConfig other;
    other.model = "X";
    group.Send(MdnsResponder::BuildAnswer(other)); // someone else's answer
    std::vector<uint8_t> printers = ScannerQuery();
    printers[13] = 'p'; // "_pcanner"
    group.Send(printers);
    std::vector<Received> heard = group.Collect(500ms);
    ASSERT_EQ(heard.size(), 1u); // only the answer sent above, looped back
    EXPECT_EQ(heard[0].values["mdl=MERIX"], "X");
}

TEST(SimulatorProgram, RunsUntilStoppedOrItsTimeIsUp)
{
    auto start = Clock::now();
    SimulatorProcess timed({"--no-rest", "--scanner", "model=A1", "--run-for", "0.5"});
    EXPECT_TRUE(timed.ready());
    EXPECT_EQ(timed.WaitForExit(std::chrono::milliseconds(5000)), 0);
    EXPECT_GE(Clock::now() - start, 500ms);

    SimulatorProcess stopped({"--no-mdns", "--no-rest"});
    EXPECT_TRUE(stopped.ready());
    EXPECT_EQ(stopped.WaitForExit(std::chrono::milliseconds(300)), -1);
    EXPECT_EQ(stopped.Stop(), 0);

    SimulatorProcess wrong({"--scanner", "ip=nowhere"});
    EXPECT_FALSE(wrong.ready());
    EXPECT_EQ(wrong.WaitForExit(std::chrono::milliseconds(5000)), 2);

    for (const char* keys : {"ip=127.0.0.2,tls=2.0", "ip=127.0.0.2,cert=old"}) {
        SimulatorProcess refused({"--no-mdns", "--scanner", keys});
        EXPECT_FALSE(refused.ready()) << keys;
        EXPECT_EQ(refused.WaitForExit(std::chrono::milliseconds(5000)), 1) << keys;
        EXPECT_NE(refused.standardError().find("must be one of"), std::string::npos) << refused.standardError();
    }

    SimulatorProcess help({"--help"});
    EXPECT_EQ(help.WaitForExit(std::chrono::milliseconds(5000)), 0);
}

} // namespace
