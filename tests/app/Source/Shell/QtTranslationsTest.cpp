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
bool isArabic(const QString& text)
{
    return std::any_of(text.begin(), text.end(), [](QChar c) { return c.script() == QChar::Script_Arabic; });
}

QString cancelButtonText()
{
    QDialogButtonBox box(QDialogButtonBox::Cancel);
    return box.button(QDialogButtonBox::Cancel)->text();
}

QStringList lineEditMenuTexts()
{
    QLineEdit edit;
    std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
    QStringList texts;
    for (QAction* action : menu->actions()) {
        texts << action->text();
    }
    return texts;
}
} // namespace

TEST(QtTranslations, StandardButtonsAndTheLineEditMenuFollowTheLanguage)
{
    ASSERT_FALSE(QtTranslations::install(QStringLiteral("en")));
    const QString englishCancel = cancelButtonText();
    const QStringList englishMenu = lineEditMenuTexts();
    EXPECT_EQ(englishCancel, QStringLiteral("Cancel"));

    ASSERT_TRUE(QtTranslations::install(QStringLiteral("ar"))) << "qt6-translations-l10n is not installed";
    EXPECT_TRUE(isArabic(cancelButtonText())) << cancelButtonText().toStdString();
    const QStringList arabicMenu = lineEditMenuTexts();
    ASSERT_EQ(arabicMenu.size(), englishMenu.size());
    EXPECT_TRUE(isArabic(arabicMenu.first())) << arabicMenu.first().toStdString();

    // Back to English, and a language Qt has no translation for stays English.
    EXPECT_FALSE(QtTranslations::install(QStringLiteral("xx")));
    EXPECT_EQ(cancelButtonText(), englishCancel);
    EXPECT_EQ(lineEditMenuTexts(), englishMenu);
}
