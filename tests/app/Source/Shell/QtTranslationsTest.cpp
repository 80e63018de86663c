// Qt's own texts follow the application's language.
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "QtTranslations.h"

namespace {
// A standard button's text and the first item of a line edit's menu.
QStringList qtTexts()
{
    QDialogButtonBox box(QDialogButtonBox::Cancel);
    QLineEdit edit;
    std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
    return {box.button(QDialogButtonBox::Cancel)->text(), menu->actions().first()->text()};
}
} // namespace

TEST(QtTranslations, StandardButtonsAndTheLineEditMenuFollowTheLanguage)
{
    ASSERT_FALSE(QtTranslations::install(QStringLiteral("en")));
    const QStringList english = qtTexts();
    ASSERT_TRUE(QtTranslations::install(QStringLiteral("ar"))) << "qt6-translations-l10n is not installed";
    for (const QString& text : qtTexts()) {
        EXPECT_TRUE(std::any_of(text.begin(), text.end(), [](QChar c) { return c.script() == QChar::Script_Arabic; }))
            << text.toStdString();
    }
    // A language Qt has no translation for takes English back.
    EXPECT_FALSE(QtTranslations::install(QStringLiteral("xx")));
    EXPECT_EQ(qtTexts(), english);
}
