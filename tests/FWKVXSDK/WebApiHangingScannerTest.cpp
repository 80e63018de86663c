// A scanner that takes the request and never answers: the call must give up by
// itself within the 30-second limit and leave the record's code alone.
// Its own test program, so that its wait runs alongside the other tests.
#include <chrono>

#include "WebApiTestSupport.h"

using HangingScannerTest = SimulatedScannerTest;

TEST_F(HangingScannerTest, GivesUpAfterThirtySecondsWithoutAnswer)
{
    Start("fault.register.body=hang");
    auto scanner = scannerAt(kIp);
    scanner->setInternalCode(-4509);
    auto job = std::make_shared<SettingData>();
    job->setJobNo("1");
    auto started = std::chrono::steady_clock::now();
    EXPECT_EQ(client.Register(scanner, job, std::string("pw")), 0);
    auto waited = std::chrono::steady_clock::now() - started;
    EXPECT_GE(waited, std::chrono::seconds(29));
    // The whole request's 30-second limit, not the 60-second one for a stalled transfer.
    EXPECT_LT(waited, std::chrono::seconds(45));
    EXPECT_EQ(scanner->internalCode(), -4509);
    EXPECT_EQ(scanner->lastRequestFailure().reason, WebApiFailure::Reason::TimedOut);
    EXPECT_EQ(requests().size(), 1u);
}
