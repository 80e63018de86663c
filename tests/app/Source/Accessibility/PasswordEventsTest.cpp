#include <gtest/gtest.h>

#include "AccessibilityTestSupport.h"
#include "PasswordDialogController.h"
#include "PasswordTableCellView.h"
#include "PasswordTextField.h"
#include "Storyboard.h"
#include "VXJobRegisterViewController.h"
#include "WindowController.h"
#include "app/Source/FlowTestSupport.h"

namespace {
const QString kTyped = QStringLiteral("kQ7x");

// Each change Qt tells of with its text: typing, deleting, replacing a selection, setting from code.
void useField(QLineEdit* field)
{
    QTest::keyClicks(field, kTyped);
    QTest::keyClick(field, Qt::Key_Backspace);
    field->selectAll();
    QTest::keyClicks(field, kTyped.left(2));
    field->setText(kTyped);
    field->clear();
}
} // namespace

// Qt's line edits would send each typed character to every client of the bus.
TEST_F(AccessibleScreens, NoAccessibilityEventCarriesACharacterTypedIntoAPasswordField)
{
    ASSERT_TRUE(accessibilityActive()) << "the accessibility bus is not up";
    const auto dialog = Storyboard::instantiateWindowControllerWithIdentifier("PasswordDialog", "PasswordDialog");
    VXJobCreateViewController editor;
    editor.loadViewIfNeeded();
    VXJobRegisterViewController bulk;
    bulk.loadViewIfNeeded();
    bulk.contents.emplace_back().scannerData = scannerAt("127.0.0.2");
    bulk.reloadData();
    PasswordTableCellView* cell = bulk.passwordCell(0);
    auto* dialogController = static_cast<PasswordDialogController*>(dialog->contentViewController());
    const QList<QLineEdit*> fields{dialogController->editPassword, editor.passwordtextfield, cell->passwordtextfield};
    for (QLineEdit* field : fields) {
        field->window()->show();
    }
    AccessibilityEvents events;
    for (QLineEdit* field : fields) {
        useField(field);
    }
    // Shown by the eye and hidden again, the field tells of bullets again.
    cell->passwordsecurebutton->click();
    cell->passwordsecurebutton->click();
    useField(cell->passwordtextfield);
    int bullets = 0;
    for (const auto& event : events.events) {
        for (const QString& text : event.texts) {
            EXPECT_FALSE(std::any_of(kTyped.begin(), kTyped.end(), [&](QChar typed) { return text.contains(typed); }))
                << "event " << event.type << " carries " << text.toStdString();
            bullets += event.type == QAccessible::TextInserted && text == QStringLiteral("*");
        }
    }
    EXPECT_GE(bullets, 4 * 4) << "each character typed is told, as a bullet";
}
