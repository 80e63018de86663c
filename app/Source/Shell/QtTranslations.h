#pragma once

#include <QString>

// Qt's own texts (the line edit's context menu, the standard dialog buttons)
// in the application's language, from Qt's translations (Debian's
// qt6-translations-l10n). The application's texts come from its string table.
class QtTranslations {
public:
    // Replaces the translation installed before; English, and a language Qt
    // has no translation for, leave Qt's own English texts. Returns whether a
    // translation is installed.
    static bool install(const QString& language);
};
