#include <QAccessible>
#include <QCheckBox>
#include <QTableWidget>
#include <gtest/gtest.h>

#include <ranges>
#include <set>
#include <vector>

#include "AccessibleFactory.h"
#include "AppDelegate.h"
#include "ApplicationStyle.h"
#include "FWKVXSDK/EnumExtensions.h"
#include "LocalizedText.h"
#include "PasswordDialogController.h"
#include "PasswordEventFilter.h"
#include "PasswordTableCellView.h"
#include "PasswordTextField.h"
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
#include "app/Source/ViewController/JobScreensFixture.h"

namespace {
using A = QAccessible;

// Every accessibility event as the password filter passes it on to the bridge
// (here: to record()), with the texts it carries.
struct Told {
    QAccessible::Event type;
    QAccessible::Id target;
    QStringList texts = {};
};
std::vector<Told> told;

void record(QAccessibleEvent* event)
{
    QAccessibleInterface* target = event->accessibleInterface();
    Told& seen = told.emplace_back(Told{event->type(), target ? QAccessible::uniqueId(target) : 0});
    if (auto* update = dynamic_cast<QAccessibleTextUpdateEvent*>(event)) {
        seen.texts << update->textRemoved() << update->textInserted();
    } else if (auto* insert = dynamic_cast<QAccessibleTextInsertEvent*>(event)) {
        seen.texts << insert->textInserted();
    } else if (auto* remove = dynamic_cast<QAccessibleTextRemoveEvent*>(event)) {
        seen.texts << remove->textRemoved();
    }
}

std::vector<QAccessible::Id> targetsOf(QAccessible::Event type)
{
    auto targets = told | std::views::filter([=](const Told& event) { return event.type == type; }) |
                   std::views::transform(&Told::target);
    return {targets.begin(), targets.end()};
}

class AccessibleScreens : public JobScreens {
protected:
    void SetUp() override
    {
        JobScreens::SetUp();
        AccessibleFactory::install();
    }
    void TearDown() override
    {
        PasswordEventFilter::uninstall();
        QAccessible::installUpdateHandler(nullptr);
        JobScreens::TearDown();
    }
    // From here on events go through the password filter to record(); Qt sends them only
    // once its bridge has reached the bus of tests/accessibility-session.sh.
    static bool recording()
    {
        told.clear();
        QAccessible::installUpdateHandler(&record);
        PasswordEventFilter::install();
        return QTest::qWaitFor([] { return QAccessible::isActive(); }, 10000);
    }
};

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
        for (const auto& [name, address] : {std::pair{"Front desk", "127.0.0.2"}, {"Back office", "127.0.0.3"}}) {
            scanners->scannerContents.push_back(scannerAt(address));
            scanners->scannerContents.back()->setScannerName(name);
            bulk().contents.emplace_back().scannerData = scanners->scannerContents.back();
        }
        scanners->controlTextDidChange();
        bulk().reloadData();
        screens[3]->setRepresentedObject(CustomSegue::entry("addjob", std::make_shared<SettingData>()));
        password = Storyboard::instantiateWindowControllerWithIdentifier("PasswordDialog", "PasswordDialog");
        ProgressWindowPresenter::prepare(progress, progressWindow, progressView, localized("SearchScanner"));
    }
    VXJobRegisterViewController& bulk() { return *static_cast<VXJobRegisterViewController*>(screens[4].get()); }

    std::vector<std::unique_ptr<VXViewController>> screens;
    std::unique_ptr<WindowController> password, progress;
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
        EXPECT_TRUE(child->parent() == node && node->indexOfChild(child) == index)
            << child->text(QAccessible::Name).toStdString();
        forEachNode(child, visit);
    }
}

QChar accessLetter(const QString& text)
{
    const QKeySequence key = QKeySequence::mnemonic(text);
    return key.isEmpty() ? QChar() : QChar(key[0].key()).toUpper();
}
} // namespace

// (The screen reader acceptance test reads the tiles' roles, states and names.)
TEST_F(AccessibleScreens, ArrowKeysSelectAndFocusAJobTileAndTellOfIt)
{
    stored(1, FileFormat::Pdf, "Invoices");
    stored(2, FileFormat::Tiff, "Photos");
    open();
    QAccessibleInterface* jobs = QAccessible::queryAccessibleInterface(grid());
    const auto item = [&](int index) { return jobs->child(index); };
    const auto id = [&](int index) { return std::vector{QAccessible::uniqueId(item(index))}; };
    ASSERT_EQ(jobs->childCount(), 2);
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    ASSERT_TRUE(recording()) << "the accessibility bus is not up";
    grid()->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    QTest::keyClick(grid(), Qt::Key_Down);
    EXPECT_EQ(targetsOf(QAccessible::Selection), id(0)) << "one, and none on entering";
    EXPECT_EQ(targetsOf(QAccessible::Focus).back(), id(0).back());
    EXPECT_TRUE(item(0)->state().selected && item(0)->state().focused);

    told.clear();
    QTest::keyClick(grid(), Qt::Key_Right);
    EXPECT_EQ(targetsOf(QAccessible::SelectionRemove), id(0));
    EXPECT_EQ(targetsOf(QAccessible::Selection), id(1));
    EXPECT_EQ(targetsOf(QAccessible::Focus), id(1));
    EXPECT_TRUE(item(1)->state().selected && item(1)->state().focused && !item(0)->state().selected);
    EXPECT_EQ(jobs->focusChild(), item(1));

    // Tabbing back in: the selected job, told after Qt tells of the grid, is what is read.
    list()->btnAddJob->setFocus(Qt::TabFocusReason);
    told.clear();
    grid()->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    ASSERT_FALSE(targetsOf(QAccessible::Focus).empty());
    EXPECT_EQ(targetsOf(QAccessible::Focus).back(), id(1).back());
}

// A control's name comes from its label buddy; one without, or named by its
// value (Qt's default for pop-up lists and fields; its tables are named so anyway),
// is read as nothing useful.
TEST_F(AccessibleScreens, EveryControlIsNamedNotByItsValueAndEveryButtonHasAnAccessLetterOfItsOwn)
{
    const std::set<QAccessible::Role> controls{A::PushButton, A::CheckBox, A::RadioButton, A::ComboBox, A::List,
                                               A::ListItem, A::EditableText, A::Table, A::ProgressBar};
    stored(1, FileFormat::Pdf, "Invoices");
    stored(2, FileFormat::Tiff, "Photos");
    for (const std::string language : {"en", "ar"}) {
        LocalizedStrings::setLanguage(language);
        open();
        AppDelegate::localizeMainMenu(window->mainMenu()); // as at launch, with their access letters
        window->showApplicationNameInMenu();
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
                EXPECT_TRUE(!letter.isNull() && letters.insert(letter).second &&
                            (view == windows.password->window() || !menuLetters.count(letter)))
                    << language << ": " << button->text().toStdString() << " has no letter of its own";
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
    const auto name = [](QObject* shown) { return QAccessible::queryAccessibleInterface(shown)->text(A::Name); };
    EXPECT_EQ(name(windows.password->window()), "Fernwick Vantix - Job Password");
    const auto run = ProgressRun::show(nullptr, windows.progressWindow, windows.progressView, "WindowRegistering");
    EXPECT_EQ(name(windows.progressWindow), "Fernwick Vantix - Registering jobs");
    QAccessibleInterface* spinner = QAccessible::queryAccessibleInterface(windows.progressView->indicator);
    EXPECT_EQ(spinner->role(), QAccessible::ProgressBar);
    ASSERT_TRUE(spinner->valueInterface());
    EXPECT_EQ(spinner->valueInterface()->minimumValue(), spinner->valueInterface()->maximumValue()) << "busy";
    windows.progressView->setProgressText(QStringLiteral("Registering jobs...\nFront desk"));
    EXPECT_EQ(name(windows.progressView->indicator), "Registering jobs...\nFront desk");
    run->close();
}

// (The walk over all screens checks that each cell and control knows its place.)
TEST_F(AccessibleScreens, BulkTableRowsHaveTheirTickAndPasswordFieldAsChildrenOfTheirCells)
{
    AllWindows windows;
    windows.bulk().show();
    windows.bulk().selectCell(1)->checkbutton->setChecked(false);
    windows.bulk().resultCell(0)->setText("Succeeded");
    QAccessibleInterface* table = QAccessible::queryAccessibleInterface(windows.bulk().registertable);
    QAccessibleTableInterface* cells = table->tableInterface();
    ASSERT_TRUE(cells);
    for (int at = 0; at < 2; ++at) {
        ASSERT_EQ(cells->cellAt(at, 0)->childCount(), 1);
        EXPECT_TRUE(cells->cellAt(at, 0)->child(0)->role() == QAccessible::CheckBox &&
                    cells->cellAt(at, 0)->child(0)->state().checked == (at == 0)) << "row " << at << "'s own tick";
        ASSERT_EQ(cells->cellAt(at, 2)->childCount(), 2) << "the field and its eye";
        EXPECT_TRUE(cells->cellAt(at, 2)->child(0)->state().passwordEdit);
    }
    EXPECT_EQ(cells->cellAt(0, 2)->tableCellInterface()->columnHeaderCells().value(0), table->child(2));
    EXPECT_EQ(cells->cellAt(0, 3)->text(QAccessible::Name), "Succeeded");
}

// Qt's line edits would send each character typed, also into a password field,
// to every client of the bus: each kind of change, in every password field, and
// in the bulk table's again after its eye showed and hid it.
TEST_F(AccessibleScreens, NoAccessibilityEventCarriesACharacterTypedIntoAPasswordField)
{
    const QString typed = QStringLiteral("kQ7x");
    AllWindows windows;
    PasswordTableCellView* cell = windows.bulk().passwordCell(0);
    const QList<QLineEdit*> fields{
        static_cast<PasswordDialogController*>(windows.password->contentViewController())->editPassword,
        static_cast<VXJobCreateViewController*>(windows.screens[3].get())->passwordtextfield,
        cell->passwordtextfield};
    for (QLineEdit* field : fields) {
        field->window()->show();
    }
    ASSERT_TRUE(recording()) << "the accessibility bus is not up";
    const auto use = [&](QLineEdit* field) {
        QTest::keyClicks(field, typed);
        QTest::keyClick(field, Qt::Key_Backspace);
        field->selectAll();
        QTest::keyClicks(field, typed.left(2));
        field->setText(typed);
        field->clear();
    };
    std::for_each(fields.begin(), fields.end(), use);
    cell->passwordsecurebutton->click();
    cell->passwordsecurebutton->click();
    use(cell->passwordtextfield);
    int bullets = 0;
    for (const Told& event : told) {
        for (const QString& text : event.texts) {
            EXPECT_FALSE(std::any_of(typed.begin(), typed.end(), [&](QChar c) { return text.contains(c); }))
                << "event " << event.type << " carries " << text.toStdString();
            bullets += event.type == QAccessible::TextInserted && text == QStringLiteral("*");
        }
    }
    EXPECT_GE(bullets, 4 * 4) << "each character typed is told, as a bullet";
}
