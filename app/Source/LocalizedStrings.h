#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

// The application's string table: every user-visible text of the desktop
// application and of the command-line tool is looked up here by its key.
// A key without a translation yields the key itself; the empty key yields the
// empty string. The language is chosen once from the user's locale the way
// GNU programs do (LANGUAGE, LC_ALL, LC_MESSAGES, LANG) unless a caller forces one.
class LocalizedStrings {
public:
    using Environment = std::function<const char*(const char* name)>;

    // The text for the key in the current language.
    static std::string text(const std::string& key);
    // The text for the key used as a format: each "%@" takes the next argument,
    // "%N$@" the Nth, "%%" is a percent sign.
    static std::string format(const std::string& key, const std::vector<std::string>& arguments);
    static std::string applyFormat(const std::string& format, const std::vector<std::string>& arguments);

    // Current language code ("en", "ar").
    static std::string language();
    // Forces a language; an unsupported code selects English.
    static void setLanguage(const std::string& code);
    // Chooses the language from the process environment again.
    static void useEnvironmentLanguage();
    // The language the environment asks for, among the supported ones.
    static std::string languageFromEnvironment(const Environment& environment);
    static bool isRightToLeft();

    static const std::vector<std::string>& supportedLanguages();
    // Every key the table of a language holds, in table order (empty for an unknown language).
    static std::vector<std::string> keys(const std::string& language);
    // The text of a key in the given language's table, or the key itself.
    static std::string textIn(const std::string& language, const std::string& key);
};
