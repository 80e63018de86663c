// Scanning from the job list against a simulated scanner: the checks before
// anything is sent, the progress window while the scan runs, and the message
// at its end.
#include <algorithm>
#include <QDialog>
#include <mutex>

#include "CustomMaskView.h"
#include "JobScreensFixture.h"
#include "ProcessAnimationController.h"
#include "SimulatorProcess.h"
#include "SystemLog.h"

namespace {
class ScanFromJobList : public JobScreens {
protected:
    void SetUp() override
    {
        JobScreens::SetUp();
        SystemLog::setSink([this](const std::string& line) {
            std::lock_guard<std::mutex> guard(logLock);
            log.push_back(line);
        });
    }
    void TearDown() override
    {
        JobScreens::TearDown();
        SystemLog::setSink(nullptr);
    }

    void startScanner(const std::string& settings = "")
    {
        sim = std::make_unique<SimulatorProcess>(std::vector<std::string>{
            "--no-mdns", "--scanner", "ip=127.0.0.2" + (settings.empty() ? "" : "," + settings)});
        ASSERT_TRUE(sim->ready()) << sim->failure();
    }

    // The list with one job, the scanner at that address picked as the scanner
    // list hands it over, and the job's tile selected.
    void prepare(const std::string& address)
    {
        stored(1);
        open();
        auto scanner = std::make_shared<ScannerData>();
        scanner->setScannerName(std::string("Simulated"));
        scanner->setScannerIp(address);
        list()->setRepresentedObject(CustomSegue::entry("scanner", scanner));
        grid()->selectItem(0);
    }

    QWidget* progressWindow() const { return list()->processAnimationWindow; }
    QString progressText() const { return list()->processAnimationView->progressText(); }
    bool masked() const
    {
        const auto masks = window->findChildren<CustomMaskView*>();
        return std::any_of(masks.begin(), masks.end(), [](const CustomMaskView* mask) { return mask->isVisible(); });
    }

    // Presses Scan and lets the main thread run until the result is shown;
    // every progress text seen on the way is recorded.
    void scan()
    {
        list()->btnButtonScan->click();
        ASSERT_TRUE(progressWindow()->isVisible());
        EXPECT_TRUE(progressWindow()->isModal());
        EXPECT_TRUE(masked());
        ASSERT_TRUE(runUntil([this] {
            const std::string text = progressText().toStdString();
            if (alerts.empty() && (texts.empty() || texts.back() != text)) {
                texts.push_back(text);
            }
            return !alerts.empty();
        }));
        EXPECT_FALSE(progressWindow()->isVisible()) << "closed before the message";
        ASSERT_TRUE(DispatchQueue::global().waitUntilIdle(std::chrono::seconds(10)));
    }

    std::vector<std::string> logged()
    {
        std::lock_guard<std::mutex> guard(logLock);
        return log;
    }

    std::unique_ptr<SimulatorProcess> sim;
    std::vector<std::string> texts;
    std::mutex logLock;
    std::vector<std::string> log;
};
} // namespace

TEST_F(ScanFromJobList, TheScannerIsCheckedBeforeTheJob)
{
    stored(1);
    open();
    list()->btnButtonScan->click();
    EXPECT_EQ(alerts, std::vector<std::string>{en("ErrorNoSelectScanner")}) << "even with no job selected";
    list()->setRepresentedObject(CustomSegue::entry("scanner", std::make_shared<ScannerData>()));
    list()->btnButtonScan->click();
    EXPECT_EQ(alerts.back(), en("ErrorNoSelectJob"));
    EXPECT_FALSE(progressWindow()->isVisible());
    EXPECT_FALSE(masked());
    EXPECT_TRUE(logged().empty()) << "nothing started";
}

TEST_F(ScanFromJobList, AFullScanShowsEachPhaseAndTheSuccess)
{
    startScanner();
    prepare("127.0.0.2");
    scan();
    EXPECT_EQ(texts, (std::vector<std::string>{en("Scanning"), en("CreatingFile"), en("SendingFile")}));
    EXPECT_EQ(alerts, std::vector<std::string>{en("CompletedScan")});
    EXPECT_FALSE(masked());
    EXPECT_EQ(logged(), (std::vector<std::string>{"progresscompletion:status(0)", "progresscompletion:status(1)",
                                                  "progresscompletion:status(2)", "completion:result(0)"}));
}

TEST_F(ScanFromJobList, RefusedSettingsShowTheScannersOwnReason)
{
    startScanner("fault.settings.code=-4400");
    prepare("127.0.0.2");
    scan();
    EXPECT_EQ(texts, std::vector<std::string>{en("Scanning")});
    EXPECT_EQ(alerts, std::vector<std::string>{en("ErrorNotReady")});
    EXPECT_EQ(logged(), std::vector<std::string>{"completion:result(-4400)"});
}

TEST_F(ScanFromJobList, AnUnreachableScannerIsReportedAsNotFoundWithTheReason)
{
    prepare("127.0.0.9"); // nothing listens there
    scan();
    EXPECT_EQ(alerts, std::vector<std::string>{en("ErrorNoDetectScanner") + " " + en("ReasonRefused")});
    EXPECT_FALSE(masked());
}
