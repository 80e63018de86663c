#include "FWKVXSDK/JobXmlWriter.h"

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD"; // U+FFFD

struct Sequence {
    size_t length; // of the well-formed UTF-8 sequence at the start, else 1
    bool allowed;  // well-formed and a character XML can hold
};

Sequence sequenceAt(std::string_view text)
{
    auto byte = [&text](size_t i) { return static_cast<unsigned char>(text[i]); };
    auto continuation = [&](size_t i) { return i < text.size() && (byte(i) & 0xC0) == 0x80; };
    unsigned char lead = byte(0);
    if (lead < 0x80) {
        return {1, lead >= 0x20 || lead == '\t' || lead == '\n' || lead == '\r'};
    }
    if (lead >= 0xC2 && lead <= 0xDF && continuation(1)) {
        return {2, true};
    }
    if (lead >= 0xE0 && lead <= 0xEF && continuation(1) && continuation(2)) {
        char32_t c = ((lead & 0x0Fu) << 12) | ((byte(1) & 0x3Fu) << 6) | (byte(2) & 0x3Fu);
        if (c < 0x800 || (c >= 0xD800 && c <= 0xDFFF)) {
            return {1, false}; // overlong, or a surrogate: not UTF-8
        }
        return {3, c != 0xFFFE && c != 0xFFFF};
    }
    if (lead >= 0xF0 && lead <= 0xF4 && continuation(1) && continuation(2) && continuation(3)) {
        char32_t c = ((lead & 0x07u) << 18) | ((byte(1) & 0x3Fu) << 12) | ((byte(2) & 0x3Fu) << 6)
            | (byte(3) & 0x3Fu);
        if (c < 0x10000 || c > 0x10FFFF) {
            return {1, false};
        }
        return {4, true};
    }
    return {1, false};
}

} // namespace

JobXmlWriter::JobXmlWriter() : mOut(R"(<?xml version="1.0" encoding="utf-8"?>)") {}

void JobXmlWriter::startElement(std::string_view name, const Attributes& attributes)
{
    mOut += '<';
    mOut += name;
    for (const auto& [attribute, value] : attributes) {
        mOut += ' ';
        mOut += attribute;
        mOut += "=\"";
        appendEscaped(mOut, value, true);
        mOut += '"';
    }
    mOut += '>';
    mOpen.emplace_back(name);
}

void JobXmlWriter::textElement(std::string_view name, std::string_view text, const Attributes& attributes)
{
    startElement(name, attributes);
    appendEscaped(mOut, text, false);
    endElement();
}

void JobXmlWriter::endElement()
{
    if (mOpen.empty()) {
        return;
    }
    mOut += "</";
    mOut += mOpen.back();
    mOut += '>';
    mOpen.pop_back();
}

std::string JobXmlWriter::document()
{
    while (!mOpen.empty()) {
        endElement();
    }
    return mOut;
}

std::string JobXmlWriter::escapeText(std::string_view text)
{
    std::string out;
    appendEscaped(out, text, false);
    return out;
}

void JobXmlWriter::appendEscaped(std::string& out, std::string_view text, bool inAttribute)
{
    out.reserve(out.size() + text.size());
    while (!text.empty()) {
        auto [length, allowed] = sequenceAt(text);
        if (!allowed) {
            out += kReplacement;
            text.remove_prefix(length);
            continue;
        }
        switch (text.front()) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '\r':
            out += "&#13;";
            break;
        case '"':
            out += inAttribute ? "&quot;" : "\"";
            break;
        case '\t':
            out += inAttribute ? "&#9;" : "\t";
            break;
        case '\n':
            out += inAttribute ? "&#10;" : "\n";
            break;
        default:
            out.append(text.substr(0, length));
            break;
        }
        text.remove_prefix(length);
    }
}
