#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

// The arguments of one command: positional arguments and "--options", in any
// order. An option takes its value from the next argument or after "=";
// "--" ends the options. Anything not allowed is a UsageError naming it.
class CliArguments {
public:
    struct Option {
        std::string name;  // with the leading "--"
        bool takesValue;
    };

    CliArguments(const std::vector<std::string>& arguments, const std::vector<Option>& allowed);

    const std::vector<std::string>& positionals() const { return mPositionals; }
    bool has(const std::string& name) const { return mValues.count(name) != 0; }
    std::optional<std::string> value(const std::string& name) const;

    // Usage checks on the positional arguments.
    void requirePositionals(std::size_t count, const std::vector<std::string>& names) const;
    void allowNoMorePositionals(std::size_t count) const;

    // A job number argument: decimal digits, 1 to 99.
    static int64_t jobNumber(const std::string& text);
    // An IPv4 address in dotted decimal text.
    static std::string ipv4Address(const std::string& text);

private:
    std::vector<std::string> mPositionals;
    std::map<std::string, std::string> mValues;
};
