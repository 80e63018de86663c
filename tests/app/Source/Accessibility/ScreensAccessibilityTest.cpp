// The screens and windows as assistive technology sees them: every control
// named (by its label where it has one), windows named by the product and what
// they are for, the bulk table's controls inside its cells, and access letters.
#include <QAbstractButton>
#include <QAccessible>
#include <QCheckBox>
#include <QDialog>
#include <QKeySequence>
#include <QLineEdit>
#include <QMenuBar>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>

#include <set>

#include "AccessibilityTestSupport.h"
#include "ApplicationStyle.h"
#include "FWKVXSDK/EnumExtensions.h"
#include "LocalizedText.h"
#include "PasswordDialogController.h"
#include "PasswordTableCellView.h"
#include "PasswordTextField.h"
#include "ProcessAnimationController.h"
#include "ProgressIndicator.h"
#include "ProgressRun.h"
#include "ProgressWindowPresenter.h"
#include "ScanerSelectButton.h"
#include "SelectTableCellView.h"
#include "Storyboard.h"
#include "ToolbarButton.h"
#include "VXJobRegisterViewController.h"
#include "VXScanerListViewController.h"
#include "VXVersionViewController.h"
#include "WindowController.h"
#include "app/Source/FlowTestSupport.h"

namespace {
// The controls that hold a value, which must not stand in for their name.
// (Qt's own tables give their name as their value too.)
bool holdsValue(QAccessible::Role role)
{
    return role == QAccessible::ComboBox || role == QAccessible::EditableText || role == QAccessible::ProgressBar;
}

// What a person operates: each must have a name, and not the value it holds.
bool isControl(QAccessible::Role role)
{
    switch (role) {
    case QAccessible::PushButton:
    case QAccessible::CheckBox:
    case QAccessible::RadioButton:
    case QAccessible::ComboBox:
    case QAccessible::EditableText:
    case QAccessible::List:
    case QAccessible::ListItem:
    case QAccessible::Table:
    case QAccessible::ProgressBar:
        return true;
    default:
        return false;
    }
}

std::shared_ptr<ScannerData> scanner(const char* name, const char* address)
{
    auto found = scannerAt(address);
    found->setScannerName(name);
    return found;
}

// A row of the bulk table as a search makes it.
VXJobRegisterViewController::RowRecord row(const char* name, const char* address)
{
    VXJobRegisterViewController::RowRecord record;
    record.scannerData = scanner(name, address);
    return record;
}

// Every screen and dialog on its own, shown without appearing (so that no
// screen searches the network), in the current language.
struct AllWindows {
    AllWindows()
    {
        for (const auto& [storyboard, identifier] :
             {std::pair{"JobScan", "VXJobScanViewController"}, {"ScanerList", "VXScanerListViewController"},
              {"ScanerVersion", "VXVersionViewController"}, {"JobCreate", "VXJobCreateViewController"},
              {"JobRegister", "VXJobRegisterViewController"}}) {
            VXViewController* screen = Storyboard::instantiateControllerWithIdentifier(storyboard, identifier);
            screen->loadViewIfNeeded();
            screens.emplace_back(screen);
        }
        auto* scanners = static_cast<VXScanerListViewController*>(screens[1].get());
        scanners->scannerContents = {scanner("Front desk", "127.0.0.2"), scanner("Back office", "127.0.0.3")};
        scanners->controlTextDidChange();
        auto job = std::make_shared<SettingData>();
        job->setJobNo("4");
        job->setJobName("Job4");
        screens[3]->setRepresentedObject(CustomSegue::entry("addjob", job));
        auto* bulk = static_cast<VXJobRegisterViewController*>(screens[4].get());
        bulk->contents = {row("Front desk", "127.0.0.2"), row("Back office", "127.0.0.3")};
        bulk->reloadData();
        password = Storyboard::instantiateWindowControllerWithIdentifier("PasswordDialog", "PasswordDialog");
        ProgressWindowPresenter::prepare(progress, progressWindow, progressView, localized("SearchScanner"));
    }

    QList<QWidget*> views() const
    {
        QList<QWidget*> all;
        for (const auto& screen : screens) {
            all << screen.get();
        }
        return all << password->window() << progressWindow;
    }

    std::vector<std::unique_ptr<VXViewController>> screens;
    std::unique_ptr<WindowController> password;
    std::unique_ptr<WindowController> progress;
    QDialog* progressWindow = nullptr;
    ProcessAnimationController* progressView = nullptr;
};

// One line for each control below the view that is unnamed or named by its value.
void checkNames(QWidget* view, std::vector<std::string>& problems, int& controls)
{
    view->show();
    std::vector<QAccessibleInterface*> tree;
    walkAccessibleTree(QAccessible::queryAccessibleInterface(view), tree);
    for (QAccessibleInterface* node : tree) {
        if (!isControl(node->role()) || node->state().invisible) {
            continue;
        }
        ++controls;
        const QString name = node->text(QAccessible::Name);
        const QString value = node->text(QAccessible::Value);
        if (name.isEmpty() || (holdsValue(node->role()) && !value.isEmpty() && name == value)) {
            problems.push_back(view->metaObject()->className() + std::string(": role ") +
                               std::to_string(node->role()) + " named \"" + name.toStdString() + "\", value \"" +
                               value.toStdString() + "\"");
        }
    }
}

QString windowName(QWidget* window)
{
    return QAccessible::queryAccessibleInterface(window)->text(QAccessible::Name);
}

QChar accessLetter(const QString& text)
{
    const QKeySequence key = QKeySequence::mnemonic(text);
    return key.isEmpty() ? QChar() : QChar(key[0].key()).toUpper();
}
} // namespace

TEST_F(AccessibleScreens, EveryControlOfEveryScreenAndDialogIsNamedAndNotByItsValue)
{
    stored(1, FileFormat::Pdf, "Invoices");
    for (const char* language : {"en", "ar"}) {
        LocalizedStrings::setLanguage(language);
        AllWindows windows;
        std::vector<std::string> problems;
        int controls = 0;
        for (QWidget* view : windows.views()) {
            checkNames(view, problems, controls);
        }
        std::string report;
        for (const auto& problem : problems) {
            report += problem + "\n";
        }
        EXPECT_TRUE(problems.empty()) << language << ":\n" << report;
        // Job list 9, scanner list 4, version 2, editor 10, bulk 10, dialog 3, progress 1.
        EXPECT_GE(controls, 39) << language << ": the walk reached every control";
    }
}

TEST_F(AccessibleScreens, WindowsAreNamedByTheProductAndWhatTheyAreFor)
{
    open();
    EXPECT_EQ(windowName(window.get()), "Fernwick Vantix - Job list");
    list()->addjob(nullptr);
    EXPECT_EQ(windowName(window.get()), "Fernwick Vantix - Job editor");
    editor()->closebutton->click();
    EXPECT_EQ(windowName(window.get()), "Fernwick Vantix - Job list");

    const auto password = Storyboard::instantiateWindowControllerWithIdentifier("PasswordDialog", "PasswordDialog");
    EXPECT_EQ(windowName(password->window()), "Fernwick Vantix - Job Password");

    // The progress window says what runs, and its spinner is a busy progress bar named by the progress text.
    std::unique_ptr<WindowController> progress;
    QDialog* progressWindow = nullptr;
    ProcessAnimationController* progressView = nullptr;
    ProgressWindowPresenter::prepare(progress, progressWindow, progressView, localized("BulkRegist"));
    const auto run = ProgressRun::show(nullptr, progressWindow, progressView, "WindowRegistering");
    EXPECT_EQ(windowName(progressWindow), "Fernwick Vantix - Registering jobs");
    QAccessibleInterface* spinner = QAccessible::queryAccessibleInterface(progressView->indicator);
    EXPECT_EQ(spinner->role(), QAccessible::ProgressBar);
    EXPECT_EQ(spinner->text(QAccessible::Name).toStdString(), en("BulkRegist"));
    ASSERT_TRUE(spinner->valueInterface());
    EXPECT_EQ(spinner->valueInterface()->minimumValue(), spinner->valueInterface()->maximumValue())
        << "busy: no range";
    progressView->setProgressText(QStringLiteral("Registering jobs...\nFront desk"));
    EXPECT_EQ(spinner->text(QAccessible::Name), "Registering jobs...\nFront desk");
    run->close();

    LocalizedStrings::setLanguage("ar");
    window.reset();
    open();
    EXPECT_EQ(windowName(window.get()), QString::fromUtf8("قائمة المهام - Fernwick Vantix"));
}

TEST(BulkTable, EachRowsTickAndPasswordFieldAreChildrenOfTheirCells)
{
    AccessibleFactory::install();
    LocalizedStrings::setLanguage("en");
    VXJobRegisterViewController screen;
    screen.loadViewIfNeeded();
    screen.contents = {row("Front desk", "127.0.0.2"), row("Back office", "127.0.0.3")};
    screen.reloadData();
    screen.show();
    screen.selectCell(1)->checkbutton->setChecked(false);

    QAccessibleInterface* table = QAccessible::queryAccessibleInterface(screen.registertable);
    ASSERT_EQ(table->role(), QAccessible::Table);
    QAccessibleTableInterface* cells = table->tableInterface();
    ASSERT_TRUE(cells);
    EXPECT_EQ(cells->rowCount(), 2);
    EXPECT_EQ(cells->columnCount(), 4);
    EXPECT_EQ(table->childCount(), 12) << "the column headers, then each row's four cells";
    EXPECT_EQ(table->child(2)->text(QAccessible::Name), "Password");
    EXPECT_EQ(table->child(2)->role(), QAccessible::ColumnHeader);

    for (int at = 0; at < 2; ++at) {
        QAccessibleInterface* select = cells->cellAt(at, 0);
        ASSERT_TRUE(select);
        EXPECT_EQ(select->role(), QAccessible::Cell);
        EXPECT_EQ(select->text(QAccessible::Name), "Select");
        EXPECT_EQ(select->parent(), table);
        EXPECT_EQ(table->indexOfChild(select), 4 * (at + 1));
        ASSERT_EQ(select->childCount(), 1);
        QAccessibleInterface* tick = select->child(0);
        EXPECT_EQ(tick->role(), QAccessible::CheckBox);
        EXPECT_EQ(tick->state().checked, at == 0);
        EXPECT_EQ(tick->parent(), select);

        QAccessibleInterface* password = cells->cellAt(at, 2);
        ASSERT_TRUE(password);
        EXPECT_EQ(password->tableCellInterface()->rowIndex(), at);
        EXPECT_EQ(password->tableCellInterface()->columnHeaderCells().value(0), table->child(2));
        ASSERT_EQ(password->childCount(), 2);
        EXPECT_EQ(password->child(0)->role(), QAccessible::EditableText);
        EXPECT_TRUE(password->child(0)->state().passwordEdit);
        EXPECT_EQ(password->child(1)->text(QAccessible::Name).toStdString(),
                  LocalizedStrings::text("AccessibleShowPassword"));
    }
    EXPECT_EQ(cells->cellAt(1, 1)->text(QAccessible::Name), "Back office");
    EXPECT_EQ(cells->cellAt(1, 1)->parent(), table);
    screen.resultCell(0)->setText("Succeeded");
    EXPECT_EQ(cells->cellAt(0, 3)->text(QAccessible::Name), "Succeeded");
}

TEST_F(AccessibleScreens, ButtonsWithTextHaveAccessLettersOfTheirOwnBesidesTheMenuBars)
{
    for (const char* language : {"en", "ar"}) {
        LocalizedStrings::setLanguage(language);
        open();
        std::set<QChar> menuLetters;
        for (QAction* menu : window->mainMenu()->actions()) {
            menuLetters.insert(accessLetter(menu->text()));
        }
        AllWindows windows;
        QList<QWidget*> views = windows.views();
        views.removeAll(windows.progressWindow);
        for (QWidget* view : views) {
            std::set<QChar> letters;
            const bool inMainWindow = view != windows.password->window();
            for (QAbstractButton* button : view->findChildren<QAbstractButton*>()) {
                // The scanner button shows the scanner's name; the editor's button has two titles.
                if (button->text().isEmpty() || qobject_cast<ScanerSelectButton*>(button)) {
                    continue;
                }
                const QChar letter = accessLetter(button->text());
                EXPECT_FALSE(letter.isNull()) << language << ": " << button->text().toStdString();
                EXPECT_TRUE(letters.insert(letter).second) << language << ": " << button->text().toStdString();
                EXPECT_TRUE(!inMainWindow || !menuLetters.count(letter))
                    << language << ": " << button->text().toStdString() << " takes a menu's letter";
            }
        }
        window.reset();
    }
    // (The screen reader test presses them as a person does.) Underlined, but
    // not in Arabic, where an underline would break the joined letters.
    ApplicationStyle style;
    EXPECT_EQ(style.styleHint(QStyle::SH_UnderlineShortcut), 0);
    LocalizedStrings::setLanguage("en");
    EXPECT_NE(style.styleHint(QStyle::SH_UnderlineShortcut), 0);
}
