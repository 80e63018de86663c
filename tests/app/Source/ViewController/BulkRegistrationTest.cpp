// The bulk registration screen: its table in both writing directions, the runs
// on the ticked scanners one after another against simulated scanners, leaving
// while they run, and the search when it appears.
#include <QCheckBox>
#include <QDialog>
#include <QHeaderView>
#include <QTableWidget>
#include <gtest/gtest.h>

#include "CustomButton.h"
#include "MainWindow.h"
#include "PasswordTableCellView.h"
#include "PasswordTextField.h"
#include "ProcessAnimationController.h"
#include "ScanButton.h"
#include "ScreenTestSupport.h"
#include "SelectTableCellView.h"
#include "StatusLine.h"
#include "ToolbarButton.h"
#include "VXContainerViewController.h"
#include "VXJobRegisterViewController.h"
#include "VXJobScanViewController.h"
#include "VXVersionViewController.h"
#include "app/Source/FlowTestSupport.h"

namespace {
using Screen = VXJobRegisterViewController;

std::string identifierAt(const Screen& screen, int position)
{
    const int column = screen.registertable->horizontalHeader()->logicalIndex(position);
    return Screen::kColumnIdentifiers[column];
}

// The screen on its own, appeared without its search, with the rows a search
// would have made for the scanners at 127.0.0.2, .3 and .4.
class BulkRegistration : public ::testing::Test {
protected:
    void SetUp() override
    {
        screen.loadViewIfNeeded();
        screen.resize(900, 620);
        screen.show();
        screen.viewWillAppear();
        for (const char* ip : {"127.0.0.2", "127.0.0.3", "127.0.0.4"}) {
            Screen::RowRecord row;
            row.scannerData = scannerAt(ip);
            screen.contents.push_back(row);
        }
        screen.reloadData();
    }

    void TearDown() override
    {
        screen.viewWillDisappear();
        screen.viewDidDisappear();
        runUntilIdle(*screen.mSerialDispatchQueue);
    }

    void startScanners(const std::string& settings = "")
    {
        std::vector<std::string> arguments{"--no-mdns"};
        for (const char* name : {"Front desk", "Back office", "Print room"}) {
            arguments.push_back("--scanner");
            arguments.push_back(std::string("password=pw,scanner-name=") + name + settings);
        }
        sim = std::make_unique<SimulatorProcess>(arguments);
        ASSERT_TRUE(sim->ready()) << sim->failure();
    }

    void type(int64_t row, const char* password)
    {
        screen.passwordCell(row)->passwordtextfield->setText(QString::fromUtf8(password));
    }
    void tick(int64_t row, bool on) { screen.selectCell(row)->checkbutton->setChecked(on); }
    std::string result(int64_t row) const { return screen.resultCell(row)->text().toStdString(); }
    bool progressShown() const { return screen.processAnimationWindow->isVisible(); }

    // The simulated scanners that received requests, in the order of their requests.
    std::vector<std::string> scannersInOrder() const
    {
        std::vector<std::string> order;
        for (const auto& request : sim->Requests()) {
            const std::string scanner = request.value("scanner", "");
            if (order.empty() || order.back() != scanner) {
                order.push_back(scanner);
            }
        }
        return order;
    }

    ScratchJobStore store;
    ScreenFlowEnvironment environment;
    Screen screen;
    std::unique_ptr<SimulatorProcess> sim;
};

// The same screen made in a language written right to left.
class BulkRegistrationRightToLeft : public ::testing::Test {
protected:
    BulkRegistrationRightToLeft() { LocalizedStrings::setLanguage("ar"); }
    ~BulkRegistrationRightToLeft() override { LocalizedStrings::setLanguage("en"); }
    Screen screen;
};
} // namespace

TEST_F(BulkRegistration, EveryTickedScannerInRowOrderEachWithItsOwnPasswordAndResult)
{
    startScanners();
    type(0, "pw");
    type(1, "pw");
    type(2, "wrong");
    screen.btnBatchRegist->click();
    EXPECT_TRUE(progressShown());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !result(0).empty(); }, 20000));
    if (result(2).empty()) {
        EXPECT_TRUE(progressShown()) << "the window stays until the last ticked row is done";
    }
    ASSERT_TRUE(QTest::qWaitFor([&] { return !progressShown(); }, 20000));
    EXPECT_EQ(result(0), LocalizedStrings::text("ResSuccess"));
    EXPECT_EQ(result(1), LocalizedStrings::text("ResSuccess"));
    EXPECT_EQ(result(2),
              LocalizedStrings::text("ResFailure") + "(" + LocalizedStrings::text("ErrorInvalidPassword") + ")");
    EXPECT_TRUE(environment.alerts.empty()) << "the rows carry the results";
    EXPECT_EQ(screen.statusLine->text(), "Registration finished: 2 succeeded, 1 failed.");
    EXPECT_EQ(scannersInOrder().size(), 3u) << "one run after another, never two at once";
    // The row records keep what the search made.
    EXPECT_EQ(screen.contents[2].password, "");
    EXPECT_EQ(screen.contents[2].result, "");
}

TEST_F(BulkRegistration, EachFailedRowSaysWhy)
{
    sim = std::make_unique<SimulatorProcess>(
        std::vector<std::string>{"--no-mdns", "--scanner", "ip=127.0.0.2,password=pw,fault.delete.status=404"});
    ASSERT_TRUE(sim->ready()) << sim->failure();
    screen.contents[1].scannerData = scannerAt("127.0.0.9"); // nothing listens there
    type(0, "pw");
    type(1, "pw");
    tick(2, false);
    screen.btnBatchRegist->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !progressShown(); }, 20000));
    const auto failure = [](const char* key, const std::string& reason) {
        return LocalizedStrings::text("ResFailure") + "(" + LocalizedStrings::text(key) + " " + reason + ")";
    };
    EXPECT_EQ(result(0), failure("ErrorFailedToBulkRegistJob", LocalizedStrings::format("ReasonHttpStatus", {"404"})));
    EXPECT_EQ(result(1), failure("ErrorNoDetectScanner", LocalizedStrings::text("ReasonRefused")));
}

TEST_F(BulkRegistration, NothingTickedOnlyAlertsAndOneTickedRowClosesTheProgressWithItsRun)
{
    startScanners();
    for (int64_t row = 0; row < 3; ++row) {
        tick(row, false);
    }
    screen.btnBatchRegist->click();
    EXPECT_FALSE(progressShown());
    EXPECT_EQ(environment.alerts, std::vector<std::string>{LocalizedStrings::text("ErrorNoSelectScanner")});

    tick(0, true);
    type(0, "pw");
    type(1, "pw");
    screen.btnBatchRegist->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !progressShown(); }, 20000));
    EXPECT_EQ(result(0), LocalizedStrings::text("ResSuccess"));
    EXPECT_EQ(result(1), "");
    EXPECT_EQ(scannersInOrder().size(), 1u);
    EXPECT_EQ(environment.alerts.size(), 1u);
}

TEST_F(BulkRegistration, LeavingDuringTheRunsStopsTheOneUnderWayAndBeginsNoOther)
{
    startScanners(",fault.delete.delay-ms=100");
    for (int64_t row = 0; row < 3; ++row) {
        type(row, "pw");
    }
    screen.btnBatchRegist->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return screen.processAnimationView->progressText().contains("2("); }, 10000));
    const std::size_t beforeTheStop = sim->Requests().size();
    // What closing the main window does to the screen shown.
    screen.viewWillDisappear();
    screen.viewDidDisappear();
    EXPECT_FALSE(progressShown());
    ASSERT_TRUE(runUntilIdle(*screen.mSerialDispatchQueue));
    EXPECT_EQ(scannersInOrder().size(), 1u) << "the rows not begun are left alone";
    EXPECT_TRUE(onlyTheUnlockFollows(sim->RequestsSince(beforeTheStop)));
    EXPECT_EQ(result(0), "");
    EXPECT_TRUE(environment.alerts.empty());
}

TEST_F(BulkRegistration, CellsFollowTheRowsAndTabGoesThroughThem)
{
    EXPECT_EQ(screen.numberOfRowsInTableView(screen.registertable), 3);
    for (int64_t row = 0; row < 3; ++row) {
        EXPECT_TRUE(screen.selectCell(row)->checkbutton->isChecked());
        EXPECT_TRUE(screen.passwordCell(row)->passwordtextfield->text().isEmpty());
        EXPECT_TRUE(screen.passwordCell(row)->passwordtextfield->isPasswordHidden());
        EXPECT_EQ(result(row), "");
    }

    QList<QWidget*> expected{screen.closebutton, screen.registertable};
    for (int64_t row = 0; row < 3; ++row) {
        expected << screen.selectCell(row)->checkbutton << screen.passwordCell(row)->passwordtextfield
                 << screen.passwordCell(row)->passwordsecurebutton;
    }
    expected << screen.btnUpdateList << screen.btnBatchRegist << screen.closebutton;
    for (int at = 1; at < expected.size(); ++at) {
        EXPECT_EQ(nextTabStop(expected[at - 1]), expected[at]) << at;
    }
    EXPECT_FALSE(screen.registertable->tabKeyNavigation());
    // Escape is the back button.
    std::vector<std::string> sent;
    screen.transitionCompletionHandler([&](const CustomSegue& segue) { sent.push_back(segue.segueidentifier()); });
    screen.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&screen));
    QTest::keyClick(screen.passwordCell(1)->passwordtextfield, Qt::Key_Escape);
    EXPECT_EQ(sent, std::vector<std::string>{"goback"});
}

TEST_F(BulkRegistration, ColumnsKeepTheirOrderLeftToRight)
{
    for (int position = 0; position < Screen::ColumnCount; ++position) {
        EXPECT_EQ(identifierAt(screen, position), Screen::kColumnIdentifiers[position]);
    }
    EXPECT_EQ(screen.registertable->horizontalHeaderItem(Screen::PasswordColumn)->text().toStdString(),
              LocalizedStrings::text("LabelPassword"));
    const PasswordTableCellView* cell = screen.passwordCell(0);
    EXPECT_LT(cell->passwordtextfield->x(), cell->passwordsecurebutton->x());
}

TEST_F(BulkRegistrationRightToLeft, ColumnsAreReversedOnceByTheMirroringAndOnceOnTheFirstAppearance)
{
    screen.loadViewIfNeeded();
    EXPECT_EQ(screen.registertable->layoutDirection(), Qt::RightToLeft);
    EXPECT_EQ(identifierAt(screen, 0), "result") << "the mirroring pass reversed them";
    screen.viewWillAppear();
    for (int appearance = 0; appearance < 2; ++appearance) {
        EXPECT_EQ(identifierAt(screen, 0), "select");
        EXPECT_EQ(identifierAt(screen, 1), "scaner");
        EXPECT_EQ(identifierAt(screen, 2), "password");
        EXPECT_EQ(identifierAt(screen, 3), "result");
        screen.viewWillDisappear();
        screen.viewDidDisappear();
        screen.viewWillAppear();
    }
    Screen::RowRecord row;
    row.scannerData = scannerAt("127.0.0.2");
    screen.contents.push_back(row);
    screen.reloadData();
    const PasswordTableCellView* cell = screen.passwordCell(0);
    EXPECT_GT(cell->passwordtextfield->x(), cell->passwordsecurebutton->x()) << "cells are mirrored as they are made";
    EXPECT_EQ(cell->layoutDirection(), Qt::RightToLeft);
    screen.viewWillDisappear();
    screen.viewDidDisappear();
}

// Reached from the version screen inside the main window: the search when the
// screen appears (about seven seconds), and the update button.
TEST(BulkRegistrationDiscovery, EveryScannerFoundGetsATickedRowAndUpdateSearchesAgain)
{
    LocalizedStrings::setLanguage("en");
    SimulatorProcess sim({"--scanner", "ip=127.0.0.2,model=VX200,name=Front desk,serial=A1001", "--scanner",
                          "ip=127.0.0.3,model=VX600,name=Print room,serial=B2001,mdns-delay-ms=300"});
    ASSERT_TRUE(sim.ready()) << sim.failure();
    MainWindow window;
    ScreenFlowEnvironment environment(&window);
    window.show();
    auto* container = window.container();
    auto* screen = container->jobRegisterViewController;
    container->jobScanViewController->version(nullptr);
    container->versionViewController->copyjob(nullptr);
    ASSERT_TRUE(screen->isVisible());
    EXPECT_EQ(window.focusWidget(), screen->closebutton);
    EXPECT_TRUE(screen->processAnimationWindow->isVisible());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !screen->processAnimationWindow->isVisible(); }, 12000));
    ASSERT_EQ(screen->contents.size(), 2u);
    EXPECT_EQ(screen->registertable->item(0, Screen::ScanerColumn)->text(), "VX200:Front desk:A1001");
    EXPECT_EQ(screen->contents[1].scannerData->scannerIp(), "127.0.0.3");
    EXPECT_TRUE(screen->selectCell(1)->checkbutton->isChecked());
    EXPECT_TRUE(screen->passwordCell(1)->passwordtextfield->isPasswordHidden());
    EXPECT_TRUE(environment.alerts.empty());

    sim.Stop();
    const int sockets = multicastDnsSockets();
    screen->btnUpdateList->click();
    EXPECT_EQ(screen->registertable->rowCount(), 0) << "emptied before the new search";
    ASSERT_TRUE(QTest::qWaitFor([&] { return screen->processAnimationWindow->isVisible(); }, 1000));
    // Closing the window during that search neither waits for it nor shows anything.
    ASSERT_TRUE(waitUntilTheSearchListens(sockets));
    closeDuringTheSearch(window, screen);
    EXPECT_FALSE(screen->processAnimationWindow->isVisible());
    EXPECT_TRUE(screen->contents.empty());
    EXPECT_TRUE(environment.alerts.empty());
}

TEST(BulkRegistrationDiscovery, NothingFoundLeavesTheTableEmptyWithTheAlert)
{
    LocalizedStrings::setLanguage("en");
    MainWindow window;
    ScreenFlowEnvironment environment(&window);
    window.show();
    auto* container = window.container();
    container->jobScanViewController->version(nullptr);
    container->versionViewController->copyjob(nullptr);
    auto* screen = container->jobRegisterViewController;
    ASSERT_TRUE(QTest::qWaitFor([&] { return !environment.alerts.empty(); }, 12000));
    EXPECT_EQ(environment.alerts, std::vector<std::string>{LocalizedStrings::text("ErrorNoDetectScanner")});
    EXPECT_FALSE(screen->processAnimationWindow->isVisible());
    EXPECT_EQ(screen->registertable->rowCount(), 0);
}
