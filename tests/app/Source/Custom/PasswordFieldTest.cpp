// The password field's two modes and the eye toggle of the password cell.
#include <QCheckBox>
#include <gtest/gtest.h>

#include "LocalizedStrings.h"
#include "PasswordTableCellView.h"
#include "PasswordTextField.h"
#include "SelectTableCellView.h"
#include "ToolbarButton.h"

TEST(PasswordField, StartsHiddenAndKeepsTextAndLookAcrossModes)
{
    PasswordTextField field;
    EXPECT_TRUE(field.isPasswordHidden());
    field.setText("s3cr3t pass");
    field.setAlignment(Qt::AlignRight);
    QFont font = field.font();
    font.setPointSize(17);
    field.setFont(font);

    field.changePasswordMode(false);
    EXPECT_EQ(field.echoMode(), QLineEdit::Normal);
    field.changePasswordMode(false);
    EXPECT_EQ(field.echoMode(), QLineEdit::Normal);
    field.setPasswordCell();
    EXPECT_EQ(field.echoMode(), QLineEdit::Password);
    EXPECT_EQ(field.text(), "s3cr3t pass");
    EXPECT_EQ(field.alignment(), Qt::AlignRight);
    EXPECT_EQ(field.font().pointSize(), 17);
}

TEST(PasswordCell, EyeToggleShowsAndHidesTheText)
{
    PasswordTableCellView cell;
    cell.passwordtextfield->setText("abc 123");
    EXPECT_TRUE(cell.passwordtextfield->isPasswordHidden());
    EXPECT_EQ(cell.passwordsecurebutton->imageName(), "ic_eye_unenable.png");

    for (int round = 0; round < 2; ++round) {
        cell.passwordsecurebutton->click();
        EXPECT_FALSE(cell.passwordtextfield->isPasswordHidden());
        EXPECT_EQ(cell.passwordsecurebutton->imageName(), "ic_eye_enable.png");
        cell.passwordsecurebutton->click();
        EXPECT_TRUE(cell.passwordtextfield->isPasswordHidden());
        EXPECT_EQ(cell.passwordsecurebutton->imageName(), "ic_eye_unenable.png");
    }
    EXPECT_EQ(cell.passwordtextfield->text(), "abc 123");

    // The screen fills the toggle from its row without a click.
    cell.passwordsecurebutton->setChecked(true);
    EXPECT_FALSE(cell.passwordtextfield->isPasswordHidden());
    EXPECT_EQ(cell.passwordsecurebutton->imageName(), "ic_eye_enable.png");
}

TEST(TableCells, ControlsWithoutTextAreNamedAndKeyboardReachable)
{
    LocalizedStrings::setLanguage("ar");
    PasswordTableCellView password;
    SelectTableCellView select;
    LocalizedStrings::useEnvironmentLanguage();
    EXPECT_EQ(password.passwordsecurebutton->accessibleName().toStdString(),
              LocalizedStrings::textIn("ar", "AccessibleShowPassword"));
    EXPECT_EQ(password.passwordtextfield->accessibleName().toStdString(),
              LocalizedStrings::textIn("ar", "LabelPassword"));
    EXPECT_EQ(select.checkbutton->accessibleName().toStdString(), LocalizedStrings::textIn("ar", "LabelSelect"));
    EXPECT_EQ(password.passwordsecurebutton->focusPolicy(), Qt::StrongFocus);
}
