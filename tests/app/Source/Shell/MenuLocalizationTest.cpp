// Menu titles by tag, what the application menu shows, and the menu bar from
// the keyboard.
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <gtest/gtest.h>

#include "AppDelegate.h"
#include "LocalizedStrings.h"
#include "MainWindow.h"

namespace {
class MenuLocalization : public ::testing::Test {
protected:
    void TearDown() override { LocalizedStrings::useEnvironmentLanguage(); }

    // A bar with one submenu per top-level tag; each submenu holds items with the given tags.
    static QMenu* addMenu(QMenuBar& bar, int tag, std::initializer_list<int> itemTags)
    {
        QMenu* menu = bar.addMenu(QStringLiteral("from the description %1").arg(tag));
        menu->setProperty("tag", tag);
        for (int itemTag : itemTags) {
            QAction* item = menu->addAction(QStringLiteral("item %1").arg(itemTag));
            item->setProperty("tag", itemTag);
        }
        return menu;
    }

    static QString titleOf(QMenu* menu, int itemTag)
    {
        for (QAction* item : menu->actions()) {
            if (item->property("tag").toInt() == itemTag) {
                return item->text();
            }
        }
        return {};
    }
};
} // namespace

TEST_F(MenuLocalization, TopLevelItemsAndTheirSubmenusByTag)
{
    LocalizedStrings::setLanguage("en");
    QMenuBar bar;
    QMenu* application = addMenu(bar, 100, {101, 102, 103, 104, 105, 106});
    QMenu* edit = addMenu(bar, 200, {201, 202, 203, 204, 205, 206, 207});
    QMenu* window = addMenu(bar, 300, {300, 301, 302, 303, 304});
    QMenu* help = addMenu(bar, 400, {401});
    QMenu* other = addMenu(bar, 500, {501});
    AppDelegate::localizeMainMenu(&bar);

    EXPECT_EQ(application->title(), QString()); // the application's name is shown there
    EXPECT_EQ(application->menuAction()->text(), QString());
    EXPECT_EQ(edit->title(), "&Edit"); // "&": the letter that opens it with Alt
    EXPECT_EQ(window->title(), "&Window");
    EXPECT_EQ(help->title(), "&Help");
    EXPECT_EQ(other->title(), "from the description 500");

    // Formats take the fixed application name where they have a placeholder.
    EXPECT_EQ(titleOf(application, 101), "&About Fernwick Vantix");
    EXPECT_EQ(titleOf(application, 103), "&Hide Fernwick Vantix");
    EXPECT_EQ(titleOf(application, 106), "&Quit Fernwick Vantix");
    EXPECT_EQ(titleOf(help, 401), "Fernwick Vantix &Help");
    EXPECT_EQ(titleOf(application, 102), QString::fromStdString(LocalizedStrings::text("MainMenu_Prefs")));
    EXPECT_EQ(titleOf(edit, 207), "Select &All");
    EXPECT_EQ(titleOf(window, 300), "&Window");
    EXPECT_EQ(titleOf(window, 301), "Mi&nimize");
    // Tags without a text of their own keep the description's titles.
    EXPECT_EQ(titleOf(edit, 201), "item 201");
    EXPECT_EQ(titleOf(edit, 202), "item 202");
    EXPECT_EQ(titleOf(other, 501), "item 501");
}

TEST_F(MenuLocalization, FormatsWithAndWithoutPlaceholder)
{
    // A translation with "%@" gets the name in place; one without is shown as it is.
    EXPECT_EQ(LocalizedStrings::applyFormat("Quit %@ now", {AppDelegate::kApplicationName}), "Quit Fernwick Vantix now");
    EXPECT_EQ(LocalizedStrings::applyFormat("Quit", {AppDelegate::kApplicationName}), "Quit");
    LocalizedStrings::setLanguage("ar");
    QMenuBar bar;
    QMenu* application = addMenu(bar, 100, {106});
    AppDelegate::localizeMainMenu(&bar);
    EXPECT_EQ(titleOf(application, 106), QString::fromUtf8("إنهاء Fernwick Vantix"));
}

TEST_F(MenuLocalization, TheMainWindowsMenuCarriesEveryTagAndAnAction)
{
    LocalizedStrings::setLanguage("en");
    MainWindow window;
    AppDelegate(window.mainMenu()).awakeFromNib();
    QList<int> tags;
    QList<int> disabled;
    for (QAction* top : window.mainMenu()->actions()) {
        tags << top->menu()->property("tag").toInt();
        for (QAction* item : top->menu()->actions()) {
            if (item->isSeparator()) {
                continue;
            }
            tags << item->property("tag").toInt();
            if (!item->isEnabled()) {
                disabled << item->property("tag").toInt();
            }
        }
    }
    // 107 and 108, the job bundles, are the application's own: no tag of the standard menu.
    EXPECT_EQ(tags, QList<int>({100, 101, 102, 107, 108, 103, 104, 105, 106, 200, 201, 202, 203, 204, 205, 206, 207,
                                300, 301, 302, 303, 304, 400, 401, 402}));
    // Items with no meaning on this desktop stay visible but cannot be chosen;
    // nor can Undo and Redo while there is nothing to undo.
    EXPECT_EQ(disabled, QList<int>({102, 104, 105, 201, 202, 304}));
    window.showApplicationNameInMenu();
    EXPECT_EQ(window.mainMenu()->actions().first()->text(), "&Fernwick Vantix");
    // The description's own items are in the user's language too.
    EXPECT_EQ(window.mainMenu()->actions()[1]->menu()->actions().first()->text(), "&Undo");
}

TEST_F(MenuLocalization, TheMenuBarOpensFromTheKeyboard)
{
    LocalizedStrings::setLanguage("en");
    MainWindow window;
    AppDelegate(window.mainMenu()).awakeFromNib();
    window.showApplicationNameInMenu();
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QMenu* first = window.mainMenu()->actions().first()->menu();

    QTest::keyClick(&window, Qt::Key_F10);
    EXPECT_EQ(QApplication::activePopupWidget(), first) << "F10 opens the first menu";
    first->close();
    // Alt alone takes the keyboard to the menu bar; Down opens the menu there.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Alt);
    QTest::keyClick(window.mainMenu(), Qt::Key_Down);
    EXPECT_EQ(QApplication::activePopupWidget(), first);
    first->close();
}
