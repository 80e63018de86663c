// Saved scanners in the tool: "vantix scanners list|add|rm" and the saved
// scanners that "vantix discover" asks beside its network search, inside the
// test's own network namespace.
#include <gtest/gtest.h>

#include "CliProcess.h"
#include "FWKVXSDK/ScratchFolder.h"
#include "SavedScanners.h"
#include "SimulatorProcess.h"

TEST(CliSavedScanners, AnAddressThatAnswersIsSavedListedByDiscoverBesideTheSearchAndForgotten)
{
    ScratchFolder folder;
    ::setenv("XDG_DATA_HOME", folder.path().c_str(), 1);
    // The folder the tool is given (see runVantix), so that the test can write a stale entry.
    ::setenv("XDG_CONFIG_HOME", (folder.path() / "config").c_str(), 1);
    // The front desk answers both ways; the branch office only at its address.
    SimulatorProcess sim({"--scanner", "ip=127.0.0.2,model=VX200,name=Front,serial=A1,scanner-name=VX200:Front:A1",
                          "--scanner", "ip=127.0.0.5,mdns=off,scanner-name=VX600:Branch:C3"});
    ASSERT_TRUE(sim.ready()) << sim.failure();

    EXPECT_EQ(runVantix({"scanners", "add", "127.0.0.5"}).out, "VX600:Branch:C3\t127.0.0.5\n");
    ASSERT_EQ(runVantix({"scanners", "add", "127.0.0.2"}).status, 0);
    EXPECT_EQ(runVantix({"scanners", "add", "127.0.0.9"}).status, 1) << "nothing answers there";
    EXPECT_EQ(runVantix({"scanners", "add", "scanner.local"}).status, 2) << "only an IPv4 address is ever asked";
    // Saved once, when it still answered: left out while it does not.
    ASSERT_EQ(SavedScanners::add("127.0.0.9", "VX100:Gone:Z9"), "");
    EXPECT_EQ(runVantix({"scanners", "list", "--json"}).out,
              R"([{"scannerIp":"127.0.0.5","scannerName":"VX600:Branch:C3"},)"
              R"({"scannerIp":"127.0.0.2","scannerName":"VX200:Front:A1"},)"
              R"({"scannerIp":"127.0.0.9","scannerName":"VX100:Gone:Z9"}])" "\n");

    EXPECT_EQ(runVantix({"discover", "--json"}).outJson(), std::vector{nlohmann::json::parse(
                  R"([{"saved":true,"scannerName":"VX200:Front:A1","scannerIp":"127.0.0.2"},)"
                  R"({"saved":true,"scannerName":"VX600:Branch:C3","scannerIp":"127.0.0.5"}])")})
        << "once per address, those the search found first";
    EXPECT_EQ(runVantix({"scanners", "rm", "127.0.0.5"}).status, 0);
    EXPECT_EQ(runVantix({"scanners", "rm", "127.0.0.5"}).status, 1);
    EXPECT_EQ(runVantix({"discover"}).out, "VX200:Front:A1\t127.0.0.2\tsaved\n");
}
