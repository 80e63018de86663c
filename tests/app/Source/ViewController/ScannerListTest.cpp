// The scanner list: its filters, choosing a scanner, the address check against
// simulated scanners, and the search when the screen appears.
#include <QAbstractItemModel>
#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <gtest/gtest.h>

#include "CustomButton.h"
#include "FWKVXSDK/WebApiClient.h"
#include "MainWindow.h"
#include "ProgressRun.h"
#include "ScannerDiscovery.h"
#include "SelectTableView.h"
#include "StatusLine.h"
#include "ToolbarButton.h"
#include "VXContainerViewController.h"
#include "VXJobScanViewController.h"
#include "VXScanerListViewController.h"
#include "ScreenTestSupport.h"
#include "app/Source/FlowTestSupport.h"

namespace {
const char* const kFront = "VX200:Front desk:A1001";
const char* const kBack = "VX200:Back office:A1002";
const char* const kPrint = "VX600:Print room:B2001";

std::shared_ptr<ScannerData> known(const char* name, const char* ip)
{
    auto scanner = scannerAt(ip);
    scanner->setScannerName(std::string(name));
    return scanner;
}

// The screen on its own, appeared without its search: a client, empty lists.
class ScannerListScreen : public ::testing::Test {
protected:
    void SetUp() override
    {
        LocalizedStrings::setLanguage("en");
        screen.loadViewIfNeeded();
        screen.resize(900, 620);
        screen.show();
        screen.transitionCompletionHandler([this](const CustomSegue& segue) { segues.push_back(segue); });
        screen.viewWillAppear();
    }

    void TearDown() override
    {
        screen.viewWillDisappear();
        screen.viewDidDisappear();
    }

    // The scanners a search found: front desk, back office and print room at 127.0.0.2 to .4.
    void knowThree()
    {
        screen.scannerContents = {known(kFront, "127.0.0.2"), known(kBack, "127.0.0.3"), known(kPrint, "127.0.0.4")};
        screen.ipadressfeild->clear();
        screen.controlTextDidChange();
    }

    std::vector<std::string> rows() const
    {
        std::vector<std::string> names;
        QAbstractItemModel* model = screen.scanerlistview->model();
        for (int row = 0; row < model->rowCount(); ++row) {
            names.push_back(model->index(row, 0).data().toString().toStdString());
        }
        return names;
    }

    QPoint rowCentre(int row) const
    {
        return screen.scanerlistview->visualRect(screen.scanerlistview->model()->index(row, 0)).center();
    }

    std::shared_ptr<ScannerData> handedOver(std::size_t segue = 0) const
    {
        EXPECT_GT(segues.size(), segue);
        EXPECT_EQ(segues.at(segue).segueidentifier(), "goback");
        return representedRecord<ScannerData>(segues.at(segue).representedObject(), "scanner");
    }

    // Types the text and presses the search button; waits for the check to end.
    void search(const std::string& text)
    {
        screen.ipadressfeild->setText(QString::fromStdString(text));
        screen.searchbutton->click();
        ASSERT_TRUE(runUntilIdle(DispatchQueue::global()));
        EXPECT_FALSE(screen.processAnimationWindow->isVisible());
    }

    ScreenFlowEnvironment environment;
    VXScanerListViewController screen;
    std::vector<CustomSegue> segues;
};

using ScannerListFilters = ScannerListScreen;
using ScannerListChoosing = ScannerListScreen;

// Simulated scanners that answer the address check (no multicast DNS).
class ScannerListAddressCheck : public ScannerListScreen {
protected:
    void SetUp() override
    {
        ScannerListScreen::SetUp();
        sim = std::make_unique<SimulatorProcess>(std::vector<std::string>{
            "--no-mdns", "--scanner", std::string("ip=127.0.0.2,scanner-name=") + kFront, "--scanner",
            std::string("ip=127.0.0.5,scanner-name=") + kBack, "--scanner",
            "ip=127.0.0.6,scanner-name=VX900:Lobby:C3001"});
        ASSERT_TRUE(sim->ready()) << sim->failure();
    }

    std::unique_ptr<SimulatorProcess> sim;
};
} // namespace

TEST_F(ScannerListFilters, NamesMatchInAnyLetterCaseAnywhereAndAnEmptyTextShowsAll)
{
    knowThree();
    EXPECT_EQ(rows(), (std::vector<std::string>{kFront, kBack, kPrint}));
    screen.ipadressfeild->setText("FRONT");
    EXPECT_EQ(rows(), std::vector<std::string>{kFront});
    screen.ipadressfeild->setText("a100");
    EXPECT_EQ(rows(), (std::vector<std::string>{kFront, kBack}));
    screen.ipadressfeild->setText("nowhere");
    EXPECT_TRUE(rows().empty());
    screen.ipadressfeild->clear();
    EXPECT_EQ(rows().size(), 3u);
    // The rows are the very records of the list, not copies.
    EXPECT_EQ(screen.scannerListShowContents, screen.scannerContents);
    EXPECT_EQ(screen.filterNameScannerContents("room").front(), screen.scannerContents[2]);
}

TEST_F(ScannerListFilters, AddressesMatchExactlyOrNotAtAll)
{
    knowThree();
    const std::vector<std::shared_ptr<ScannerData>> back{screen.scannerContents[1]};
    EXPECT_EQ(screen.filterIpScannerContents("127.0.0.3"), back);
    for (const char* near : {"127.0.0.03", " 127.0.0.3", "127.0.0.", "127.0.0.30"}) {
        EXPECT_TRUE(screen.filterIpScannerContents(near).empty()) << near;
    }
    EXPECT_EQ(screen.filterIpScannerContents("").size(), 3u);
}

TEST_F(ScannerListChoosing, ARowClickChoosesThatRowsScannerAndAClickBelowTheRowsNothing)
{
    knowThree();
    screen.ipadressfeild->setText("vx200");
    const QPoint below = rowCentre(1) + QPoint(0, 120);
    QTest::mouseClick(screen.scanerlistview->viewport(), Qt::LeftButton, {}, below);
    EXPECT_TRUE(segues.empty());
    QTest::mouseClick(screen.scanerlistview->viewport(), Qt::LeftButton, {}, rowCentre(1));
    EXPECT_EQ(handedOver(), screen.scannerContents[1]);
}

TEST_F(ScannerListChoosing, SpaceChoosesTheSelectedRowOtherKeysSelectByTyping)
{
    knowThree();
    // No row selected: back to the job list without a scanner.
    QTest::keyClick(screen.scanerlistview, Qt::Key_Space);
    ASSERT_EQ(segues.size(), 1u);
    EXPECT_EQ(handedOver(0), nullptr);

    QTest::keyClicks(screen.scanerlistview, "VX6");
    EXPECT_EQ(segues.size(), 1u) << "typing selects, it does not choose";
    EXPECT_EQ(screen.scanerlistview->currentIndex().row(), 2);
    QTest::keyClick(screen.scanerlistview, Qt::Key_Space);
    EXPECT_EQ(handedOver(1), screen.scannerContents[2]);
}

TEST_F(ScannerListChoosing, TheKeyboardLandsOnTheFirstRowAndEscapeGoesBack)
{
    knowThree();
    screen.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&screen));
    screen.ipadressfeild->setFocus(Qt::OtherFocusReason);
    QTest::keyClick(screen.ipadressfeild, Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), screen.scanerlistview);
    EXPECT_EQ(screen.scanerlistview->currentIndex().row(), 0);
    QTest::keyClick(screen.scanerlistview, Qt::Key_Space);
    EXPECT_EQ(handedOver(0), screen.scannerContents[0]);
    // Escape is the back button.
    screen.scanerlistview->clearSelection();
    QTest::keyClick(screen.ipadressfeild, Qt::Key_Escape);
    EXPECT_EQ(handedOver(1), nullptr);
}

TEST_F(ScannerListChoosing, TheBackButtonHandsOverTheSelectedScannerOrNone)
{
    knowThree();
    screen.backbutton->click();
    EXPECT_EQ(handedOver(0), nullptr);
    screen.scanerlistview->selectRow(0);
    screen.backbutton->click();
    EXPECT_EQ(handedOver(1), screen.scannerContents[0]);
    EXPECT_EQ(screen.backbutton->eventState(), 1);
}

TEST_F(ScannerListAddressCheck, ANewNameIsAddedWithTheTypedAddressAndShownAlone)
{
    knowThree();
    search("127.0.0.6");
    ASSERT_EQ(screen.scannerContents.size(), 4u);
    const auto added = screen.scannerContents.back();
    EXPECT_EQ(added->scannerName(), "VX900:Lobby:C3001");
    EXPECT_EQ(added->scannerIp(), "127.0.0.6");
    EXPECT_EQ(added->scannerId(), JsonIdentifier::fromString("VX6"));
    EXPECT_EQ(rows(), std::vector<std::string>{"VX900:Lobby:C3001"});
    EXPECT_EQ(operationsOf(sim->Requests()), std::vector<std::string>{"identify"});
    EXPECT_TRUE(environment.alerts.empty());
    // The same answer again adds nothing.
    search("127.0.0.6");
    EXPECT_EQ(screen.scannerContents.size(), 4u);
}

TEST_F(ScannerListAddressCheck, AKnownNameAddsNothingAndShowsOnlyARecordOfTheSameAddress)
{
    knowThree();
    search("127.0.0.2"); // answers as the front desk, known at this address
    EXPECT_EQ(screen.scannerContents.size(), 3u);
    EXPECT_EQ(rows(), std::vector<std::string>{kFront});
    search("127.0.0.5"); // answers as the back office, known at 127.0.0.3
    EXPECT_EQ(screen.scannerContents.size(), 3u);
    EXPECT_TRUE(rows().empty());
    EXPECT_TRUE(environment.alerts.empty());
}

TEST_F(ScannerListAddressCheck, NoAnswerFiltersByTheTextAndAlertsOnlyWithAnEmptyList)
{
    search("127.0.0.9");
    EXPECT_EQ(environment.alerts, std::vector<std::string>{LocalizedStrings::text("ErrorNoDetectScanner") + " " +
                                                           LocalizedStrings::text("ReasonRefused")});
    EXPECT_TRUE(screen.scannerContents.empty());

    knowThree();
    search("127.0.0.9");
    EXPECT_EQ(environment.alerts.size(), 1u) << "no alert while scanners are listed";
    EXPECT_EQ(screen.scannerContents.size(), 3u);
    EXPECT_TRUE(rows().empty()) << "the address, used as a name filter, matches no name";
}

TEST_F(ScannerListAddressCheck, TextThatIsNotAnAddressIsNeverSent)
{
    search("127.0.0.2/api/v1/job/settings#");
    EXPECT_EQ(environment.alerts, std::vector<std::string>{LocalizedStrings::text("ErrorNoDetectScanner")});
    knowThree();
    search("Front");
    search("127.0.0.02");
    EXPECT_TRUE(sim->Requests().empty());
    EXPECT_EQ(environment.alerts.size(), 1u);
    EXPECT_TRUE(rows().empty());
    search("Print");
    EXPECT_EQ(rows(), std::vector<std::string>{kPrint}) << "a failed check filters by name";
}

// The screen inside the main window, reached from the job list: each visit
// searches the network (about seven seconds) and starts from nothing.
TEST(ScannerListDiscovery, FindsTheScannersOfTheNetworkAndEachVisitStartsAfresh)
{
    LocalizedStrings::setLanguage("en");
    SimulatorProcess sim({"--scanner", "ip=127.0.0.2,model=VX200,name=Front desk,serial=A1001", "--scanner",
                          "ip=127.0.0.3,model=VX200,name=Back office,serial=A1002,mdns-delay-ms=200", "--scanner",
                          "ip=127.0.0.4,model=VX600,name=Print room,serial=B2001,mdns-delay-ms=400"});
    ASSERT_TRUE(sim.ready()) << sim.failure();
    MainWindow window;
    ScreenFlowEnvironment environment(&window);
    window.show();
    auto* jobs = window.container()->jobScanViewController;
    auto* screen = window.container()->scanerListViewController;

    jobs->discovery(nullptr);
    ASSERT_TRUE(screen->isVisible());
    EXPECT_TRUE(screen->processAnimationWindow->isVisible());
    EXPECT_EQ(window.focusWidget(), screen->backbutton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !screen->processAnimationWindow->isVisible(); }, 12000));
    ASSERT_EQ(screen->scannerContents.size(), 3u);
    EXPECT_EQ(screen->scannerContents[0]->scannerName(), kFront);
    EXPECT_EQ(screen->scannerContents[1]->scannerIp(), "127.0.0.3");
    EXPECT_EQ(screen->scannerContents[2]->scannerName(), kPrint);
    EXPECT_TRUE(environment.alerts.empty());
    EXPECT_TRUE(screen->statusLine->isVisible());
    EXPECT_EQ(screen->statusLine->text(), "Scanners found: 3");
    // Tab order: back, search, field, list, and round again.
    EXPECT_EQ(nextTabStop(screen->backbutton), screen->searchbutton);
    EXPECT_EQ(nextTabStop(screen->searchbutton), screen->ipadressfeild);
    EXPECT_EQ(nextTabStop(screen->ipadressfeild), screen->scanerlistview);
    EXPECT_EQ(nextTabStop(screen->scanerlistview), screen->backbutton);

    screen->ipadressfeild->setText("room");
    screen->scanerlistview->selectRow(0);
    screen->backbutton->click();
    EXPECT_EQ(jobs->currentScannerData, screen->scannerContents[2]);
    EXPECT_FALSE(screen->mClient) << "the client lasts one visit";

    // The next visit forgets this one, and leaving during its search does not wait for the search.
    sim.Stop();
    const int sockets = multicastDnsSockets();
    jobs->discovery(nullptr);
    EXPECT_TRUE(screen->scannerContents.empty());
    EXPECT_FALSE(screen->statusLine->isVisible()) << "what the last visit found no longer holds";
    EXPECT_TRUE(screen->processAnimationWindow->isVisible());
    ASSERT_TRUE(waitUntilTheSearchListens(sockets));
    closeDuringTheSearch(window, screen);
    EXPECT_FALSE(screen->processAnimationWindow->isVisible());
    EXPECT_TRUE(screen->scannerContents.empty());
    EXPECT_TRUE(environment.alerts.empty());
}

TEST(ScannerDiscoverySearch, ASearchThatCannotStartEndsAsAFailedOneAtOnce)
{
    LocalizedStrings::setLanguage("en");
    ScreenFlowEnvironment environment;
    VXScanerListViewController screen;
    screen.loadViewIfNeeded();
    const auto client = std::make_shared<WebApiClient>();
    client->terminate(); // its discovery manager is gone: no search would ever end
    const auto run = ProgressRun::show(&screen, screen.processAnimationWindow, screen.processAnimationView, "WindowSearching");
    bool found = false;
    ScannerDiscovery::search(client, run, [&](ScannerDiscovery::Scanners, const auto&) { found = true; });
    EXPECT_FALSE(screen.processAnimationWindow->isVisible()) << "the progress window does not stay up for good";
    EXPECT_FALSE(found);
    EXPECT_EQ(environment.alerts, std::vector<std::string>{LocalizedStrings::text("ErrorNoDetectScanner")});
}
