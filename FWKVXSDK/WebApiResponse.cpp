#include "FWKVXSDK/WebApiResponse.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace {
constexpr int64_t kMax = std::numeric_limits<int64_t>::max();
constexpr int64_t kMin = std::numeric_limits<int64_t>::min();

int64_t saturate(double value)
{
    // Integer part, clamped; JSON numbers are never NaN or infinite.
    if (value >= 9223372036854775807.0) {
        return kMax;
    }
    if (value <= -9223372036854775808.0) {
        return kMin;
    }
    return static_cast<int64_t>(std::trunc(value));
}
} // namespace

void WebApiResponse::markUnreadable()
{
    if (!failure.failed()) {
        failure.reason = WebApiFailure::Reason::UnreadableAnswer;
    }
}

bool WebApiResponse::usable() const
{
    return status == 200 && !body.empty();
}

std::optional<nlohmann::json> WebApiResponse::object() const
{
    auto parsed = nlohmann::json::parse(body, nullptr, false);
    if (parsed.is_discarded() || !parsed.is_object()) {
        return std::nullopt;
    }
    return parsed;
}

std::optional<int64_t> WebApiResponse::integer(const nlohmann::json& object, const std::string& key)
{
    auto it = object.find(key);
    if (it == object.end()) {
        return std::nullopt;
    }
    if (it->is_number_unsigned()) {
        auto value = it->get<uint64_t>();
        return value > static_cast<uint64_t>(kMax) ? kMax : static_cast<int64_t>(value);
    }
    if (it->is_number_integer()) {
        return it->get<int64_t>();
    }
    if (it->is_number_float()) {
        return saturate(it->get<double>());
    }
    if (it->is_string()) {
        return readInteger(it->get_ref<const std::string&>());
    }
    return std::nullopt;
}

int64_t WebApiResponse::readInteger(const std::string& text)
{
    size_t pos = 0;
    while (pos < text.size() && text[pos] == ' ') {
        ++pos;
    }
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }
    int64_t value = 0;
    for (; pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; ++pos) {
        int digit = text[pos] - '0';
        // Accumulate towards the sign so that the most negative value is reachable.
        if (negative) {
            if (value < (kMin + digit) / 10) {
                return kMin;
            }
            value = value * 10 - digit;
        } else {
            if (value > (kMax - digit) / 10) {
                return kMax;
            }
            value = value * 10 + digit;
        }
    }
    return value;
}

std::optional<std::string> WebApiResponse::string(const nlohmann::json& object, const std::string& key)
{
    auto it = object.find(key);
    if (it == object.end() || !it->is_string()) {
        return std::nullopt;
    }
    return it->get<std::string>();
}

std::optional<JsonIdentifier> WebApiResponse::identifier(const nlohmann::json& object, const std::string& key)
{
    auto it = object.find(key);
    if (it == object.end()) {
        return std::nullopt;
    }
    if (it->is_string()) {
        return JsonIdentifier::fromString(it->get<std::string>());
    }
    if (it->is_number_unsigned()) {
        return JsonIdentifier::fromNumber(std::to_string(it->get<uint64_t>()));
    }
    if (it->is_number_integer()) {
        return JsonIdentifier::fromNumber(std::to_string(it->get<int64_t>()));
    }
    return std::nullopt;
}

nlohmann::json WebApiResponse::identifierJson(const JsonIdentifier& identifier)
{
    if (identifier.isNumber) {
        const std::string& text = identifier.text;
        const char* first = text.data();
        const char* last = first + text.size();
        int64_t signedValue = 0;
        auto [end, error] = std::from_chars(first, last, signedValue);
        if (error == std::errc() && end == last) {
            return signedValue;
        }
        uint64_t unsignedValue = 0;
        auto [uend, uerror] = std::from_chars(first, last, unsignedValue);
        if (uerror == std::errc() && uend == last) {
            return unsignedValue;
        }
    }
    // A number whose text is not an integer cannot be given back as one.
    return identifier.text;
}
