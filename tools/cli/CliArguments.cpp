#include "CliArguments.h"

#include "LocalizedStrings.h"
#include "ScannerAddress.h"
#include "UsageError.h"

CliArguments::CliArguments(const std::vector<std::string>& arguments, const std::vector<Option>& allowed)
{
    bool optionsEnded = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (optionsEnded || argument.size() < 2 || argument[0] != '-') {
            mPositionals.push_back(argument);
            continue;
        }
        if (argument == "--") {
            optionsEnded = true;
            continue;
        }
        const auto equals = argument.find('=');
        const std::string name = argument.substr(0, equals);
        const Option* option = nullptr;
        for (const Option& candidate : allowed) {
            if (candidate.name == name) {
                option = &candidate;
            }
        }
        if (option == nullptr || (!option->takesValue && equals != std::string::npos)) {
            throw UsageError(LocalizedStrings::format("CliErrorUnknownOption", {argument}));
        }
        if (mValues.count(name) != 0) {
            throw UsageError(LocalizedStrings::format("CliErrorRepeatedOption", {name}));
        }
        std::string value;
        if (option->takesValue) {
            if (equals != std::string::npos) {
                value = argument.substr(equals + 1);
            } else if (i + 1 < arguments.size()) {
                value = arguments[++i];
            } else {
                throw UsageError(LocalizedStrings::format("CliErrorMissingValue", {name}));
            }
        }
        mValues.emplace(name, value);
    }
}

std::optional<std::string> CliArguments::value(const std::string& name) const
{
    const auto found = mValues.find(name);
    return found == mValues.end() ? std::nullopt : std::optional<std::string>(found->second);
}

void CliArguments::requirePositionals(std::size_t count, const std::vector<std::string>& names) const
{
    if (mPositionals.size() < count) {
        const std::size_t missing = mPositionals.size();
        throw UsageError(LocalizedStrings::format(
            "CliErrorMissingArgument", {missing < names.size() ? names[missing] : std::string("?")}));
    }
}

void CliArguments::allowNoMorePositionals(std::size_t count) const
{
    if (mPositionals.size() > count) {
        throw UsageError(LocalizedStrings::format("CliErrorUnexpectedArgument", {mPositionals[count]}));
    }
}

int64_t CliArguments::jobNumber(const std::string& text)
{
    // At most two digits: never more than 99, so the value cannot overflow.
    bool valid = !text.empty() && text.size() <= 2;
    int64_t number = 0;
    for (std::size_t i = 0; valid && i < text.size(); ++i) {
        valid = text[i] >= '0' && text[i] <= '9';
        number = number * 10 + (text[i] - '0');
    }
    if (!valid || number < 1 || number > 99) {
        throw UsageError(LocalizedStrings::format("CliErrorInvalidJobNumber", {text}));
    }
    return number;
}

std::string CliArguments::ipv4Address(const std::string& text)
{
    if (!ScannerAddress::isDottedIPv4(text)) {
        throw UsageError(LocalizedStrings::format("CliErrorInvalidAddress", {text}));
    }
    return text;
}
