#include "ErrorCatalogue.h"

#include "LocalizedStrings.h"

namespace {
ErrorCatalogue::Dictionary build(const std::vector<std::pair<int32_t, const char*>>& rows)
{
    const std::string title = LocalizedStrings::text("ErrorTitle");
    ErrorCatalogue::Dictionary dictionary;
    for (const auto& [code, messageKey] : rows) {
        dictionary.emplace(std::to_string(code),
                           std::make_shared<const ErrorMessage>(title, LocalizedStrings::text(messageKey)));
    }
    return dictionary;
}
} // namespace

ErrorCatalogue::ErrorCatalogue(const std::vector<std::pair<int32_t, const char*>>& rows) : mDictionary(build(rows))
{
}

const ErrorMessage* ErrorCatalogue::find(int32_t code) const
{
    // The key is the code in plain decimal, as the table is written.
    const auto found = mDictionary.find(std::to_string(code));
    return found == mDictionary.end() ? nullptr : found->second.get();
}

std::optional<std::string> ErrorCatalogue::GetTitle(int32_t code) const
{
    const ErrorMessage* entry = find(code);
    return entry != nullptr ? std::optional<std::string>(entry->title()) : std::nullopt;
}

std::optional<std::string> ErrorCatalogue::GetMessage(int32_t code) const
{
    const ErrorMessage* entry = find(code);
    return entry != nullptr ? std::optional<std::string>(entry->message()) : std::nullopt;
}

bool ErrorCatalogue::IsSupport(int32_t code) const
{
    return find(code) != nullptr;
}
