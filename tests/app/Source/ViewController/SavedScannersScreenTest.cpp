// What the application keeps between visits and starts: the saved scanners of
// the scanner list, and the scanner picked last with the window's size.
#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QMenu>
#include <QTimer>
#include <gtest/gtest.h>

#include "CustomButton.h"
#include "MainWindow.h"
#include "SavedScanners.h"
#include "ScanerSelectButton.h"
#include "ScreenTestSupport.h"
#include "SelectTableView.h"
#include "VXContainerViewController.h"
#include "VXJobScanViewController.h"
#include "VXScanerListViewController.h"
#include "app/Source/FlowTestSupport.h"

namespace {
std::vector<std::string> rowsOf(const VXScanerListViewController& screen)
{
    std::vector<std::string> names;
    for (const auto& scanner : screen.scannerListShowContents) {
        names.push_back(scanner->scannerName().value_or("?"));
    }
    return names;
}
} // namespace

TEST(SavedScannersScreen, SavedRowsAreListedForgottenAndWhatWasPickedSurvivesARestart)
{
    LocalizedStrings::setLanguage("en");
    // Scanners that answer only at their addresses: no multicast DNS at all.
    SimulatorProcess sim{{"--no-mdns", "--scanner", "ip=127.0.0.5,scanner-name=VX600:Branch:C3", "--scanner",
                          "ip=127.0.0.6,scanner-name=VX900:Lobby:D4"}};
    ASSERT_TRUE(sim.ready()) << sim.failure();
    ASSERT_EQ(SavedScanners::add("127.0.0.5", "VX600:Branch:C3"), "");
    ASSERT_EQ(SavedScanners::add("127.0.0.9", "VX100:Gone:Z9"), ""); // refuses connections now
    {
        MainWindow window;
        ScreenFlowEnvironment environment(&window);
        window.show();
        auto* screen = window.container()->scanerListViewController;
        window.container()->jobScanViewController->discovery(nullptr);
        ASSERT_TRUE(QTest::qWaitFor([&] { return !screen->processAnimationWindow->isVisible(); }, 12000));
        EXPECT_EQ(rowsOf(*screen), std::vector<std::string>{"VX600:Branch:C3"}) << "found by its address only";

        // A typed address that answers is saved, for every later visit.
        screen->ipadressfeild->setText("127.0.0.6");
        screen->searchbutton->click();
        ASSERT_TRUE(runUntilIdle(DispatchQueue::global()));
        screen->ipadressfeild->clear();
        ASSERT_EQ(rowsOf(*screen), (std::vector<std::string>{"VX600:Branch:C3", "VX900:Lobby:D4"}));
        EXPECT_EQ(screen->scanerlistview->model()->index(1, 0).data(Qt::ToolTipRole).toString().toStdString(),
                  LocalizedStrings::format("TipSavedScanner", {"127.0.0.6"}));

        // The Delete key forgets the selected row's scanner, the row's menu another.
        screen->scanerlistview->selectRow(1);
        QTest::keyClick(screen->scanerlistview, Qt::Key_Delete);
        EXPECT_EQ(rowsOf(*screen), std::vector<std::string>{"VX600:Branch:C3"});
        QTimer::singleShot(0, [] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            ASSERT_NE(menu, nullptr);
            menu->actions().first()->trigger();
            menu->close();
        });
        const QRect first = screen->scanerlistview->visualRect(screen->scanerlistview->model()->index(0, 0));
        QTest::mouseClick(window.windowHandle(), Qt::RightButton, {},
                          screen->scanerlistview->viewport()->mapTo(&window, first.center()));
        EXPECT_TRUE(rowsOf(*screen).empty());
        EXPECT_EQ(SavedScanners::addresses(SavedScanners::load()), std::vector<std::string>{"127.0.0.9"});
        EXPECT_TRUE(environment.alerts.empty()) << "not for the silent saved scanner either";
        EXPECT_TRUE(screen->isVisible()) << "only the left button chooses a row; forgetting chose no scanner";

        window.resize(1010, 707);
        auto picked = scannerAt("127.0.0.5");
        picked->setScannerName(std::string("VX600:Branch:C3"));
        window.container()->jobScanViewController->setRepresentedObject(CustomSegue::entry("scanner", picked));
        window.close();
    }
    const std::size_t asked = sim.Requests().size();
    MainWindow window;
    ScreenFlowEnvironment environment(&window);
    window.show();
    QApplication::processEvents();
    EXPECT_EQ(window.size(), QSize(1010, 707));
    auto* jobs = window.container()->jobScanViewController;
    ASSERT_NE(jobs->currentScannerData, nullptr);
    EXPECT_EQ(jobs->currentScannerData->scannerIp(), "127.0.0.5");
    EXPECT_EQ(jobs->btnSelectScanner->text(), "VX600:Branch:C3");
    EXPECT_EQ(sim.Requests().size(), asked) << "shown as picked, not asked";
    window.close();
}
