#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

// Crafts DNS messages byte by byte for the tests of the answer walk.
class DnsMessageBuilder {
public:
    // 12-byte header: identifier 0, the flags and the four counts.
    DnsMessageBuilder& Header(uint16_t flags, uint16_t questions, uint16_t answers, uint16_t authority = 0,
                              uint16_t additional = 0)
    {
        U16(0).U16(flags).U16(questions).U16(answers).U16(authority).U16(additional);
        return *this;
    }
    // A response header with no questions.
    DnsMessageBuilder& Response(uint16_t answers, uint16_t additional = 0)
    {
        return Header(0x8400, 0, answers, 0, additional);
    }
    // A question's name, type PTR and class IN.
    DnsMessageBuilder& Question(std::initializer_list<std::string> labels) { return Name(labels).U16(12).U16(1); }

    DnsMessageBuilder& Labels(std::initializer_list<std::string> labels)
    {
        for (const std::string& label : labels) {
            bytes.push_back(static_cast<uint8_t>(label.size()));
            Raw(label);
        }
        return *this;
    }
    // Labels and the closing zero byte.
    DnsMessageBuilder& Name(std::initializer_list<std::string> labels) { return Labels(labels).U8(0); }
    DnsMessageBuilder& Pointer(uint16_t offset)
    {
        return U8(static_cast<uint8_t>(0xC0 | (offset >> 8))).U8(offset & 0xFF);
    }

    // Type, class IN, time-to-live and data length of a record whose name is already written.
    DnsMessageBuilder& Fixed(uint16_t type, uint16_t dataLength, uint32_t timeToLive = 120)
    {
        return U16(type).U16(1).U16(static_cast<uint16_t>(timeToLive >> 16)).U16(timeToLive & 0xFFFF).U16(dataLength);
    }
    // A TXT record's fixed fields and data, from its character-strings.
    DnsMessageBuilder& Txt(std::initializer_list<std::string> strings, uint32_t timeToLive = 120)
    {
        std::vector<uint8_t> data;
        for (const std::string& text : strings) {
            data.push_back(static_cast<uint8_t>(text.size()));
            data.insert(data.end(), text.begin(), text.end());
        }
        Fixed(16, static_cast<uint16_t>(data.size()), timeToLive);
        bytes.insert(bytes.end(), data.begin(), data.end());
        return *this;
    }
    // A record of another type with opaque data.
    DnsMessageBuilder& Other(uint16_t type, const std::string& data)
    {
        Fixed(type, static_cast<uint16_t>(data.size()));
        return Raw(data);
    }

    DnsMessageBuilder& U8(uint8_t value)
    {
        bytes.push_back(value);
        return *this;
    }
    DnsMessageBuilder& U16(uint16_t value) { return U8(static_cast<uint8_t>(value >> 8)).U8(value & 0xFF); }
    DnsMessageBuilder& Raw(const std::string& text)
    {
        bytes.insert(bytes.end(), text.begin(), text.end());
        return *this;
    }

    size_t size() const { return bytes.size(); }

    std::vector<uint8_t> bytes;
};
