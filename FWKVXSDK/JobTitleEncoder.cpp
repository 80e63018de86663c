#include "FWKVXSDK/JobTitleEncoder.h"

#include <cstdint>

namespace {
constexpr char32_t kReplacement = 0xFFFD;

// Decodes one code point at pos and advances pos; invalid input yields U+FFFD and
// consumes one byte (overlong forms, surrogates and values above U+10FFFF included).
char32_t decodeUtf8(const std::string& text, size_t& pos)
{
    auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
    unsigned char lead = byte(pos);
    size_t length = 0;
    char32_t value = 0;
    char32_t minimum = 0;
    if (lead < 0x80) {
        ++pos;
        return lead;
    } else if ((lead & 0xE0) == 0xC0) {
        length = 2;
        value = lead & 0x1F;
        minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        value = lead & 0x0F;
        minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        value = lead & 0x07;
        minimum = 0x10000;
    } else {
        ++pos;
        return kReplacement;
    }
    if (pos + length > text.size()) {
        ++pos;
        return kReplacement;
    }
    for (size_t i = 1; i < length; ++i) {
        unsigned char next = byte(pos + i);
        if ((next & 0xC0) != 0x80) {
            ++pos;
            return kReplacement;
        }
        value = (value << 6) | (next & 0x3F);
    }
    if (value < minimum || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
        ++pos;
        return kReplacement;
    }
    pos += length;
    return value;
}

void appendUnit(std::string& out, uint16_t unit)
{
    out += static_cast<char>(unit & 0xFF);
    out += static_cast<char>(unit >> 8);
}
} // namespace

std::string JobTitleEncoder::utf16leWithBom(const std::string& utf8)
{
    std::string out("\xFF\xFE", 2);
    size_t pos = 0;
    while (pos < utf8.size()) {
        char32_t cp = decodeUtf8(utf8, pos);
        if (cp >= 0x10000) {
            cp -= 0x10000;
            appendUnit(out, static_cast<uint16_t>(0xD800 + (cp >> 10)));
            appendUnit(out, static_cast<uint16_t>(0xDC00 + (cp & 0x3FF)));
        } else {
            appendUnit(out, static_cast<uint16_t>(cp));
        }
    }
    return out;
}

std::string JobTitleEncoder::base64(const std::string& bytes)
{
    static const char alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    out.reserve((bytes.size() + 2) / 3 * 4);
    size_t i = 0;
    auto at = [&](size_t k) { return static_cast<uint32_t>(static_cast<unsigned char>(bytes[k])); };
    for (; i + 3 <= bytes.size(); i += 3) {
        uint32_t triple = (at(i) << 16) | (at(i + 1) << 8) | at(i + 2);
        out += alphabet[(triple >> 18) & 0x3F];
        out += alphabet[(triple >> 12) & 0x3F];
        out += alphabet[(triple >> 6) & 0x3F];
        out += alphabet[triple & 0x3F];
    }
    size_t rest = bytes.size() - i;
    if (rest > 0) {
        uint32_t triple = at(i) << 16;
        if (rest == 2) {
            triple |= at(i + 1) << 8;
        }
        out += alphabet[(triple >> 18) & 0x3F];
        out += alphabet[(triple >> 12) & 0x3F];
        out += rest == 2 ? alphabet[(triple >> 6) & 0x3F] : '=';
        out += '=';
    }
    return out;
}

std::string JobTitleEncoder::encode(const std::string& utf8Name)
{
    const std::string plain = base64(utf16leWithBom(utf8Name));
    constexpr size_t kLine = 64;
    std::string out;
    out.reserve(plain.size() + plain.size() / kLine * 2);
    for (size_t pos = 0; pos < plain.size(); pos += kLine) {
        if (pos > 0) {
            out += "\r\n";
        }
        out.append(plain, pos, kLine);
    }
    return out;
}
