#include "JobValidator.h"

#include <array>
#include <string_view>

#include "FWKVXSDK/EnumExtensions.h"
#include "FernwickException.h"
#include "LocalizedStrings.h"

namespace {
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
    if (job.jobName().empty()) {
        return std::string("ErrorJobName");
    }
    if (job.colorMode() == ColorMode::Monochrome && job.fileFormat() == FileFormat::Jpeg) {
        return std::string("ErrorInvalidCombiMonoJpeg");
    }
    if (sendPath.empty()) {
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
