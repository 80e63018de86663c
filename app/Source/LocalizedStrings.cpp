#include "LocalizedStrings.h"

#include <cstdlib>
#include <mutex>
#include <optional>
#include <unordered_map>

#include "Localization/StringTable.h"

namespace {
struct IndexedTable {
    const StringTable* table;
    std::unordered_map<std::string, std::string> texts;
};

const IndexedTable* findTable(const std::string& language)
{
    static const std::vector<IndexedTable> indexed = [] {
        std::vector<IndexedTable> result;
        for (const StringTable& table : stringTables()) {
            IndexedTable entry{&table, {}};
            for (std::size_t i = 0; i < table.count; ++i) {
                entry.texts.emplace(table.entries[i].key, table.entries[i].text);
            }
            result.push_back(std::move(entry));
        }
        return result;
    }();
    for (const IndexedTable& entry : indexed) {
        if (language == entry.table->language) {
            return &entry;
        }
    }
    return nullptr;
}

bool isSupported(const std::string& language)
{
    return findTable(language) != nullptr;
}

// "ar_EG.UTF-8@latin" -> "ar"
std::string languagePart(const std::string& localeName)
{
    const auto end = localeName.find_first_of("_.@");
    return localeName.substr(0, end);
}

bool isPortableLocale(const std::string& name)
{
    return name == "C" || name == "POSIX" || name.rfind("C.", 0) == 0 || name.rfind("POSIX.", 0) == 0;
}

std::mutex& languageLock()
{
    static std::mutex lock;
    return lock;
}

std::optional<std::string>& currentLanguage()
{
    static std::optional<std::string> language;
    return language;
}

const char* processEnvironment(const char* name)
{
    return std::getenv(name);
}
} // namespace

std::string LocalizedStrings::text(const std::string& key)
{
    if (key.empty()) {
        return std::string();
    }
    return textIn(language(), key);
}

std::string LocalizedStrings::textIn(const std::string& language, const std::string& key)
{
    if (key.empty()) {
        return std::string();
    }
    const IndexedTable* table = findTable(language);
    if (table == nullptr) {
        return key;
    }
    const auto found = table->texts.find(key);
    return found == table->texts.end() ? key : found->second;
}

std::string LocalizedStrings::format(const std::string& key, const std::vector<std::string>& arguments)
{
    return applyFormat(text(key), arguments);
}

std::string LocalizedStrings::applyFormat(const std::string& format, const std::vector<std::string>& arguments)
{
    std::string result;
    std::size_t next = 0;
    for (std::size_t i = 0; i < format.size(); ++i) {
        const char c = format[i];
        if (c != '%' || i + 1 >= format.size()) {
            result += c;
            continue;
        }
        if (format[i + 1] == '%') {
            result += '%';
            ++i;
            continue;
        }
        if (format[i + 1] == '@') {
            if (next < arguments.size()) {
                result += arguments[next];
            }
            ++next;
            ++i;
            continue;
        }
        // Positional form "%N$@".
        std::size_t j = i + 1;
        std::size_t position = 0;
        while (j < format.size() && format[j] >= '0' && format[j] <= '9' && position < 1000) {
            position = position * 10 + static_cast<std::size_t>(format[j] - '0');
            ++j;
        }
        if (j > i + 1 && j + 1 < format.size() && format[j] == '$' && format[j + 1] == '@' && position > 0) {
            if (position <= arguments.size()) {
                result += arguments[position - 1];
            }
            i = j + 1;
            continue;
        }
        result += c;
    }
    return result;
}

std::string LocalizedStrings::language()
{
    {
        std::lock_guard<std::mutex> guard(languageLock());
        if (currentLanguage()) {
            return *currentLanguage();
        }
    }
    const std::string chosen = languageFromEnvironment(processEnvironment);
    std::lock_guard<std::mutex> guard(languageLock());
    if (!currentLanguage()) {
        currentLanguage() = chosen;
    }
    return *currentLanguage();
}

void LocalizedStrings::setLanguage(const std::string& code)
{
    std::lock_guard<std::mutex> guard(languageLock());
    currentLanguage() = isSupported(code) ? code : std::string("en");
}

void LocalizedStrings::useEnvironmentLanguage()
{
    const std::string chosen = languageFromEnvironment(processEnvironment);
    std::lock_guard<std::mutex> guard(languageLock());
    currentLanguage() = chosen;
}

std::string LocalizedStrings::languageFromEnvironment(const Environment& environment)
{
    auto value = [&](const char* name) -> std::string {
        const char* text = environment ? environment(name) : nullptr;
        return text != nullptr ? std::string(text) : std::string();
    };
    // The locale of the messages category: the first of these that is set and not empty.
    std::string locale;
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        locale = value(name);
        if (!locale.empty()) {
            break;
        }
    }
    if (locale.empty() || isPortableLocale(locale)) {
        return "en"; // the untranslated texts; LANGUAGE does not apply to the C locale
    }
    const std::string priorities = value("LANGUAGE");
    if (!priorities.empty()) {
        std::size_t start = 0;
        while (start <= priorities.size()) {
            const auto end = priorities.find(':', start);
            const std::string entry =
                priorities.substr(start, end == std::string::npos ? std::string::npos : end - start);
            const std::string candidate = languagePart(entry);
            if (!candidate.empty() && isSupported(candidate)) {
                return candidate;
            }
            if (end == std::string::npos) {
                break;
            }
            start = end + 1;
        }
        // None of the listed languages has a table: the untranslated texts, as gettext does.
        return "en";
    }
    const std::string candidate = languagePart(locale);
    return isSupported(candidate) ? candidate : std::string("en");
}

bool LocalizedStrings::isRightToLeft()
{
    const IndexedTable* table = findTable(language());
    return table != nullptr && table->table->rightToLeft;
}

const std::vector<std::string>& LocalizedStrings::supportedLanguages()
{
    static const std::vector<std::string> languages = [] {
        std::vector<std::string> result;
        for (const StringTable& table : stringTables()) {
            result.emplace_back(table.language);
        }
        return result;
    }();
    return languages;
}

std::vector<std::string> LocalizedStrings::keys(const std::string& language)
{
    std::vector<std::string> result;
    const IndexedTable* table = findTable(language);
    if (table != nullptr) {
        for (std::size_t i = 0; i < table->table->count; ++i) {
            result.emplace_back(table->table->entries[i].key);
        }
    }
    return result;
}
