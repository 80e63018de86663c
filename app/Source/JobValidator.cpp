#include "JobValidator.h"

#include <array>
#include <string_view>

#include "FWKVXSDK/EnumExtensions.h"
#include "FernwickException.h"
#include "LocalizedStrings.h"

namespace {
// ASCII white space and the Unicode space and line separators, as UTF-8.
const std::array<std::string_view, 25> kSpaces{
    " ", "\t", "\n", "\r", "\v", "\f",
    "\xC2\x85", "\xC2\xA0", "\xE1\x9A\x80", "\xE2\x80\x80", "\xE2\x80\x81", "\xE2\x80\x82", "\xE2\x80\x83",
    "\xE2\x80\x84", "\xE2\x80\x85", "\xE2\x80\x86", "\xE2\x80\x87", "\xE2\x80\x88", "\xE2\x80\x89",
    "\xE2\x80\x8A", "\xE2\x80\xA8", "\xE2\x80\xA9", "\xE2\x80\xAF", "\xE2\x81\x9F", "\xE3\x80\x80"};

std::size_t spaceAtStart(std::string_view text)
{
    for (const auto space : kSpaces) {
        if (text.substr(0, space.size()) == space) {
            return space.size();
        }
    }
    return 0;
}

std::size_t spaceAtEnd(std::string_view text)
{
    for (const auto space : kSpaces) {
        if (text.size() >= space.size() && text.substr(text.size() - space.size()) == space) {
            return space.size();
        }
    }
    return 0;
}

// Each forbidden character with the forms that differ from it only in width
// or size (their compatibility decomposition is the character itself).
const std::array<std::array<std::string_view, 4>, 7> kForbidden{{
    {":", "\xEF\xBC\x9A" /* U+FF1A */, "\xEF\xB9\x95" /* U+FE55 */, "\xEF\xB8\x93" /* U+FE13 */},
    {"\"", "\xEF\xBC\x82" /* U+FF02 */, "", ""},
    {"*", "\xEF\xBC\x8A" /* U+FF0A */, "\xEF\xB9\xA1" /* U+FE61 */, ""},
    {"?", "\xEF\xBC\x9F" /* U+FF1F */, "\xEF\xB9\x96" /* U+FE56 */, "\xEF\xB8\x96" /* U+FE16 */},
    {"<", "\xEF\xBC\x9C" /* U+FF1C */, "\xEF\xB9\xA4" /* U+FE64 */, ""},
    {">", "\xEF\xBC\x9E" /* U+FF1E */, "\xEF\xB9\xA5" /* U+FE65 */, ""},
    {"|", "\xEF\xBD\x9C" /* U+FF5C */, "", ""},
}};
} // namespace

std::string JobValidator::trimmed(const std::string& text)
{
    std::string_view view(text);
    while (const std::size_t n = spaceAtStart(view)) {
        view.remove_prefix(n);
    }
    while (const std::size_t n = spaceAtEnd(view)) {
        view.remove_suffix(n);
    }
    return std::string(view);
}

bool JobValidator::containsForbiddenCharacter(const std::string& path)
{
    // Searching for whole UTF-8 sequences cannot match inside another character.
    for (const auto& forms : kForbidden) {
        for (const std::string_view form : forms) {
            if (!form.empty() && path.find(form) != std::string::npos) {
                return true;
            }
        }
    }
    return false;
}

std::optional<std::string> JobValidator::firstFailure(const SettingData& job)
{
    const auto destination = job.sendSetting();
    const std::string sendPath = destination ? destination->sendPath() : std::string();
    if (containsForbiddenCharacter(sendPath)) {
        return std::string("ErrorInvalidCharacters");
    }
    // Checked as the job file gives them back: a name or path of blanks only
    // would be stored empty, and the job could not be saved again.
    if (trimmed(job.jobName()).empty()) {
        return std::string("ErrorJobName");
    }
    if (job.colorMode() == ColorMode::Monochrome && job.fileFormat() == FileFormat::Jpeg) {
        return std::string("ErrorInvalidCombiMonoJpeg");
    }
    if (trimmed(sendPath).empty()) {
        return std::string("ErrorSendPath");
    }
    return std::nullopt;
}

bool JobValidator::Check(const SettingData& job)
{
    try {
        if (const auto failure = firstFailure(job)) {
            throw FernwickException(LocalizedStrings::text("ErrorTitle"), LocalizedStrings::text(*failure));
        }
    } catch (const FernwickException& exception) {
        exception.showMessage();
        return false;
    }
    return true;
}
