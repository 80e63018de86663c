#include "AppDelegate.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <optional>
#include <string>

#include "LocalizedStrings.h"

namespace {
int tagOf(const QObject* object)
{
    return object ? object->property("tag").toInt() : 0;
}

std::optional<std::string> topLevelTitle(int tag)
{
    switch (tag) {
    case 100: return LocalizedStrings::text("");
    case 200: return LocalizedStrings::text("MainMenu_Edit");
    case 300: return LocalizedStrings::text("MainMenu_Window");
    case 400: return LocalizedStrings::text("MainMenu_Help");
    default: return std::nullopt;
    }
}

std::optional<std::string> itemTitle(int tag)
{
    const auto withName = [](const char* key) {
        return LocalizedStrings::applyFormat(LocalizedStrings::text(key), {AppDelegate::kApplicationName});
    };
    switch (tag) {
    case 101: return withName("MainMenu_About");
    case 102: return LocalizedStrings::text("MainMenu_Prefs");
    case 103: return withName("MainMenu_AppHide");
    case 104: return LocalizedStrings::text("MainMenu_OtherHide");
    case 105: return LocalizedStrings::text("MainMenu_ShowAll");
    case 106: return withName("MainMenu_Quit");
    case 203: return LocalizedStrings::text("MainMenu_Cut");
    case 204: return LocalizedStrings::text("MainMenu_Copy");
    case 205: return LocalizedStrings::text("MainMenu_Paste");
    case 206: return LocalizedStrings::text("MainMenu_Delete");
    case 207: return LocalizedStrings::text("MainMenu_SelectAll");
    case 300: return LocalizedStrings::text("MainMenu_Window");
    case 301: return LocalizedStrings::text("MainMenu_Miniaturize");
    case 302: return LocalizedStrings::text("MainMenu_Zoom");
    case 303: return LocalizedStrings::text("MainMenu_Close");
    case 304: return LocalizedStrings::text("MainMenu_FrontAll");
    case 401: return withName("MainMenu_ShowHelpHelp");
    case 402: return LocalizedStrings::text("MainMenu_ShowRequestLog");
    default: return std::nullopt;
    }
}
} // namespace

AppDelegate::AppDelegate(QMenuBar* mainMenu) : mMainMenu(mainMenu) {}

void AppDelegate::awakeFromNib()
{
    localizeMainMenu(mMainMenu);
}

void AppDelegate::localizeMainMenu(QMenuBar* mainMenu)
{
    if (!mainMenu) {
        return;
    }
    for (QAction* item : mainMenu->actions()) {
        QMenu* submenu = item->menu();
        // A menu's tag lives on the menu; its item in the bar is the menu's own action.
        const int tag = tagOf(item) ? tagOf(item) : tagOf(submenu);
        if (const auto title = topLevelTitle(tag)) {
            item->setText(QString::fromStdString(*title));
            if (submenu) {
                submenu->setTitle(QString::fromStdString(*title));
            }
        }
        if (!submenu) {
            continue;
        }
        for (QAction* subitem : submenu->actions()) {
            if (const auto title = itemTitle(tagOf(subitem))) {
                subitem->setText(QString::fromStdString(*title));
            }
        }
    }
}
