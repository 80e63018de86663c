#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <map>
#include <set>

#include "AppError.h"
#include "CliNetworkFixture.h"
#include "ResultMessage.h"

namespace {
// Registration on several scanners at once, and the registration plan.
class CliFleet : public CliNetwork {
protected:
    std::string targets(const std::string& content)
    {
        const auto file = folder.write("targets.txt", content);
        ::chmod(file.c_str(), 0600);
        return file.string();
    }

    static std::string row(const std::string& address, int64_t result, const WebApiFailure& reason = {})
    {
        return address + "\t" + ResultMessage::bulkRowText(result, reason);
    }
};

// Each scanner's requests as "METHOD path job_id", in the order it received
// them; the lock's connection identifier is left out (it differs per lock).
std::map<std::string, std::vector<std::string>> requestsByScanner(const std::vector<nlohmann::json>& log)
{
    std::map<std::string, std::vector<std::string>> byScanner;
    for (const auto& request : log) {
        const auto body = nlohmann::json::parse(request.value("body", ""), nullptr, false);
        const std::string job = body.is_object() && body.contains("job_id") ? body["job_id"].dump() : "";
        byScanner[request.value("scanner", "")].push_back(request.value("method", "") + " " +
                                                          request.value("path", "") + " " + job);
    }
    return byScanner;
}

// Whether the requests of two scanners were interleaved in the log: runs under way at the same time.
bool runsOverlapped(const std::vector<nlohmann::json>& log)
{
    std::map<std::string, std::pair<std::size_t, std::size_t>> span;
    for (std::size_t i = 0; i < log.size(); ++i) {
        const auto [entry, isNew] = span.emplace(log[i].value("scanner", ""), std::make_pair(i, i));
        entry->second.second = i;
    }
    for (const auto& [a, first] : span) {
        for (const auto& [b, second] : span) {
            if (a != b && first.first < second.first && second.first < first.second) {
                return true;
            }
        }
    }
    return false;
}

std::vector<std::string> sorted(std::vector<std::string> lines)
{
    std::sort(lines.begin(), lines.end());
    return lines;
}
} // namespace

TEST_F(CliFleet, ParallelRunsSendEachScannerTheRequestsOfOneSequentialRun)
{
    auto job = SettingData::initWithData(*SettingData::ReadSettings(1));
    job->setJobNo("3");
    SettingData::SaveSettings(job);
    start({"--fleet", "4", "--fleet-keys", "password=pw", "--request-delay-ms", "3"});
    const auto list = targets("127.0.0.2 pw\n127.0.0.3 pw\n127.0.0.4 pw\n127.0.0.5 pw\n");

    const auto started = std::chrono::steady_clock::now();
    const auto sequential = runVantix({"bulk-register", "--targets", list, "--json"});
    EXPECT_EQ(sequential.status, 0) << sequential.err;
    EXPECT_GE(std::chrono::steady_clock::now() - started, 4 * 102 * std::chrono::milliseconds(3))
        << "every answer took the simulator's delay";
    const auto sequentialLog = sim->Requests();
    EXPECT_FALSE(runsOverlapped(sequentialLog));
    const auto parallel = runVantix({"bulk-register", "--targets", list, "--parallel", "4", "--json"});
    EXPECT_EQ(parallel.status, 0) << parallel.err;
    const auto parallelLog = sim->RequestsSince(sequentialLog.size());
    EXPECT_TRUE(runsOverlapped(parallelLog)) << "the runs were under way at the same time";

    const auto before = requestsByScanner(sequentialLog);
    const auto after = requestsByScanner(parallelLog);
    ASSERT_EQ(before.size(), 4u);
    for (const auto& [address, requests] : before) {
        ASSERT_EQ(requests.size(), 102u) << address;
        EXPECT_EQ(requests[2], "PUT /api/v1/job/settings 1");
        EXPECT_EQ(requests[3], "DELETE /api/v1/job/settings 2");
        EXPECT_EQ(requests[4], "PUT /api/v1/job/settings 3");
        EXPECT_EQ(after.at(address), requests) << address;
    }
    std::set<std::string> reported;
    for (const auto& value : parallel.outJson()) {
        ASSERT_TRUE(value.is_object()) << "every row is a whole line:\n" << parallel.out;
        EXPECT_EQ(value["result"], 0);
        reported.insert(value.value("scannerIp", ""));
    }
    EXPECT_EQ(reported, (std::set<std::string>{"127.0.0.2", "127.0.0.3", "127.0.0.4", "127.0.0.5"}));
    EXPECT_EQ(parallel.outLines().size(), 4u);
}

TEST_F(CliFleet, OneFailingScannerDoesNotDisturbTheOthers)
{
    start({"--scanner", "ip=127.0.0.2,password=a", "--scanner", "ip=127.0.0.3,password=b,refuse-slot=40",
           "--scanner", "ip=127.0.0.4,password=c"});
    // Nothing answers on 127.0.0.9.
    const auto run = runVantix(
        {"bulk-register", "--targets", targets("127.0.0.2 a\n127.0.0.3 b\n127.0.0.9 x\n127.0.0.4 c\n"), "--parallel",
         "4"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(sorted(run.outLines()),
              sorted({row("127.0.0.2", 0), row("127.0.0.3", AppError::InvalidPassword),
                      row("127.0.0.9", AppError::NoDetectScanner, {WebApiFailure::Reason::ConnectionRefused, 0, ""}),
                      row("127.0.0.4", 0)}));
    EXPECT_EQ(run.err, "");
    for (const char* address : {"127.0.0.2", "127.0.0.4"}) {
        const auto operations = operationsFor(address);
        EXPECT_EQ(operations.size(), 102u) << address;
        EXPECT_EQ(operations.back(), "unlock") << address;
    }
    const auto refused = operationsFor("127.0.0.3");
    EXPECT_EQ(refused.size(), 2u + 40u + 1u) << "identify, lock, slots 1 to 40, unlock";
    EXPECT_EQ(refused.back(), "unlock");
}

TEST_F(CliFleet, ARepeatedScannerOrABadCountIsRefusedBeforeAnythingIsSent)
{
    start({"--scanner", "ip=127.0.0.2,password=a", "--scanner", "ip=127.0.0.3,password=b"});
    const auto twice = runVantix(
        {"bulk-register", "--targets", targets("127.0.0.2 a\n127.0.0.3 b\n127.0.0.2 a\n"), "--parallel", "2"});
    EXPECT_EQ(twice.status, 2);
    EXPECT_EQ(twice.err, LocalizedStrings::format("CliErrorTargetsDuplicate", {"3", "127.0.0.2", "1"}) + "\n");
    EXPECT_EQ(twice.out, "");
    const auto list = targets("127.0.0.2 a\n127.0.0.3 b\n");
    for (const char* count : {"0", "17", "x", "", "+2", "08x"}) {
        const auto bad = runVantix({"bulk-register", "--targets", list, "--parallel", count});
        EXPECT_EQ(bad.status, 2) << count;
        EXPECT_EQ(bad.err, LocalizedStrings::format("CliErrorInvalidParallel", {count}) + "\n");
    }
    EXPECT_TRUE(sim->Requests().empty());
}

TEST_F(CliFleet, CtrlCStopsEveryRunUnderWayUnlocksThemAndBeginsNoOther)
{
    // Slow clears keep the runs under way until the signal comes.
    start({"--fleet", "5", "--fleet-keys", "password=pw,fault.delete.delay-ms=100,fault.delete.times=20"});
    const auto list = targets("127.0.0.2 pw\n127.0.0.3 pw\n127.0.0.4 pw\n127.0.0.5 pw\n127.0.0.6 pw\n");
    const std::vector<std::string> begun{"127.0.0.2", "127.0.0.3", "127.0.0.4"};
    const auto allUnderWay = [&] {
        return std::all_of(begun.begin(), begun.end(), [&](const std::string& address) {
            return operationsFor(address).size() > 3; // their slots have begun
        });
    };
    bool sent = false;
    const auto run = runVantixWatched({"bulk-register", "--targets", list, "--parallel", "3"}, "",
                                      [&](const CliResult&, pid_t pid) {
                                          if (!sent && allUnderWay()) {
                                              sent = true;
                                              ::kill(pid, SIGINT);
                                          }
                                      });
    ASSERT_TRUE(sent);
    EXPECT_EQ(run.status, 1);
    std::vector<std::string> rows, released;
    for (const auto& address : begun) {
        rows.push_back(row(address, AppError::FailedToBulkRegistJob));
        released.push_back(address + "\t" + en("CliInterrupted"));
        const auto operations = operationsFor(address);
        EXPECT_EQ(operations.back(), "unlock") << address;
        EXPECT_LT(operations.size(), 10u) << address << " stopped after the request under way";
    }
    EXPECT_EQ(sorted(run.outLines()), sorted(rows));
    const std::string notice = en("CliInterruptNotice") + "\n";
    ASSERT_EQ(run.err.substr(0, notice.size()), notice);
    CliResult rest;
    rest.out = run.err.substr(notice.size());
    EXPECT_EQ(sorted(rest.outLines()), sorted(released));
    EXPECT_TRUE(operationsFor("127.0.0.5").empty()) << "no further scanner is begun";
    EXPECT_TRUE(operationsFor("127.0.0.6").empty());

    const auto again = runVantix({"bulk-register", "--targets", targets("127.0.0.2 pw\n127.0.0.3 pw\n127.0.0.4 pw\n"),
                                  "--parallel", "3"});
    EXPECT_EQ(again.status, 0) << "no scanner was left locked:\n" << again.out;
}

TEST_F(CliFleet, ThePlanSendsNothingAndForetellsEveryRequestOfTheRun)
{
    auto job = SettingData::initWithData(*SettingData::ReadSettings(1));
    job->setJobNo("3");
    job->setJobName("Receipts");
    SettingData::SaveSettings(job);
    // A damaged file without its number still holds job 5: the run registers it there.
    job->setJobNo("5");
    std::string xml = SettingData::XMLData(job);
    xml.replace(xml.find("<JobNo>5</JobNo>"), 16, "<JobNo></JobNo>");
    folder.write("fernwick-vantix/Job-5.xml", xml);
    start({"--scanner", "ip=127.0.0.2,password=pw", "--scanner", "ip=127.0.0.3,password=pw"});

    const auto text = runVantix({"register", "--scanner", "127.0.0.2", "--plan"});
    EXPECT_EQ(text.status, 0) << "no password is asked for:\n" << text.err;
    const auto lines = text.outLines();
    ASSERT_EQ(lines.size(), 99u);
    EXPECT_EQ(lines[0], en("LabelJobNo") + "1(" + en("RegistJob") + ")\tInvoices");
    EXPECT_EQ(lines[1], en("LabelJobNo") + "2(" + en("MenuDelete") + ")");
    EXPECT_EQ(lines[2], en("LabelJobNo") + "3(" + en("RegistJob") + ")\tReceipts");
    const auto bulk = runVantix({"bulk-register", "--targets", targets("127.0.0.2 pw\n127.0.0.3 pw\n"), "--plan"});
    EXPECT_EQ(bulk.status, 0);
    ASSERT_EQ(bulk.outLines().size(), 198u);
    EXPECT_EQ(bulk.outLines()[0], "127.0.0.2\t" + lines[0]);
    EXPECT_EQ(bulk.outLines()[99 + 98], "127.0.0.3\t" + lines[98]);
    const auto json = runVantix({"register", "--scanner", "127.0.0.2", "--plan", "--json"});
    EXPECT_TRUE(sim->Requests().empty()) << "a plan sends nothing";

    ASSERT_EQ(runVantix({"register", "--scanner", "127.0.0.2"}, "pw\n").status, 0);
    std::vector<std::string> planned, sent;
    for (const auto& slot : json.outJson()) {
        planned.push_back(slot.value("action", "") + " " + slot["jobNo"].dump());
    }
    for (const auto& request : sim->Requests()) {
        if (const auto operation = operationOf(request); operation == "register" || operation == "delete") {
            const auto body = nlohmann::json::parse(request.value("body", ""));
            sent.push_back((operation == "register" ? "register " : "clear ") + body["job_id"].dump());
        }
    }
    EXPECT_EQ(planned, sent);
    EXPECT_EQ(json.outJson()[4], (nlohmann::json{{"scannerIp", "127.0.0.2"}, {"jobNo", 5}, {"action", "register"},
                                                {"jobName", "Receipts"}}));
}
