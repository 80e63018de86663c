#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <stdexcept>

#include "AppError.h"
#include "FlowTestSupport.h"
#include "JobRegistration.h"
#include "ResultMessage.h"

namespace {
using Ops = std::vector<std::string>;

struct Slot {
    int64_t jobNo;
    std::string scannerName;
    std::string request;
};

// One registration run against one simulated scanner at 127.0.0.2 whose job
// password is "pw".
class JobRegistrationTest : public ::testing::Test {
protected:
    void startScanner(const std::string& settings)
    {
        std::string scanner = "ip=127.0.0.2,password=pw,scanner-name=Front desk";
        if (!settings.empty()) {
            scanner += "," + settings;
        }
        sim = std::make_unique<SimulatorProcess>(std::vector<std::string>{"--no-mdns", "--scanner", scanner});
        ASSERT_TRUE(sim->ready()) << sim->failure();
    }

    void run(const std::string& password = "pw", JobRegistration::Progress progress = {})
    {
        if (!progress) {
            progress = [this](const std::shared_ptr<BulkJobStatus>& item) {
                slots.push_back({item->jobNo(), item->scannerName(), item->request()});
            };
        }
        JobRegistration().jobregist(scanner, password, progress, [this](const RunResult& ended) {
            results.push_back(ended.code);
            reason = ended.reason;
        });
        ASSERT_EQ(results.size(), 1u) << "the completion is called exactly once";
        result = results[0];
    }

    Ops operations() const { return operationsOf(sim->Requests()); }

    // The job requests the scanner received, as (operation, job_id).
    std::vector<std::pair<std::string, int64_t>> jobRequests() const
    {
        std::vector<std::pair<std::string, int64_t>> found;
        for (const auto& request : sim->Requests()) {
            const std::string op = operationOf(request);
            if (op == "register" || op == "delete") {
                const auto body = bodyOf(request);
                found.emplace_back(op, body.value("job_id", int64_t{-1}));
            }
        }
        return found;
    }

    ScratchJobStore store;
    std::shared_ptr<ScannerData> scanner = scannerAt("127.0.0.2");
    std::unique_ptr<SimulatorProcess> sim;
    std::vector<Slot> slots;
    std::vector<int64_t> results;
    int64_t result = -1;
    WebApiFailure reason; // of the request that decided the result
};

std::vector<std::pair<std::string, int64_t>> expectedSlots(const std::set<int64_t>& stored, int64_t last)
{
    std::vector<std::pair<std::string, int64_t>> expected;
    for (int64_t n = 1; n <= last; ++n) {
        expected.emplace_back(stored.count(n) ? "register" : "delete", n);
    }
    return expected;
}
} // namespace

TEST_F(JobRegistrationTest, RegistersThePcsJobsAndClearsEveryOtherSlot)
{
    store.save(1);
    store.save(3);
    startScanner("");
    run();
    EXPECT_EQ(result, 0);
    EXPECT_EQ(ResultMessage::forRegistration(result), LocalizedStrings::text("FinishRegist"));

    const auto ops = operations();
    ASSERT_EQ(ops.size(), 102u) << "identify, lock, 99 job requests, unlock";
    EXPECT_EQ(ops.front(), "identify");
    EXPECT_EQ(ops[1], "lock");
    EXPECT_EQ(ops.back(), "unlock");
    EXPECT_EQ(jobRequests(), expectedSlots({1, 3}, 99));
    for (const auto& request : sim->Requests()) {
        const std::string op = operationOf(request);
        if (op == "register" || op == "delete") {
            EXPECT_EQ(bodyOf(request).value("job_password", ""), "pw") << "every job request carries the password";
        }
    }

    ASSERT_EQ(slots.size(), 99u) << "one progress report per slot";
    for (int64_t n = 1; n <= 99; ++n) {
        EXPECT_EQ(slots[n - 1].jobNo, n);
        EXPECT_EQ(slots[n - 1].scannerName, "Front desk");
    }
    EXPECT_EQ(slots[0].request, LocalizedStrings::text("RegistJob"));
    EXPECT_EQ(slots[1].request, LocalizedStrings::text("MenuDelete"));
    EXPECT_EQ(slots[2].request, LocalizedStrings::text("RegistJob"));
    EXPECT_EQ(slots[98].request, LocalizedStrings::text("MenuDelete"));
}

TEST_F(JobRegistrationTest, WithoutJobsEverySlotIsCleared)
{
    startScanner("");
    run();
    EXPECT_EQ(result, 0);
    EXPECT_EQ(jobRequests(), expectedSlots({}, 99));
}

TEST_F(JobRegistrationTest, RefusedPasswordAtSlotFiveStopsTheRun)
{
    startScanner("refuse-slot=5");
    run();
    EXPECT_EQ(result, AppError::InvalidPassword);
    EXPECT_EQ(slots.size(), 4u) << "progress only for the slots that succeeded";
    EXPECT_EQ(jobRequests(), expectedSlots({}, 5)) << "slots 6 to 99 are not touched";
    EXPECT_EQ(operations().back(), "unlock");
    EXPECT_EQ(ResultMessage::forRegistration(result, reason), LocalizedStrings::text("ErrorInvalidPassword"))
        << "the scanner answered: no request failed";
}

TEST_F(JobRegistrationTest, RefusalWithTheScannersCodeReportsThatCode)
{
    startScanner("refuse-slot=5,refuse-code=-4400");
    run();
    EXPECT_EQ(result, -4400);
    EXPECT_EQ(ResultMessage::forRegistration(result), LocalizedStrings::text("ErrorNotReady"));
    EXPECT_EQ(operations().back(), "unlock");
}

TEST_F(JobRegistrationTest, FailingDeleteIsAFailedRegistration)
{
    startScanner("refuse-slot=5,refuse-result=-2");
    run();
    EXPECT_EQ(result, AppError::FailedToBulkRegistJob);
    EXPECT_EQ(slots.size(), 4u);
    EXPECT_EQ(operations().back(), "unlock");
}

TEST_F(JobRegistrationTest, CodeOfTheUnlockAnswerCountsAfterAFailure)
{
    startScanner("refuse-slot=5,fault.unlock.code=-4431");
    run();
    EXPECT_EQ(result, -4431);
}

TEST_F(JobRegistrationTest, FailedUnlockAfterAFailureIsAConnectionError)
{
    startScanner("refuse-slot=5,fault.unlock.status=500");
    run();
    EXPECT_EQ(result, AppError::Connect);
    EXPECT_EQ(reason.httpStatus, 500) << "the unlock's reason: it is the connection that failed";
}

TEST_F(JobRegistrationTest, FailingFinalUnlockFailsTheWholeRun)
{
    startScanner("fault.unlock.status=500");
    run();
    EXPECT_EQ(slots.size(), 99u);
    EXPECT_EQ(result, AppError::Connect) << "every job request succeeded, the unlock did not";
}

TEST_F(JobRegistrationTest, WrongPasswordIsRefusedAtTheFirstSlot)
{
    startScanner("");
    run("not-the-password");
    EXPECT_EQ(result, AppError::InvalidPassword);
    EXPECT_TRUE(slots.empty());
    EXPECT_EQ(operations(), (Ops{"identify", "lock", "delete", "unlock"}));
}

TEST_F(JobRegistrationTest, RecordIsResetSoAnEarlierCodeIsNotReported)
{
    startScanner("fault.identify.status=500");
    scanner->setInternalCode(-4426);
    scanner->setStatus(2);
    scanner->setInternalStatus(2);
    scanner->setScannerId(JsonIdentifier::fromString("old"));
    run();
    EXPECT_EQ(result, AppError::NoDetectScanner);
    EXPECT_EQ(scanner->internalCode(), 0);
    EXPECT_EQ(scanner->status(), 0);
    EXPECT_EQ(scanner->internalStatus(), 0);
    EXPECT_EQ(scanner->scannerId(), JsonIdentifier::fromString(""));
    EXPECT_EQ(operations(), Ops{"identify"});
}

TEST_F(JobRegistrationTest, FailedLockEndsBeforeAnyJobRequest)
{
    startScanner("fault.lock.status=500");
    run();
    EXPECT_EQ(result, AppError::Connect);
    EXPECT_EQ(operations(), (Ops{"identify", "lock"}));
}

TEST_F(JobRegistrationTest, AFaultStopsTheRunWithoutUnlockAndIsReportedAsFailure)
{
    startScanner("");
    run("pw", [](const std::shared_ptr<BulkJobStatus>&) { throw std::runtime_error("progress display failed"); });
    EXPECT_EQ(result, AppError::FailedToBulkRegistJob) << "a broken-off run is never reported as success";
    EXPECT_EQ(operations(), (Ops{"identify", "lock", "delete"}));
}

TEST_F(JobRegistrationTest, DamagedJobFileIsStillRegisteredUnderItsOwnSlot)
{
    // Job-4.xml whose number element is empty: the job is read with no number.
    store.save(4);
    const auto file = std::filesystem::path(SettingData::userAppRootFolderPath()) / "Job-4.xml";
    std::string xml = readWholeFile(file);
    const auto at = xml.find("<JobNo>4</JobNo>");
    ASSERT_NE(at, std::string::npos) << xml;
    xml.replace(at, 16, "<JobNo></JobNo>");
    std::ofstream(file, std::ios::binary | std::ios::trunc) << xml;
    ASSERT_EQ(SettingData::ReadSettings(4)->jobNo(), std::nullopt);

    startScanner("");
    run();
    EXPECT_EQ(result, 0);
    EXPECT_EQ(jobRequests(), expectedSlots({4}, 99));
}
