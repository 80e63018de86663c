// Registering all jobs from the job list on the picked scanner: the password
// dialog, the run against a simulated scanner, its progress and final message,
// and closing the window while it runs.
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>
#include <optional>

#include "AppError.h"
#include "ApplicationLog.h"
#include "CustomButton.h"
#include "CustomMaskView.h"
#include "MainWindow.h"
#include "PasswordDialogController.h"
#include "ProcessAnimationController.h"
#include "ProgressText.h"
#include "RequestLog.h"
#include "ResultMessage.h"
#include "ScreenTestSupport.h"
#include "VXContainerViewController.h"
#include "VXJobScanViewController.h"
#include "app/Source/FlowTestSupport.h"

namespace {
class JobListRegistration : public ::testing::Test {
protected:
    void SetUp() override
    {
        window.show();
        jobs = window.container()->jobScanViewController;
    }

    void startScanner(const std::string& settings = "")
    {
        sim = std::make_unique<SimulatorProcess>(std::vector<std::string>{
            "--no-mdns", "--scanner", "ip=127.0.0.2,password=pw,scanner-name=Front desk" + settings});
        ASSERT_TRUE(sim->ready()) << sim->failure();
        jobs->currentScannerData = scannerAt("127.0.0.2");
    }

    // Presses the button; the password dialog, once it runs, is answered with
    // the password (OK) or, without one, with Cancel.
    void registerAll(std::optional<std::string> password)
    {
        QTimer::singleShot(0, jobs, [this, password] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            auto* content = dialog ? dialog->findChild<PasswordDialogController*>() : nullptr;
            if (!content) {
                return;
            }
            ++dialogs;
            if (password) {
                content->editPassword->setText(QString::fromStdString(*password));
                content->btnOK->click();
            } else {
                content->btnCancel->click();
            }
        });
        jobs->btnAddJobtoScaner->click();
    }

    // Waits for the final message of the run.
    void awaitTheMessage()
    {
        ASSERT_TRUE(QTest::qWaitFor([this] { return !environment.alerts.empty(); }, 20000));
        EXPECT_FALSE(jobs->processAnimationWindow->isVisible());
        EXPECT_TRUE(QTest::qWaitFor([this] { return visibleMasks() == 0; }, 1000))
            << "the mask goes with the progress window";
    }

    int visibleMasks() const
    {
        int visible = 0;
        for (const auto* mask : window.findChildren<CustomMaskView*>()) {
            visible += mask->isVisible() ? 1 : 0;
        }
        return visible;
    }

    std::string progressText() const { return jobs->processAnimationView->progressText().toStdString(); }

    ScratchJobStore store;
    MainWindow window;
    ScreenFlowEnvironment environment{&window};
    VXJobScanViewController* jobs = nullptr;
    std::unique_ptr<SimulatorProcess> sim;
    int dialogs = 0;
};

std::string slotText(int64_t number, const char* requestKey)
{
    BulkJobStatus item;
    item.setJobNo(number);
    item.setScannerName("Front desk");
    item.setRequest(LocalizedStrings::text(requestKey));
    return ProgressText::forRegistration(item);
}
} // namespace

TEST_F(JobListRegistration, WithoutAScannerOnlyTheMessageIsShown)
{
    registerAll("pw");
    EXPECT_EQ(dialogs, 0);
    EXPECT_EQ(environment.alerts, std::vector<std::string>{LocalizedStrings::text("ErrorNoSelectScanner")});
}

TEST_F(JobListRegistration, CancelSendsNothingAndShowsNoProgress)
{
    startScanner();
    registerAll(std::nullopt);
    EXPECT_EQ(dialogs, 1);
    // The command has returned: a run would have been handed to the global queue by now.
    EXPECT_EQ(DispatchQueue::global().pending(), 0u);
    EXPECT_TRUE(sim->Requests().empty());
    EXPECT_TRUE(environment.alerts.empty());
    EXPECT_FALSE(jobs->processAnimationWindow && jobs->processAnimationWindow->isVisible());
    EXPECT_EQ(visibleMasks(), 0);
}

TEST_F(JobListRegistration, PasswordRefusedAtSlotFiveEndsWithItsMessage)
{
    startScanner(",refuse-slot=5");
    registerAll("pw");
    EXPECT_TRUE(jobs->processAnimationWindow->isVisible());
    awaitTheMessage();
    EXPECT_EQ(environment.alerts, std::vector<std::string>{ResultMessage::forRegistration(AppError::InvalidPassword)});
    EXPECT_EQ(progressText(), slotText(4, "MenuDelete")) << "the text keeps the last slot done";
    const std::vector<std::string> expected{"identify", "lock",   "delete", "delete",
                                            "delete",   "delete", "delete", "unlock"};
    EXPECT_EQ(operationsOf(sim->Requests()), expected) << "slots 1 to 4 cleared, 5 refused, nothing after it";
}

TEST_F(JobListRegistration, SuccessPutsEveryJobOnItsSlotWithThePassword)
{
    store.save(1);
    store.save(3);
    startScanner();
    registerAll("pw");
    awaitTheMessage();
    EXPECT_EQ(environment.alerts, std::vector<std::string>{LocalizedStrings::text("FinishRegist")});
    EXPECT_EQ(progressText(), slotText(99, "MenuDelete"));
    const auto requests = sim->Requests();
    ASSERT_EQ(requests.size(), 102u);
    for (std::size_t at = 2; at < 101; ++at) {
        const int64_t slot = static_cast<int64_t>(at) - 1;
        const auto body = bodyOf(requests[at]);
        EXPECT_EQ(operationOf(requests[at]), slot == 1 || slot == 3 ? "register" : "delete") << slot;
        EXPECT_EQ(body.value("job_id", int64_t{0}), slot);
        EXPECT_EQ(body.value("job_password", ""), "pw");
    }
    EXPECT_EQ(operationOf(requests.back()), "unlock");
}

TEST_F(JobListRegistration, TheRequestLogHoldsEveryRequestOfTheRunAndNoPassword)
{
    ScratchFolder state;
    ::setenv("XDG_STATE_HOME", state.path().c_str(), 1);
    ASSERT_TRUE(ApplicationLog::startRequestLog());
    auto job = store.save(1);
    job->sendSetting()->setUserName("scan");
    job->sendSetting()->setPassword("share-secret-7Q");
    SettingData::SaveSettings(job);
    startScanner(",password=job-secret-4K");
    registerAll("job-secret-4K");
    awaitTheMessage();
    RequestLog::stop();
    const std::string log = readWholeFile(RequestLog::filePath());
    ::unsetenv("XDG_STATE_HOME");
    ASSERT_NE(nlohmann::json(sim->Requests()).dump().find("share-secret-7Q"), std::string::npos) << "it was sent";
    EXPECT_EQ(log.find("secret"), std::string::npos) << log;
    EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 102) << "identify, lock, 99 slots, unlock";
}

TEST_F(JobListRegistration, ClosingTheWindowStopsTheRunAfterTheSlotUnderWayAndUnlocks)
{
    startScanner(",fault.delete.delay-ms=100");
    registerAll("pw");
    ASSERT_TRUE(QTest::qWaitFor([this] { return progressText() == slotText(2, "MenuDelete"); }, 10000));
    const std::size_t beforeTheStop = sim->Requests().size();
    window.close();
    EXPECT_FALSE(jobs->processAnimationWindow->isVisible());
    ASSERT_TRUE(runUntilIdle(DispatchQueue::global()));
    EXPECT_TRUE(onlyTheUnlockFollows(sim->RequestsSince(beforeTheStop)));
    EXPECT_TRUE(environment.alerts.empty()) << "nothing is shown once the window has closed";
}
