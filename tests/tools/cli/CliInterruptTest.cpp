#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <csignal>
#include <functional>

#include "AppError.h"
#include "CliNetworkFixture.h"
#include "ResultMessage.h"

namespace {
// Ctrl-C during a run: the tool stops at the run's next report and unlocks
// the scanner; a second Ctrl-C ends it at once.
using CliInterrupt = CliNetwork;

// Sends SIGINT once, the first time `when` holds for the output so far.
CliWatch interruptOnce(std::function<bool(const CliResult&)> when)
{
    auto sent = std::make_shared<bool>(false);
    return [sent, when = std::move(when)](const CliResult& sofar, pid_t pid) {
        if (!*sent && when(sofar)) {
            *sent = true;
            ::kill(pid, SIGINT);
        }
    };
}

bool hasALine(const CliResult& sofar)
{
    return sofar.out.find('\n') != std::string::npos;
}

std::string notice()
{
    return en("CliInterruptNotice") + "\n";
}
} // namespace

TEST_F(CliInterrupt, RegisterStopsAfterTheSlotUnderWayAndUnlocks)
{
    // Slow clears keep the interrupted runs under way; each uses about one.
    start({"--scanner", "ip=127.0.0.2,password=pw,fault.delete.delay-ms=200,fault.delete.times=6"});
    const auto text = runVantixWatched({"register", "--scanner", "127.0.0.2"}, "pw\n", interruptOnce(hasALine));
    EXPECT_EQ(text.status, 1);
    const auto lines = text.outLines();
    ASSERT_FALSE(lines.empty());
    EXPECT_LT(lines.size(), 5u) << "the run stops at the next slot, not after all 99";
    EXPECT_EQ(lines[0], en("LabelJobNo") + "1(" + en("RegistJob") + ")");
    EXPECT_EQ(text.err, notice() + en("CliInterrupted") + "\n");
    auto operations = operationsFor("127.0.0.2");
    ASSERT_EQ(operations.size(), 2 + lines.size() + 1)
        << "identify, lock, one request per slot reported, unlock: nothing after the slot under way";
    EXPECT_EQ(operations.back(), "unlock");

    const auto json =
        runVantixWatched({"register", "--scanner", "127.0.0.2", "--json"}, "pw\n", interruptOnce(hasALine));
    EXPECT_EQ(json.status, 1);
    ASSERT_FALSE(json.outJson().empty());
    EXPECT_EQ(json.outJson().back(),
              (nlohmann::json{{"result", AppError::FailedToBulkRegistJob}, {"message", en("CliInterrupted")}}));
    EXPECT_EQ(json.err, notice());

    EXPECT_EQ(runVantix({"register", "--scanner", "127.0.0.2", "--json"}, "pw\n").status, 0)
        << "the scanner was left unlocked";
}

TEST_F(CliInterrupt, ScanStopsAtTheNextReportAndUnlocks)
{
    start({"--scanner", "ip=127.0.0.2,password=pw,status-queries-per-phase=30"});
    const auto run =
        runVantixWatched({"scan", "--scanner", "127.0.0.2", "--job", "1", "--json"}, "", interruptOnce(hasALine));
    EXPECT_EQ(run.status, 1);
    const auto values = run.outJson();
    ASSERT_GE(values.size(), 2u);
    EXPECT_EQ(values.front(), (nlohmann::json{{"progress", 0}}));
    EXPECT_EQ(values.back(), (nlohmann::json{{"result", AppError::Scan}, {"message", en("CliInterrupted")}}));
    EXPECT_EQ(run.err, notice());
    const auto operations = operationsFor("127.0.0.2");
    EXPECT_EQ(operations.back(), "unlock");
    EXPECT_LT(operations.size(), 10u) << "no further status queries once stopped";

    EXPECT_EQ(runVantix({"register", "--scanner", "127.0.0.2"}, "pw\n").status, 0) << "the scanner was left unlocked";
}

TEST_F(CliInterrupt, ASecondSignalEndsTheToolAtOnce)
{
    start({"--scanner", "ip=127.0.0.2,password=pw,fault.delete.delay-ms=3000"});
    auto first = interruptOnce(hasALine);
    auto second = interruptOnce([](const CliResult& sofar) { return sofar.err.find('\n') != std::string::npos; });
    const auto run = runVantixWatched({"register", "--scanner", "127.0.0.2"}, "pw\n",
                                      [&](const CliResult& sofar, pid_t pid) {
                                          first(sofar, pid);
                                          second(sofar, pid);
                                      });
    EXPECT_EQ(run.signal, SIGINT);
    EXPECT_EQ(run.outLines().size(), 1u) << "slot 2 was still under way";
    EXPECT_EQ(run.err, notice());
    const auto operations = operationsFor("127.0.0.2");
    EXPECT_EQ(std::count(operations.begin(), operations.end(), "unlock"), 0);
}

TEST_F(CliInterrupt, BulkRegisterStopsAtTheScannerUnderWay)
{
    start({"--scanner", "ip=127.0.0.2,password=a", "--scanner", "ip=127.0.0.3,password=b,fault.delete.delay-ms=200",
           "--scanner", "ip=127.0.0.4,password=c"});
    const auto targets = folder.write("targets.txt", "127.0.0.2 a\n127.0.0.3 b\n127.0.0.4 c\n");
    ::chmod(targets.c_str(), 0600);
    const auto run = runVantixWatched({"bulk-register", "--targets", targets.string()}, "",
                                      interruptOnce([&](const CliResult&) {
                                          return operationsFor("127.0.0.3").size() > 3; // its slots have begun
                                      }));
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.outLines(), (std::vector<std::string>{
                                  "127.0.0.2\t" + en("ResSuccess"),
                                  "127.0.0.3\t" + ResultMessage::bulkRowText(AppError::FailedToBulkRegistJob)}));
    EXPECT_EQ(run.err, notice() + en("CliInterrupted") + "\n");
    EXPECT_EQ(operationsFor("127.0.0.3").back(), "unlock");
    EXPECT_TRUE(operationsFor("127.0.0.4").empty()) << "the scanners after it are not begun";
}
