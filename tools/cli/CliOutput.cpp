#include "CliOutput.h"

#include <cstdint>
#include <cstdio>

#include "ExitStatus.h"
#include "RequestFailureText.h"

namespace {
// Runs of several scanners report from their own threads: a line goes out in
// one call (one write on the unbuffered standard error), so lines never mix,
// not even with the notice that the signal handler writes.
void writeLine(std::FILE* stream, const std::string& text)
{
    const std::string line = text + '\n';
    std::fwrite(line.data(), 1, line.size(), stream);
    std::fflush(stream);
}
} // namespace

void CliOutput::line(const std::string& text)
{
    writeLine(stdout, text);
}

void CliOutput::error(const std::string& text)
{
    writeLine(stderr, text);
}

void CliOutput::json(const nlohmann::json& value)
{
    line(value.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace));
}

std::string CliOutput::printable(const std::string& text)
{
    std::string result;
    result.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        std::size_t length = 0;
        uint32_t codePoint = 0;
        if (lead < 0x80) {
            length = 1;
            codePoint = lead;
        } else if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
            codePoint = lead & 0x1F;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            codePoint = lead & 0x0F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            codePoint = lead & 0x07;
        }
        bool valid = length != 0 && i + length <= text.size();
        for (std::size_t k = 1; valid && k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            valid = (next & 0xC0) == 0x80;
            codePoint = (codePoint << 6) | (next & 0x3F);
        }
        // Overlong forms, surrogates and values beyond Unicode are not UTF-8.
        valid = valid && !(length == 3 && codePoint < 0x800) && !(length == 4 && codePoint < 0x10000) &&
                !(codePoint >= 0xD800 && codePoint <= 0xDFFF) && codePoint <= 0x10FFFF;
        const bool control = codePoint < 0x20 || codePoint == 0x7F || (codePoint >= 0x80 && codePoint <= 0x9F);
        if (!valid || control) {
            result += '?';
            i += valid ? length : 1;
            continue;
        }
        result.append(text, i, length);
        i += length;
    }
    return result;
}

void CliOutput::addReason(nlohmann::json& object, const WebApiFailure& reason)
{
    if (const auto keyword = RequestFailureText::keyword(reason)) {
        object["reason"] = *keyword;
    }
}

int CliOutput::runResult(bool asJson, int64_t result, const std::string& message, const WebApiFailure& reason)
{
    if (asJson) {
        nlohmann::json last = {{"result", result}, {"message", message}};
        addReason(last, reason);
        json(last);
    } else if (result == 0) {
        line(message);
    } else {
        error(message);
    }
    return result == 0 ? ExitStatus::Success : ExitStatus::Failure;
}
