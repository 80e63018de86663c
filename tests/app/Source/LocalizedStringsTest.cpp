#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "LocalizedStrings.h"

namespace {
// Every key the application and the tool look up.
const char* const kProductKeys[] = {
    "OK", "Cancel", "Back", "MainMenu_Edit", "MainMenu_Window", "MainMenu_Help", "MainMenu_About",
    "MainMenu_Prefs", "MainMenu_AppHide", "MainMenu_OtherHide", "MainMenu_ShowAll", "MainMenu_Quit",
    "MainMenu_Cut", "MainMenu_Copy", "MainMenu_Paste", "MainMenu_Delete", "MainMenu_SelectAll",
    "MainMenu_Miniaturize", "MainMenu_Zoom", "MainMenu_Close", "MainMenu_FrontAll", "MainMenu_ShowHelpHelp",
    "ErrorTitle", "ErrorFileAccess", "ErrorNotReady", "ErrorNoPaperIsSet", "ErrorPaperJammed", "ErrorCoverIsOpen",
    "ErrorScannerHardware", "ErrorScannerOutOfMemory", "ErrorUnknownStorage", "ErrorPaperFeed",
    "ErrorNoDetectScanner", "ErrorScan", "ErrorFailedToBulkRegistJob", "ErrorInvalidCharacters",
    "ErrorTooLongPath", "ErrorInvalidPassword", "ErrorConnect", "ErrorJobName", "ErrorSendPath",
    "ErrorInvalidCombiMonoJpeg", "ErrorNoSelectJob", "ErrorNoSelectScanner", "ErrorJobFull",
    "ErrorSaveJobBecause", "ErrorDeleteJobBecause", "ErrorOpenFolder", "MainMenu_ShowRequestLog", "ReasonNotSent",
    "ReasonRefused", "ReasonUnreachable", "ReasonTimedOut", "ReasonTls", "ReasonClosed", "ReasonTooLarge",
    "ReasonHttpStatus", "ReasonEmpty", "ReasonUnreadable", "TitleScanAppJob",
    "TitleSelectScanner", "SelectScanner", "LabelScanSettings", "MenuDeleteAll", "TitleAddJob", "ButtonScan",
    "MessageDelete", "LabelJob", "Scanning", "CreatingFile", "SendingFile", "CompletedScan", "BulkRegist",
    "LabelJobNo", "RegistJob", "MenuDelete", "FinishRegist", "ButtonUpdate", "LabelSendJobAllScanner",
    "LabelSelect", "LabelScanner", "LabelPassword", "LabelResult", "ResSuccess", "ResFailure", "SearchScanner",
    "TitlePassword", "MessagePassword", "ColorMode", "Color", "Gray", "Monochrome", "PaperSize", "Auto", "Letter",
    "A4", "Resolution", "Dpi150", "Dpi200", "Dpi240", "Dpi300", "ReadingSurface", "SkipWhite", "SingleSide",
    "BothSide", "FileFormat", "Pdf", "PdfOcr", "Jpeg", "Tiff", "SendSetting", "ShareFolder", "DeviceStorage",
    "LabelUser", "LabelSendPath", "SaveJob", "SearchWordScanner", "TextSendJobAllScanner", "LabelVersionInfo",
    "TextVersion", "TextCopyright", "CliUsage", "CliHelpJobs", "CliHelpDiscover",
    "CliHelpIdentify", "CliHelpScan", "CliHelpRegister", "CliHelpBulkRegister",
};

// A fake environment for the language choice.
LocalizedStrings::Environment environment(std::map<std::string, std::string> values)
{
    auto shared = std::make_shared<std::map<std::string, std::string>>(std::move(values));
    return [shared](const char* name) -> const char* {
        const auto found = shared->find(name);
        return found == shared->end() ? nullptr : found->second.c_str();
    };
}

// Each directive ("%@", "%ld", "%2$@") as its argument position and conversion:
// a translation may reorder the values, but must take the same ones.
std::vector<std::string> directives(const std::string& text)
{
    static const std::regex directive(R"(%(?:([1-9][0-9]*)\$)?[-+#0]*[0-9]*(?:\.[0-9]+)?((?:hh|h|ll|l|q|z|j|t|L)?[@diouxXeEfgGcsp%]))");
    std::vector<std::string> result;
    int next = 0;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), directive); it != std::sregex_iterator(); ++it) {
        const std::smatch& match = *it;
        if (match[2] == "%") {
            continue;
        }
        const int position = match[1].matched ? std::stoi(match[1]) : ++next;
        result.push_back(std::to_string(position) + ":" + match[2].str());
    }
    std::sort(result.begin(), result.end());
    return result;
}

class LocalizedStringsTest : public ::testing::Test {
protected:
    void TearDown() override { LocalizedStrings::setLanguage("en"); }
};
} // namespace

TEST_F(LocalizedStringsTest, EmptyKeyIsEmptyAndUnknownKeyIsItself)
{
    for (const std::string& language : LocalizedStrings::supportedLanguages()) {
        LocalizedStrings::setLanguage(language);
        EXPECT_EQ(LocalizedStrings::text(""), "");
        EXPECT_EQ(LocalizedStrings::text("NoSuchKeyAnywhere"), "NoSuchKeyAnywhere");
    }
}

TEST_F(LocalizedStringsTest, EveryLanguageTranslatesEveryProductKeyAndNothingElse)
{
    const auto englishKeys = LocalizedStrings::keys("en");
    const std::set<std::string> english(englishKeys.begin(), englishKeys.end());
    EXPECT_EQ(english.size(), englishKeys.size()) << "a key appears twice in the English table";
    for (const char* key : kProductKeys) {
        EXPECT_EQ(english.count(key), 1u) << key;
    }
    ASSERT_GE(LocalizedStrings::supportedLanguages().size(), 2u);
    for (const std::string& language : LocalizedStrings::supportedLanguages()) {
        const auto keys = LocalizedStrings::keys(language);
        const std::set<std::string> unique(keys.begin(), keys.end());
        EXPECT_EQ(unique.size(), keys.size()) << language << " has a key twice";
        EXPECT_EQ(unique, english) << language << " and English differ in their keys";
        for (const std::string& key : keys) {
            const std::string translated = LocalizedStrings::textIn(language, key);
            EXPECT_FALSE(translated.empty()) << language << " " << key;
            EXPECT_EQ(directives(translated), directives(LocalizedStrings::textIn("en", key)))
                << language << " " << key << " takes other values than the English text";
        }
    }
}

TEST_F(LocalizedStringsTest, ArabicIsRightToLeftAndActuallyTranslated)
{
    LocalizedStrings::setLanguage("ar");
    EXPECT_TRUE(LocalizedStrings::isRightToLeft());
    EXPECT_NE(LocalizedStrings::text("ErrorNoDetectScanner"), LocalizedStrings::textIn("en", "ErrorNoDetectScanner"));
    LocalizedStrings::setLanguage("en");
    EXPECT_FALSE(LocalizedStrings::isRightToLeft());
    LocalizedStrings::setLanguage("xx");
    EXPECT_EQ(LocalizedStrings::language(), "en");
}

TEST_F(LocalizedStringsTest, LanguageFollowsTheLocaleLikeGnuPrograms)
{
    struct Case {
        std::map<std::string, std::string> env;
        const char* expected;
    };
    const Case cases[] = {
        {{}, "en"},
        {{{"LANG", "ar_EG.UTF-8"}}, "ar"},
        {{{"LANG", "ar"}}, "ar"},
        {{{"LANG", "de_DE.UTF-8"}}, "en"},
        {{{"LC_MESSAGES", "ar_JO.UTF-8@euro"}, {"LANG", "en_US.UTF-8"}}, "ar"},
        {{{"LC_ALL", "en_GB.UTF-8"}, {"LC_MESSAGES", "ar_JO.UTF-8"}}, "en"},
        {{{"LC_ALL", ""}, {"LANG", "ar_SA.UTF-8"}}, "ar"},
        // LANGUAGE is a priority list...
        {{{"LANG", "fr_FR.UTF-8"}, {"LANGUAGE", "de:ar:en"}}, "ar"},
        {{{"LANG", "ar_SA.UTF-8"}, {"LANGUAGE", "en_US:ar"}}, "en"},
        // ...that replaces the locale's language, untranslated when nothing in it is available...
        {{{"LANG", "ar_SA.UTF-8"}, {"LANGUAGE", "fr:de"}}, "en"},
        {{{"LANG", "ar_SA.UTF-8"}, {"LANGUAGE", ""}}, "ar"},
        // ...and is ignored when the locale is the portable one.
        {{{"LANG", "C"}, {"LANGUAGE", "ar"}}, "en"},
        {{{"LC_ALL", "POSIX"}, {"LANGUAGE", "ar"}}, "en"},
        {{{"LANG", "C.UTF-8"}, {"LANGUAGE", "ar"}}, "en"},
        {{{"LANGUAGE", "ar"}}, "en"},
    };
    for (const Case& c : cases) {
        std::string description;
        for (const auto& [name, value] : c.env) {
            description += name + "=" + value + " ";
        }
        EXPECT_EQ(LocalizedStrings::languageFromEnvironment(environment(c.env)), c.expected) << description;
    }
}

TEST_F(LocalizedStringsTest, FormatsInsertValuesInOrderOrByPosition)
{
    EXPECT_EQ(LocalizedStrings::applyFormat("Quit %@", {"Fernwick Vantix"}), "Quit Fernwick Vantix");
    EXPECT_EQ(LocalizedStrings::applyFormat("%@ and %@", {"a", "b"}), "a and b");
    EXPECT_EQ(LocalizedStrings::applyFormat("%2$@ before %1$@", {"a", "b"}), "b before a");
    EXPECT_EQ(LocalizedStrings::applyFormat("100%% of %@", {"x"}), "100% of x");
    EXPECT_EQ(LocalizedStrings::applyFormat("no values %@.", {}), "no values .");
    EXPECT_EQ(LocalizedStrings::applyFormat("text only", {"unused"}), "text only");
    EXPECT_EQ(LocalizedStrings::applyFormat("trailing %", {"x"}), "trailing %");
    EXPECT_EQ(LocalizedStrings::applyFormat("%9$@|%0$@", {"x"}), "|%0$@");
    // An inserted value is never read as a format itself.
    EXPECT_EQ(LocalizedStrings::applyFormat("%@ %@", {"%@", "b"}), "%@ b");
    LocalizedStrings::setLanguage("en");
    EXPECT_EQ(LocalizedStrings::format("MainMenu_About", {"Fernwick Vantix"}), "&About Fernwick Vantix");
}
