#include "FWKVXSDK/DiscoveryManager/UDP/RecvPacket.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/select.h>
#include <sys/socket.h>
#include <unistd.h>

#include <string_view>

#include "FWKVXSDK/DiscoveryManager/UDP/MdnsSocket.h"

namespace {

const size_t kHeaderLength = 12;
const size_t kFixedFieldsLength = 10; // type, class, time-to-live, data length
const size_t kQuestionFieldsLength = 4; // type, class
const uint16_t kFlagResponse = 0x8000;
const uint16_t kTypeTxt = 16;
const size_t kMaxNameLength = 255;   // encoded, zero byte included (RFC 1035)
const size_t kMaxPointerJumps = 128; // more cannot occur in a name of legal length
const size_t kMaxDatagram = 65534;

uint16_t get16(const uint8_t* data)
{
    return static_cast<uint16_t>((data[0] << 8) | data[1]);
}

// Appends text to a fixed buffer, always keeping it zero-terminated.
class NameText {
public:
    NameText(char* buffer, size_t capacity) : mBuffer(capacity > 0 ? buffer : nullptr), mCapacity(capacity)
    {
        if (mBuffer != nullptr) {
            mBuffer[0] = '\0';
        }
    }

    void AddLabel(const uint8_t* label, size_t length)
    {
        if (mLabels++ > 0) {
            Add('.');
        }
        for (size_t i = 0; i < length; ++i) {
            Add(static_cast<char>(label[i]));
        }
    }

private:
    void Add(char c)
    {
        if (mBuffer != nullptr && mUsed + 1 < mCapacity) {
            mBuffer[mUsed++] = c;
            mBuffer[mUsed] = '\0';
        }
    }

    char* mBuffer;
    size_t mCapacity;
    size_t mUsed = 0;
    size_t mLabels = 0;
};

char lowerAscii(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

size_t findIgnoringCase(std::string_view text, std::string_view key)
{
    if (key.size() > text.size()) {
        return std::string_view::npos;
    }
    for (size_t at = 0; at + key.size() <= text.size(); ++at) {
        size_t i = 0;
        while (i < key.size() && lowerAscii(text[at + i]) == lowerAscii(key[i])) {
            ++i;
        }
        if (i == key.size()) {
            return at;
        }
    }
    return std::string_view::npos;
}

// Values end up in scanner names shown to the user and written as JSON: bytes
// above 127 are kept only when they form valid UTF-8.
bool isValidUtf8(std::string_view text)
{
    size_t i = 0;
    while (i < text.size()) {
        auto byte = static_cast<unsigned char>(text[i]);
        size_t more = 0;
        uint32_t code = 0;
        uint32_t minimum = 0;
        if (byte < 0x80) {
            ++i;
            continue;
        } else if ((byte & 0xE0) == 0xC0) {
            more = 1, code = byte & 0x1F, minimum = 0x80;
        } else if ((byte & 0xF0) == 0xE0) {
            more = 2, code = byte & 0x0F, minimum = 0x800;
        } else if ((byte & 0xF8) == 0xF0) {
            more = 3, code = byte & 0x07, minimum = 0x10000;
        } else {
            return false;
        }
        if (more > text.size() - 1 - i) {
            return false;
        }
        for (size_t k = 1; k <= more; ++k) {
            auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80) {
                return false;
            }
            code = (code << 6) | (next & 0x3F);
        }
        if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
            return false;
        }
        i += more + 1;
    }
    return true;
}

struct TxtKey {
    std::string_view text;       // as it begins the character-string
    const char* dictionaryKey;   // under which its value is stored
};

const TxtKey kTxtKeys[] = {
    {"mdl=MERIX ", "mdl=MERIX"},
    {"SERIAL=", "SERIAL="},
    {"device=", "device="},
    {"ethaddr=", "ethaddr="},
};

// Takes the values of one TXT record's data into `found`. The data is read as
// one text up to its first zero byte, length bytes included; each key's value
// is delimited by the length byte just before the key.
void readTxtRecord(const uint8_t* data, size_t length, RecvPacket::Dictionary& found)
{
    size_t textLength = 0;
    while (textLength < length && data[textLength] != 0) {
        ++textLength;
    }
    std::string_view text(reinterpret_cast<const char*>(data), textLength);
    for (const TxtKey& key : kTxtKeys) {
        size_t at = findIgnoringCase(text, key.text);
        if (at == std::string_view::npos || at == 0) {
            continue;
        }
        size_t stringLength = static_cast<unsigned char>(text[at - 1]);
        if (stringLength < key.text.size()) {
            continue;
        }
        size_t valueLength = stringLength - key.text.size();
        size_t valueStart = at + key.text.size();
        if (valueLength > text.size() - valueStart) {
            continue;
        }
        std::string_view value = text.substr(valueStart, valueLength);
        if (!isValidUtf8(value)) {
            continue;
        }
        found[key.dictionaryKey] = std::string(value);
    }
}

} // namespace

size_t getRecDomainName(const uint8_t* buffer, size_t length, size_t offset, char* name, size_t nameCapacity)
{
    NameText text(name, nameCapacity);
    if (buffer == nullptr) {
        return 0;
    }
    size_t end = 0; // offset just past the name's own bytes, once known
    size_t encoded = 1; // the closing zero byte
    size_t jumps = 0;
    size_t position = offset;
    for (;;) {
        // Past the end: a failure in the name's own bytes; in text reached by a
        // pointer, only the text stops.
        if (position >= length) {
            return end;
        }
        uint8_t byte = buffer[position];
        if (byte == 0) {
            return end != 0 ? end : position + 1;
        }
        if (byte >= 0x40) {
            if (position + 1 >= length) {
                return end;
            }
            if (end == 0) {
                end = position + 2;
            }
            if (++jumps > kMaxPointerJumps) {
                return end;
            }
            position = (static_cast<size_t>(byte & 0x3F) << 8) | buffer[position + 1];
            continue;
        }
        encoded += 1 + byte;
        if (encoded > kMaxNameLength || byte >= length - position) {
            return end;
        }
        text.AddLabel(buffer + position + 1, byte);
        position += 1 + byte;
    }
}

RecvPacket::RecvPacket(std::string group, int32_t port) : mGroup(std::move(group)), mPort(port) {}

RecvPacket::~RecvPacket()
{
    terminate();
}

bool RecvPacket::OpenRecvSocket()
{
    terminate();
    mListeningSocket = MdnsSocket::OpenReusable(nullptr);
    if (mListeningSocket < 0) {
        return false;
    }

    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_port = htons(static_cast<uint16_t>(mPort));
    local.sin_addr.s_addr = htonl(INADDR_ANY);
    ip_mreq membership{};
    membership.imr_interface.s_addr = htonl(INADDR_ANY);
    // select() can watch only descriptors below FD_SETSIZE.
    bool ready = mListeningSocket < FD_SETSIZE &&
                 inet_pton(AF_INET, mGroup.c_str(), &membership.imr_multiaddr) == 1 &&
                 bind(mListeningSocket, reinterpret_cast<sockaddr*>(&local), sizeof local) == 0 &&
                 setsockopt(mListeningSocket, IPPROTO_IP, IP_ADD_MEMBERSHIP, &membership, sizeof membership) == 0;
    if (!ready) {
        terminate();
        return false;
    }
    return true;
}

bool RecvPacket::Recv(Dictionary& dictionary)
{
    if (mListeningSocket < 0 || mListeningSocket >= FD_SETSIZE) {
        return false;
    }
    fd_set readable;
    FD_ZERO(&readable);
    FD_SET(mListeningSocket, &readable);
    timeval wait{1, 0};
    if (select(mListeningSocket + 1, &readable, nullptr, nullptr, &wait) <= 0) {
        return false;
    }
    if (mBuffer.empty()) {
        mBuffer.resize(kMaxDatagram);
    }
    sockaddr_in source{};
    socklen_t sourceLength = sizeof source;
    ssize_t received = recvfrom(mListeningSocket, mBuffer.data(), mBuffer.size(), MSG_DONTWAIT,
                                reinterpret_cast<sockaddr*>(&source), &sourceLength);
    if (received <= 0) {
        return false;
    }
    char address[INET_ADDRSTRLEN] = {};
    if (inet_ntop(AF_INET, &source.sin_addr, address, sizeof address) == nullptr) {
        return false;
    }
    return ReadAnswer(mBuffer.data(), static_cast<size_t>(received), address, dictionary);
}

void RecvPacket::terminate()
{
    MdnsSocket::Close(mListeningSocket);
}

bool RecvPacket::ReadAnswer(const uint8_t* data, size_t length, const std::string& sourceAddress,
                            Dictionary& dictionary)
{
    if (data == nullptr || length < kHeaderLength) {
        return false;
    }
    // Queries, our own looped back included, are not answers, whatever records
    // they carry (known answers, a probe's proposed records).
    if ((get16(data + 2) & kFlagResponse) == 0) {
        return false;
    }
    // Unicast and legacy replies echo the question; it is passed over.
    size_t offset = kHeaderLength;
    for (uint16_t i = get16(data + 4); i > 0; --i) {
        size_t end = getRecDomainName(data, length, offset, nullptr, 0);
        if (end == 0 || length - end < kQuestionFieldsLength) {
            return false;
        }
        offset = end + kQuestionFieldsLength;
    }
    // Responders that follow DNS-SD's advice answer the PTR question and put the
    // service's SRV, TXT and address records in the additional section; the
    // answers' values come first, additional ones only fill keys still missing.
    Dictionary answers;
    Dictionary additional;
    size_t answerCount = get16(data + 6);
    size_t authorityCount = get16(data + 8);
    size_t total = answerCount + authorityCount + get16(data + 10);
    for (size_t i = 0; i < total; ++i) {
        size_t end = getRecDomainName(data, length, offset, nullptr, 0);
        if (end == 0 || length - end < kFixedFieldsLength) {
            break;
        }
        uint16_t type = get16(data + end);
        uint32_t timeToLive = (static_cast<uint32_t>(get16(data + end + 4)) << 16) | get16(data + end + 6);
        size_t dataLength = get16(data + end + 8);
        size_t dataStart = end + kFixedFieldsLength;
        if (dataLength > length - dataStart) {
            break;
        }
        // Time-to-live 0 is a goodbye: the service is leaving, not present.
        bool authority = i >= answerCount && i < answerCount + authorityCount;
        if (type == kTypeTxt && timeToLive != 0 && !authority) {
            readTxtRecord(data + dataStart, dataLength, i < answerCount ? answers : additional);
        }
        offset = dataStart + dataLength;
    }
    answers.merge(additional); // keeps the answers' value where both have a key
    if (answers.empty()) {
        return false;
    }
    for (auto& [key, value] : answers) {
        dictionary[key] = std::move(value);
    }
    dictionary["ipaddr="] = sourceAddress;
    return true;
}
