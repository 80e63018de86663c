#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "CliProcess.h"
#include "FWKVXSDK/ScratchFolder.h"
#include "LocalizedStrings.h"
#include "ResponderProcess.h"
#include "SimulatorProcess.h"

// One network search of about seven seconds per case, inside the test's own
// network namespace.
class CliDiscover : public ::testing::Test {
protected:
    void SetUp() override
    {
        ::setenv("XDG_DATA_HOME", folder.path().c_str(), 1);
        LocalizedStrings::setLanguage("en");
    }
    ScratchFolder folder;
};

TEST_F(CliDiscover, ListsEveryScannerThatAnswers)
{
    SimulatorProcess sim({"--no-rest", "--scanner", "ip=127.0.0.2,model=A1,name=front,serial=S1,mac=00:11:22:33:44:55",
                          "--scanner", "ip=127.0.0.3,model=B2,name=back,serial=S2,mac=00:11:22:33:44:66"});
    ASSERT_TRUE(sim.ready()) << sim.failure();
    const auto run = runVantix({"discover", "--json"});
    EXPECT_EQ(run.status, 0) << run.err;
    ASSERT_EQ(run.outJson().size(), 1u) << run.out;
    const auto scanners = run.outJson()[0];
    ASSERT_TRUE(scanners.is_array());
    std::set<std::string> names;
    for (const auto& scanner : scanners) {
        ASSERT_EQ(scanner.size(), 2u) << scanner;
        ASSERT_TRUE(scanner["scannerName"].is_string()) << scanner;
        ASSERT_TRUE(scanner["scannerIp"].is_string()) << scanner;
        names.insert(scanner["scannerName"].get<std::string>());
    }
    EXPECT_EQ(names, (std::set<std::string>{"A1:front:S1", "B2:back:S2"}));
}

TEST_F(CliDiscover, NothingFoundIsAFailure)
{
    const auto run = runVantix({"discover"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err, LocalizedStrings::textIn("en", "ErrorNoDetectScanner") + "\n");
}

TEST_F(CliDiscover, FindsStandardResponderAndSimulatorLayoutsInOneSearchButNoLeavingService)
{
    // python3-zeroconf: PTR answer, SRV/TXT/A additional; its second service
    // is withdrawn before the search. avahi-daemon. The simulator in both of its
    // layouts, and a simulated scanner that only says goodbye (time-to-live 0).
    ResponderProcess zeroconf = ResponderProcess::Zeroconf({"Zeroconf desk:MZ:ZC1", "Withdrawn:MZ:ZC2"});
    ASSERT_TRUE(zeroconf.ready()) << zeroconf.failure();
    ASSERT_TRUE(zeroconf.Command("withdraw Withdrawn", "withdrawn Withdrawn", std::chrono::seconds(5)));
    ResponderProcess avahi = ResponderProcess::Avahi("Avahi desk", "MA", "AV1");
    ASSERT_TRUE(avahi.ready()) << avahi.failure();
    SimulatorProcess sim({"--no-rest", "--scanner", "ip=127.0.0.2,model=S1,name=answers,serial=1", "--scanner",
                          "ip=127.0.0.3,model=S2,name=additional,serial=2,mdns-layout=additional", "--scanner",
                          "ip=127.0.0.4,model=S3,name=leaving,serial=3,mdns-ttl=0"});
    ASSERT_TRUE(sim.ready()) << sim.failure();

    const auto run = runVantix({"discover"});
    EXPECT_EQ(run.status, 0) << run.err;
    auto lines = run.outLines();
    std::sort(lines.begin(), lines.end());
    EXPECT_EQ(lines, (std::vector<std::string>{"MA:Avahi desk:AV1\t127.0.0.1", "MZ:Zeroconf desk:ZC1\t127.0.0.1",
                                               "S1:answers:1\t127.0.0.2", "S2:additional:2\t127.0.0.3"}));
}
