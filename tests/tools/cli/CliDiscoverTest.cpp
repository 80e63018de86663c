#include <gtest/gtest.h>

#include <set>

#include "CliProcess.h"
#include "FWKVXSDK/ScratchFolder.h"
#include "LocalizedStrings.h"
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
