// No accessibility event carries a character typed into a password field:
// Qt's own line edits would send each one to every client of the bus.
#include <QAbstractButton>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

#include "AccessibilityTestSupport.h"
#include "LocalizedStrings.h"
#include "PasswordDialogController.h"
#include "PasswordTableCellView.h"
#include "PasswordTextField.h"
#include "Storyboard.h"
#include "ToolbarButton.h"
#include "VXJobCreateViewController.h"
#include "VXJobRegisterViewController.h"
#include "WindowController.h"
#include "app/Source/FlowTestSupport.h"

namespace {
const QString kTyped = QStringLiteral("kQ7x");

// Types, deletes, replaces a selection and sets the text from code: each
// change Qt tells of with the text it concerns.
void useField(QLineEdit* field)
{
    QTest::keyClicks(field, kTyped);
    QTest::keyClick(field, Qt::Key_Backspace);
    field->selectAll();
    QTest::keyClicks(field, kTyped.left(2));
    field->setText(kTyped);
    field->clear();
}

bool carriesTyped(const QString& text)
{
    return std::any_of(kTyped.begin(), kTyped.end(), [&](QChar typed) { return text.contains(typed); });
}
} // namespace

TEST(PasswordFields, NoAccessibilityEventCarriesACharacterTypedIntoAny)
{
    AccessibleFactory::install();
    LocalizedStrings::setLanguage("en");
    ASSERT_TRUE(accessibilityActive()) << "the accessibility bus is not up";
    const auto dialog = Storyboard::instantiateWindowControllerWithIdentifier("PasswordDialog", "PasswordDialog");
    VXJobCreateViewController editor;
    editor.loadViewIfNeeded();
    VXJobRegisterViewController bulk;
    bulk.loadViewIfNeeded();
    bulk.contents.resize(1);
    bulk.contents[0].scannerData = scannerAt("127.0.0.2");
    bulk.reloadData();
    PasswordTableCellView* cell = bulk.passwordCell(0);
    const QList<QLineEdit*> fields{static_cast<PasswordDialogController*>(dialog->contentViewController())->editPassword,
                                   editor.passwordtextfield, cell->passwordtextfield};
    for (QLineEdit* field : fields) {
        field->window()->show();
    }

    AccessibilityEvents events;
    for (QLineEdit* field : fields) {
        useField(field);
    }
    // Shown by the eye on purpose, the bulk table's field is a plain one: the
    // user asked to see the password. Hidden again, its events carry bullets again.
    cell->passwordsecurebutton->click();
    QTest::keyClicks(cell->passwordtextfield, QStringLiteral("ab"));
    const bool shownOnPurpose = std::any_of(events.events.begin(), events.events.end(), [](const auto& event) {
        return event.type == QAccessible::TextInserted && event.texts.contains(QStringLiteral("b"));
    });
    cell->passwordsecurebutton->click();
    cell->passwordtextfield->clear();
    useField(cell->passwordtextfield);

    int bullets = 0;
    std::vector<std::string> leaks;
    for (const auto& event : events.events) {
        for (const QString& text : event.texts) {
            if (carriesTyped(text)) {
                leaks.push_back(std::to_string(event.type) + ": " + text.toStdString());
            }
            bullets += event.type == QAccessible::TextInserted && text == QStringLiteral("*") ? 1 : 0;
        }
    }
    EXPECT_TRUE(leaks.empty()) << leaks.size() << " events carry typed characters, the first: " << leaks.front();
    EXPECT_GE(bullets, 4 * 4) << "each character typed is told, as a bullet";
    EXPECT_TRUE(shownOnPurpose);

    // A plain field's events go on as they are.
    events.events.clear();
    QTest::keyClicks(editor.jobnametextfield, QStringLiteral("k"));
    ASSERT_FALSE(events.events.empty());
    EXPECT_TRUE(std::any_of(events.events.begin(), events.events.end(),
                            [](const auto& event) { return event.texts.contains(QStringLiteral("k")); }));
}
