// The version screen: what it shows, where it leads, and its mirroring while shown.
#include <gtest/gtest.h>

#include <QLabel>
#include <QTest>

#include "CustomButton.h"
#include "InfoDictionary.h"
#include "LocalizedStrings.h"
#include "MainWindow.h"
#include "ToolbarButton.h"
#include "VXContainerViewController.h"
#include "VXJobRegisterViewController.h"
#include "VXJobScanViewController.h"
#include "VXVersionViewController.h"

namespace {
class VersionScreen : public ::testing::Test {
protected:
    void TearDown() override { LocalizedStrings::useEnvironmentLanguage(); }

    ViewController* shown(MainWindow& window) { return window.container()->childViewControllers().value(0); }
};
} // namespace

TEST_F(VersionScreen, ShowsTheBuildsVersionAndCopyrightAsTheyAre)
{
    LocalizedStrings::setLanguage("en");
    VXVersionViewController screen;
    screen.loadViewIfNeeded();
    EXPECT_EQ(screen.version->text().toStdString(), VANTIX_EXPECTED_VERSION);
    EXPECT_EQ(screen.copyright->text().toStdString(), *InfoDictionary::objectForKey("NSHumanReadableCopyright"));
    EXPECT_FALSE(screen.copyright->text().isEmpty());
    EXPECT_EQ(screen.labelVersion->text(), "Version");
    EXPECT_EQ(screen.btnRegistJobToScanner->text().toStdString(), LocalizedStrings::text("TextSendJobAllScanner"));
    EXPECT_FALSE(InfoDictionary::objectForKey("NoSuchKey"));
}

TEST_F(VersionScreen, BothButtonsLeadAwayInOneStep)
{
    MainWindow window;
    window.show();
    auto* container = window.container();
    container->jobScanViewController->version(nullptr);
    ASSERT_EQ(shown(window), container->versionViewController);
    container->versionViewController->btnRegistJobToScanner->click();
    EXPECT_EQ(shown(window), container->jobRegisterViewController);
    container->jobRegisterViewController->goback(nullptr);
    container->jobScanViewController->version(nullptr);
    container->versionViewController->closebutton->click();
    EXPECT_EQ(shown(window), container->jobScanViewController);
    // Escape is the back button.
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    container->jobScanViewController->version(nullptr);
    QTest::keyClick(container->versionViewController->closebutton, Qt::Key_Escape);
    EXPECT_EQ(shown(window), container->jobScanViewController);
}

TEST_F(VersionScreen, MirroredWhileShownInRightToLeftOnly)
{
    LocalizedStrings::setLanguage("ar");
    MainWindow window;
    window.show();
    auto* container = window.container();
    auto* screen = container->versionViewController;
    container->jobScanViewController->version(nullptr);
    ASSERT_EQ(shown(window), screen);
    const int width = screen->closebutton->parentWidget()->width();
    EXPECT_EQ(screen->closebutton->geometry().right(), width - 1 - 20); // 20 from the right edge
    EXPECT_EQ(screen->labelVersion->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight | Qt::AlignAbsolute);
    screen->goback(screen->closebutton);
    EXPECT_EQ(screen->closebutton->geometry().left(), 20); // put back as it leaves
    container->jobScanViewController->version(nullptr);
    EXPECT_EQ(screen->closebutton->geometry().right(), width - 1 - 20);
}
