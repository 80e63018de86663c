#include <QAbstractButton>
#include <QCheckBox>
#include <QKeySequence>
#include <QTableWidget>
#include <gtest/gtest.h>

#include <functional>
#include <set>

#include "AccessibilityTestSupport.h"
#include "ApplicationStyle.h"
#include "FWKVXSDK/EnumExtensions.h"
#include "LocalizedText.h"
#include "ProcessAnimationController.h"
#include "ProgressIndicator.h"
#include "ProgressRun.h"
#include "ProgressWindowPresenter.h"
#include "ScanerSelectButton.h"
#include "SelectTableCellView.h"
#include "Storyboard.h"
#include "VXJobRegisterViewController.h"
#include "VXScanerListViewController.h"
#include "WindowController.h"
#include "app/Source/FlowTestSupport.h"

namespace {
std::shared_ptr<ScannerData> scanner(const char* name, const char* address)
{
    auto found = scannerAt(address);
    found->setScannerName(name);
    return found;
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
            screens.emplace_back(Storyboard::instantiateControllerWithIdentifier(storyboard, identifier));
            screens.back()->loadViewIfNeeded();
        }
        auto* scanners = static_cast<VXScanerListViewController*>(screens[1].get());
        scanners->scannerContents = {scanner("Front desk", "127.0.0.2"), scanner("Back office", "127.0.0.3")};
        scanners->controlTextDidChange();
        auto job = std::make_shared<SettingData>();
        job->setJobNo("4");
        job->setJobName("Job4");
        screens[3]->setRepresentedObject(CustomSegue::entry("addjob", job));
        auto* bulk = static_cast<VXJobRegisterViewController*>(screens[4].get());
        for (const auto& found : scanners->scannerContents) {
            bulk->contents.emplace_back().scannerData = found;
        }
        bulk->reloadData();
        password = Storyboard::instantiateWindowControllerWithIdentifier("PasswordDialog", "PasswordDialog");
        ProgressWindowPresenter::prepare(progress, progressWindow, progressView, localized("SearchScanner"));
    }

    std::vector<std::unique_ptr<VXViewController>> screens;
    std::unique_ptr<WindowController> password;
    std::unique_ptr<WindowController> progress;
    QDialog* progressWindow = nullptr;
    ProcessAnimationController* progressView = nullptr;
};

// Visits the node and all below it, and checks that each child knows its place:
// a screen reader walks the tree up as well as down.
void forEachNode(QAccessibleInterface* node, const std::function<void(QAccessibleInterface*)>& visit)
{
    visit(node);
    for (int index = 0; index < node->childCount(); ++index) {
        QAccessibleInterface* child = node->child(index);
        ASSERT_TRUE(child);
        EXPECT_EQ(child->parent(), node) << child->text(QAccessible::Name).toStdString();
        EXPECT_EQ(node->indexOfChild(child), index) << child->text(QAccessible::Name).toStdString();
        forEachNode(child, visit);
    }
}

QChar accessLetter(const QString& text)
{
    const QKeySequence key = QKeySequence::mnemonic(text);
    return key.isEmpty() ? QChar() : QChar(key[0].key()).toUpper();
}

QString windowName(QWidget* window)
{
    return QAccessible::queryAccessibleInterface(window)->text(QAccessible::Name);
}
} // namespace

// A control's name comes from its label buddy; one without, or named by its
// value (Qt's default for pop-up lists and fields; its tables are named so anyway),
// is read as nothing useful.
TEST_F(AccessibleScreens, EveryControlIsNamedNotByItsValueAndEveryButtonHasAnAccessLetterOfItsOwn)
{
    using A = QAccessible;
    const std::set<QAccessible::Role> controls{A::PushButton, A::CheckBox, A::RadioButton, A::ComboBox, A::List,
                                               A::ListItem, A::EditableText, A::Table, A::ProgressBar};
    stored(1, FileFormat::Pdf, "Invoices");
    stored(2, FileFormat::Tiff, "Photos");
    for (const std::string language : {"en", "ar"}) {
        LocalizedStrings::setLanguage(language);
        open();
        std::set<QChar> menuLetters;
        for (QAction* menu : window->mainMenu()->actions()) {
            menuLetters.insert(accessLetter(menu->text()));
        }
        AllWindows windows;
        QList<QWidget*> views{windows.password->window(), windows.progressWindow};
        for (const auto& screen : windows.screens) {
            views << screen.get();
        }
        int named = 0;
        for (QWidget* view : views) {
            view->show();
            forEachNode(QAccessible::queryAccessibleInterface(view), [&](QAccessibleInterface* node) {
                if (!controls.count(node->role()) || node->state().invisible) {
                    return;
                }
                const QString name = node->text(QAccessible::Name);
                const QString value = node->text(QAccessible::Value);
                EXPECT_TRUE(!name.isEmpty() && (name != value || node->role() == QAccessible::Table))
                    << language << ", " << view->metaObject()->className() << ": role " << node->role()
                    << " named \"" << name.toStdString() << "\", value \"" << value.toStdString() << "\"";
                ++named;
            });
            std::set<QChar> letters;
            for (QAbstractButton* button : view->findChildren<QAbstractButton*>()) {
                // The scanner button shows the scanner's name.
                if (button->text().isEmpty() || qobject_cast<ScanerSelectButton*>(button)) {
                    continue;
                }
                const QChar letter = accessLetter(button->text());
                EXPECT_FALSE(letter.isNull()) << language << ": " << button->text().toStdString();
                EXPECT_TRUE(letters.insert(letter).second) << language << ": " << button->text().toStdString();
                EXPECT_TRUE(view == windows.password->window() || !menuLetters.count(letter))
                    << language << ": " << button->text().toStdString() << " takes a menu's letter";
            }
        }
        EXPECT_GE(named, 39) << language << ": the walk reached every control";
        // Underlined, but not in Arabic, where an underline breaks the joined letters.
        EXPECT_EQ(ApplicationStyle().styleHint(QStyle::SH_UnderlineShortcut) != 0, language == "en");
        window.reset();
    }
}

TEST_F(AccessibleScreens, DialogsAreNamedAndTheSpinnerIsABusyBarNamedByTheProgressText)
{
    AllWindows windows;
    EXPECT_EQ(windowName(windows.password->window()), "Fernwick Vantix - Job Password");
    const auto run = ProgressRun::show(nullptr, windows.progressWindow, windows.progressView, "WindowRegistering");
    EXPECT_EQ(windowName(windows.progressWindow), "Fernwick Vantix - Registering jobs");
    QAccessibleInterface* spinner = QAccessible::queryAccessibleInterface(windows.progressView->indicator);
    EXPECT_EQ(spinner->role(), QAccessible::ProgressBar);
    ASSERT_TRUE(spinner->valueInterface());
    EXPECT_EQ(spinner->valueInterface()->minimumValue(), spinner->valueInterface()->maximumValue()) << "busy";
    windows.progressView->setProgressText(QStringLiteral("Registering jobs...\nFront desk"));
    EXPECT_EQ(spinner->text(QAccessible::Name), "Registering jobs...\nFront desk");
    run->close();
}

// (The walk over all screens checks that each cell and control knows its place.)
TEST_F(AccessibleScreens, BulkTableRowsHaveTheirTickAndPasswordFieldAsChildrenOfTheirCells)
{
    AllWindows windows;
    auto& screen = *static_cast<VXJobRegisterViewController*>(windows.screens[4].get());
    screen.show();
    screen.selectCell(1)->checkbutton->setChecked(false);
    QAccessibleInterface* table = QAccessible::queryAccessibleInterface(screen.registertable);
    QAccessibleTableInterface* cells = table->tableInterface();
    ASSERT_TRUE(cells);
    EXPECT_EQ(table->childCount(), 12) << "the column headers, then each row's four cells";
    for (int at = 0; at < 2; ++at) {
        ASSERT_EQ(cells->cellAt(at, 0)->childCount(), 1);
        QAccessibleInterface* tick = cells->cellAt(at, 0)->child(0);
        EXPECT_EQ(tick->role(), QAccessible::CheckBox);
        EXPECT_EQ(tick->state().checked, at == 0);
        QAccessibleInterface* password = cells->cellAt(at, 2);
        EXPECT_EQ(password->tableCellInterface()->rowIndex(), at);
        EXPECT_EQ(password->tableCellInterface()->columnHeaderCells().value(0), table->child(2));
        ASSERT_EQ(password->childCount(), 2) << "the field and its eye";
        EXPECT_TRUE(password->child(0)->state().passwordEdit);
    }
    screen.resultCell(0)->setText("Succeeded");
    EXPECT_EQ(cells->cellAt(0, 3)->text(QAccessible::Name), "Succeeded");
}
