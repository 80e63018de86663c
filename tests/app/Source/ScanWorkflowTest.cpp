#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <mutex>
#include <stdexcept>

#include "AppError.h"
#include "FlowTestSupport.h"
#include "ResultMessage.h"
#include "ScanWorkflow.h"
#include "SystemLog.h"

namespace {
using Ops = std::vector<std::string>;

// One scan against one simulated scanner at 127.0.0.2, with what the run
// reported: the result, the progress statuses, the log lines and the requests.
class ScanRun : public ::testing::Test {
protected:
    void SetUp() override
    {
        job = store.save(1);
        SystemLog::setSink([this](const std::string& line) {
            std::lock_guard<std::mutex> guard(lock);
            events.push_back("log " + line);
        });
    }
    void TearDown() override { SystemLog::setSink(nullptr); }

    // Starts the simulator with the scanner's extra settings ("" for none).
    void startScanner(const std::string& settings)
    {
        std::string scanner = "ip=127.0.0.2";
        if (!settings.empty()) {
            scanner += "," + settings;
        }
        sim = std::make_unique<SimulatorProcess>(std::vector<std::string>{"--no-mdns", "--scanner", scanner});
        ASSERT_TRUE(sim->ready()) << sim->failure();
    }

    // A status answer the scanner gives instead of its own (a file in the scratch folder).
    std::string statusBody(const std::string& body)
    {
        return store.folder().write("status.json", body).string();
    }

    void scan(const std::shared_ptr<ScannerData>& scanner, ScanWorkflow::Progress progress = {})
    {
        if (!progress) {
            progress = [this](int64_t status) {
                std::lock_guard<std::mutex> guard(lock);
                statuses.push_back(status);
                events.push_back("progress " + std::to_string(status));
            };
        }
        const auto start = std::chrono::steady_clock::now();
        ScanWorkflow().scanWithjob(scanner, job,
                                   [this](const RunResult& ended) {
                                       std::lock_guard<std::mutex> guard(lock);
                                       results.push_back(ended.code);
                                       reason = ended.reason;
                                       events.push_back("completion");
                                   },
                                   progress);
        elapsed = std::chrono::steady_clock::now() - start;
        ASSERT_EQ(results.size(), 1u) << "the completion is called exactly once";
        result = results[0];
    }

    Ops operations() const { return operationsOf(sim->Requests()); }

    ScratchJobStore store;
    std::shared_ptr<SettingData> job;
    std::unique_ptr<SimulatorProcess> sim;
    std::mutex lock;
    std::vector<int64_t> results;
    std::vector<int64_t> statuses;
    std::vector<std::string> events;
    int64_t result = -1;
    WebApiFailure reason; // of the request that decided the result
    std::chrono::steady_clock::duration elapsed{};
};

using ScanWorkflowTest = ScanRun;
using ScanWorkflowPolling = ScanRun;

const Ops kUpToScan{"identify", "lock", "settings", "scan"};

Ops upToScanThen(const Ops& more)
{
    Ops all = kUpToScan;
    all.insert(all.end(), more.begin(), more.end());
    return all;
}
} // namespace

// Results before the status queries.

TEST_F(ScanWorkflowTest, FailedIdentificationLocksNothing)
{
    startScanner("fault.identify.status=500");
    scan(scannerAt("127.0.0.2"));
    EXPECT_EQ(result, AppError::NoDetectScanner);
    EXPECT_EQ(operations(), Ops{"identify"});
    EXPECT_EQ(ResultMessage::forScan(result, reason),
              LocalizedStrings::text("ErrorNoDetectScanner") + " " +
                  LocalizedStrings::format("ReasonHttpStatus", {"500"}));
}

TEST_F(ScanWorkflowTest, UnreachableScannerWithoutEarlierCodeIsNotDetected)
{
    startScanner("");
    scan(scannerAt("127.0.0.9")); // nothing listens there
    EXPECT_EQ(result, AppError::NoDetectScanner);
    EXPECT_TRUE(sim->Requests().empty());
}

TEST_F(ScanWorkflowTest, FailedLockIsAConnectionErrorWithoutUnlock)
{
    startScanner("fault.lock.status=503");
    scan(scannerAt("127.0.0.2"));
    EXPECT_EQ(result, AppError::Connect);
    EXPECT_EQ(operations(), (Ops{"identify", "lock"}));
}

TEST_F(ScanWorkflowTest, RefusedSettingsReportTheScannersCodeAndUnlock)
{
    startScanner("fault.settings.code=-4400");
    scan(scannerAt("127.0.0.2"));
    EXPECT_EQ(result, -4400);
    EXPECT_EQ(operations(), (Ops{"identify", "lock", "settings", "unlock"}));
    EXPECT_EQ(ResultMessage::forScan(result, reason), LocalizedStrings::text("ErrorNotReady"));
}

TEST_F(ScanWorkflowTest, RefusedSettingsTakeTheCodeBeforeTheUnlock)
{
    // The unlock answer carries a code, but the result was decided before it.
    startScanner("fault.settings.status=500,fault.unlock.code=-4431");
    scan(scannerAt("127.0.0.2"));
    EXPECT_EQ(result, AppError::Connect);
    EXPECT_EQ(reason.httpStatus, 500) << "and so was its reason";
    EXPECT_EQ(operations(), (Ops{"identify", "lock", "settings", "unlock"}));
}

TEST_F(ScanWorkflowTest, FailedScanStartIsAConnectionErrorAndUnlocks)
{
    startScanner("fault.scan.status=500,fault.unlock.code=-4431");
    scan(scannerAt("127.0.0.2"));
    EXPECT_EQ(result, AppError::Connect);
    EXPECT_EQ(operations(), upToScanThen({"unlock"}));
}

TEST_F(ScanWorkflowTest, CodeLeftFromAnEarlierSessionIsReported)
{
    // The scan does not clear the record: a failure before the scanner writes a
    // new code reports the old one.
    startScanner("fault.lock.status=500");
    auto scanner = scannerAt("127.0.0.2");
    scanner->setInternalCode(-4401);
    scan(scanner);
    EXPECT_EQ(result, -4401);
    EXPECT_EQ(ResultMessage::forScan(result), LocalizedStrings::text("ErrorNoPaperIsSet"));
}

TEST_F(ScanWorkflowTest, MissingJobSendsNothingAndFails)
{
    startScanner("");
    ScanWorkflow().scanWithjob(
        scannerAt("127.0.0.2"), nullptr, [this](const RunResult& ended) { results.push_back(ended.code); }, {});
    ASSERT_EQ(results.size(), 1u);
    EXPECT_NE(results[0], 0);
    EXPECT_TRUE(sim->Requests().empty());
}

// The status queries, one second apart.

TEST_F(ScanWorkflowPolling, ProgressThroughAllPhasesThenSuccess)
{
    startScanner("");
    scan(scannerAt("127.0.0.2"));
    EXPECT_EQ(result, 0);
    EXPECT_EQ(statuses, (std::vector<int64_t>{0, 1, 2}));
    EXPECT_EQ(operations(), upToScanThen({"status", "status", "status", "status", "unlock"}));
    EXPECT_GE(elapsed, std::chrono::seconds(4)) << "one second before every status query";
    // Each progress report is logged before it is handed on; the result after the completion returned.
    EXPECT_EQ(events, (std::vector<std::string>{"log progresscompletion:status(0)", "progress 0",
                                                "log progresscompletion:status(1)", "progress 1",
                                                "log progresscompletion:status(2)", "progress 2", "completion",
                                                "log completion:result(0)"}));
    EXPECT_EQ(ResultMessage::forScan(result), LocalizedStrings::text("CompletedScan"));
}

TEST_F(ScanWorkflowPolling, OneFailedStatusQueryIsTolerated)
{
    startScanner("fault.status.status=500,fault.status.after=1,fault.status.times=1");
    scan(scannerAt("127.0.0.2"));
    EXPECT_EQ(result, 0);
    EXPECT_EQ(statuses, (std::vector<int64_t>{0, 1, 2}));
    EXPECT_EQ(operations(), upToScanThen({"status", "status", "status", "status", "status", "unlock"}));
}

TEST_F(ScanWorkflowPolling, TwoFailedStatusQueriesEndWithoutUnlock)
{
    startScanner("fault.status.status=500");
    scan(scannerAt("127.0.0.2"));
    EXPECT_EQ(result, AppError::Connect);
    EXPECT_TRUE(statuses.empty());
    EXPECT_EQ(operations(), upToScanThen({"status", "status"}));
    EXPECT_GE(elapsed, std::chrono::seconds(2));
}

TEST_F(ScanWorkflowPolling, EndWithErrorAndNoCodeUnlocksFirst)
{
    startScanner("fault.status.body-file=" + statusBody(R"({"status":2})"));
    scan(scannerAt("127.0.0.2"));
    EXPECT_EQ(result, AppError::Connect);
    EXPECT_EQ(operations(), upToScanThen({"status", "unlock"}));
}

TEST_F(ScanWorkflowPolling, EndWithErrorReportsACodeTheUnlockAnswerCarries)
{
    startScanner("fault.status.body-file=" + statusBody(R"({"status":2})") + ",fault.unlock.code=-4506");
    scan(scannerAt("127.0.0.2"));
    EXPECT_EQ(result, -4506);
    EXPECT_EQ(operations(), upToScanThen({"status", "unlock"}));
}

TEST_F(ScanWorkflowPolling, EndWithErrorAndCodeEndsAsTwoFailedQueries)
{
    startScanner("fault.status.body-file=" + statusBody(R"({"status":2,"internal_code":-4426})"));
    scan(scannerAt("127.0.0.2"));
    EXPECT_EQ(result, -4426);
    EXPECT_EQ(operations(), upToScanThen({"status", "status"}));
    EXPECT_EQ(ResultMessage::forScan(result), LocalizedStrings::text("ErrorPaperJammed"));
}

TEST_F(ScanWorkflowPolling, AFaultStopsTheScanAndIsReportedAsFailure)
{
    startScanner("");
    scan(scannerAt("127.0.0.2"), [](int64_t) { throw std::runtime_error("progress display failed"); });
    EXPECT_EQ(result, AppError::Scan) << "a broken-off scan is never reported as success";
    EXPECT_EQ(operations(), upToScanThen({"status"})) << "no further request, no unlock";
    EXPECT_EQ(events.back(), "log completion:result(100002)");
    EXPECT_NE(std::find(events.begin(), events.end(), "log scan: caught std::runtime_error: progress display failed"),
              events.end())
        << "the guard writes down what it caught";
    EXPECT_EQ(ResultMessage::forScan(result), LocalizedStrings::text("ErrorScan"));
}

TEST_F(ScanWorkflowTest, AFaultInTheCompletionDoesNotEscape)
{
    startScanner("fault.identify.status=500");
    int calls = 0;
    EXPECT_NO_THROW(ScanWorkflow().scanWithjob(
        scannerAt("127.0.0.2"), job,
        [&](const RunResult&) {
            ++calls;
            throw std::runtime_error("display gone");
        },
        {}));
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(events.back(), "log completion:result(100001)");
}
