// The name walker: where a name ends, its text, and its bounds on hostile input.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "DnsMessageBuilder.h"
#include "FWKVXSDK/DiscoveryManager/UDP/RecvPacket.h"

namespace {

struct Walk {
    size_t end;
    std::string text;
};

Walk WalkName(const DnsMessageBuilder& message, size_t offset, size_t length = SIZE_MAX)
{
    char text[256];
    std::memset(text, 'X', sizeof text);
    size_t end = getRecDomainName(message.bytes.data(), std::min(length, message.size()), offset, text, sizeof text);
    return {end, std::string(text, strnlen(text, sizeof text))};
}

TEST(DomainName, EndsAfterTheZeroByteAndJoinsLabelsWithDots)
{
    DnsMessageBuilder message;
    message.Header(0, 0, 0).Name({"_scanner", "_tcp", "local"}).U8(0);
    Walk walk = WalkName(message, 12);
    EXPECT_EQ(walk.end, 33u);
    EXPECT_EQ(walk.text, "_scanner._tcp.local");

    Walk root = WalkName(message, 33); // the empty name: one zero byte
    EXPECT_EQ(root.end, 34u);
    EXPECT_EQ(root.text, "");
}

TEST(DomainName, PointerEndsTheNameAndOnlyAddsText)
{
    DnsMessageBuilder message;
    message.Header(0, 0, 0).Name({"_scanner", "_tcp", "local"});
    message.Labels({"Lobby"}).Pointer(12).U8(0x55);
    Walk walk = WalkName(message, 33);
    EXPECT_EQ(walk.end, 33u + 6 + 2);
    EXPECT_EQ(walk.text, "Lobby._scanner._tcp.local");

    // Pointers to chains of pointers are followed for the text.
    DnsMessageBuilder chain;
    chain.Header(0, 0, 0).Name({"b"}).Labels({"a"}).Pointer(12);
    size_t third = chain.size();
    chain.Pointer(15);
    Walk chained = WalkName(chain, third);
    EXPECT_EQ(chained.end, third + 2);
    EXPECT_EQ(chained.text, "a.b");
}

TEST(DomainName, PointerLoopsEndTheTextAndReturnPastThePointer)
{
    // A pointer to itself.
    DnsMessageBuilder self;
    self.Header(0, 0, 0).Labels({"x"}).Pointer(12);
    Walk selfWalk = WalkName(self, 12);
    EXPECT_EQ(selfWalk.end, 16u);
    EXPECT_LE(selfWalk.text.size(), 255u);

    DnsMessageBuilder onlyPointer;
    onlyPointer.Header(0, 0, 0).Pointer(12);
    EXPECT_EQ(WalkName(onlyPointer, 12).end, 14u);

    // Two pointers pointing at each other, with and without labels between.
    DnsMessageBuilder pair;
    pair.Header(0, 0, 0).Pointer(14).Pointer(12);
    EXPECT_EQ(WalkName(pair, 12).end, 14u);
    EXPECT_EQ(WalkName(pair, 14).end, 16u);

    DnsMessageBuilder labelled;
    labelled.Header(0, 0, 0).Labels({"aaaaaaaaaaaaaaaaaaaaaaaaaaaaaa"}).Pointer(45).Labels({"b"}).Pointer(12);
    Walk loop = WalkName(labelled, 12);
    EXPECT_EQ(loop.end, 45u);
    EXPECT_LE(loop.text.size(), 255u);
    EXPECT_EQ(loop.text.rfind("aaaaaaaaaaaaaaaaaaaaaaaaaaaaaa.b.aaaaaaaaaaaaaaaaaaaaaaaaaaaaaa", 0), 0u);
}

TEST(DomainName, NamesLongerThanDnsAllowsAreRefused)
{
    DnsMessageBuilder longName;
    longName.Header(0, 0, 0);
    std::string label(63, 'l');
    longName.Labels({label, label, label}); // 192 bytes
    longName.Labels({std::string(61, 'm')}); // 254 bytes, with the zero byte 255: the limit
    DnsMessageBuilder limit = longName;
    limit.U8(0);
    EXPECT_EQ(WalkName(limit, 12).end, 12u + 255u);
    longName.Labels({"x"}).U8(0); // 257 bytes
    EXPECT_EQ(WalkName(longName, 12).end, 0u);

    // The text reached through a pointer is cut at the limit, the name itself stands.
    DnsMessageBuilder throughPointer = limit;
    throughPointer.Labels({"more"}).Pointer(12);
    Walk walk = WalkName(throughPointer, 12 + 255);
    EXPECT_EQ(walk.end, 12u + 255u + 5u + 2u);
    EXPECT_LE(walk.text.size(), 255u);
}

TEST(DomainName, NeverReadsPastTheMessage)
{
    DnsMessageBuilder message;
    message.Header(0, 0, 0).Name({"abc", "de"});
    for (size_t cut = 12; cut < message.size(); ++cut) {
        // The exact length, so that a sanitizer sees any read past it.
        std::vector<uint8_t> bytes(message.bytes.begin(), message.bytes.begin() + static_cast<std::ptrdiff_t>(cut));
        char text[64];
        EXPECT_EQ(getRecDomainName(bytes.data(), bytes.size(), 12, text, sizeof text), 0u) << cut;
    }
    // Bytes beyond the given length are never used, even when they are there.
    DnsMessageBuilder longer;
    longer.Header(0, 0, 0).Name({"abcdef"});
    char text[32];
    std::memset(text, 'X', sizeof text);
    EXPECT_EQ(getRecDomainName(longer.bytes.data(), 15, 12, text, sizeof text), 0u);
    EXPECT_EQ(std::string(text, strnlen(text, sizeof text)).find("def"), std::string::npos);

    DnsMessageBuilder halfPointer;
    halfPointer.Header(0, 0, 0).U8(0xC0);
    EXPECT_EQ(WalkName(halfPointer, 12).end, 0u);
    EXPECT_EQ(WalkName(message, message.size()).end, 0u);
    EXPECT_EQ(WalkName(message, 100000).end, 0u);
    EXPECT_EQ(getRecDomainName(nullptr, 10, 0, nullptr, 0), 0u);
}

TEST(DomainName, TextNeverOverrunsItsBuffer)
{
    DnsMessageBuilder message;
    message.Header(0, 0, 0).Name({"_scanner", "_tcp", "local"});
    char buffer[16];
    std::memset(buffer, '#', sizeof buffer);
    EXPECT_EQ(getRecDomainName(message.bytes.data(), message.size(), 12, buffer, 5), 33u);
    EXPECT_STREQ(buffer, "_sca");
    EXPECT_EQ(buffer[5], '#');

    std::memset(buffer, '#', sizeof buffer);
    EXPECT_EQ(getRecDomainName(message.bytes.data(), message.size(), 12, buffer, 1), 33u);
    EXPECT_EQ(buffer[0], '\0');
    EXPECT_EQ(buffer[1], '#');

    std::memset(buffer, '#', sizeof buffer);
    EXPECT_EQ(getRecDomainName(message.bytes.data(), message.size(), 12, buffer, 0), 33u);
    EXPECT_EQ(buffer[0], '#');
    EXPECT_EQ(getRecDomainName(message.bytes.data(), message.size(), 12, nullptr, 0), 33u);
}

} // namespace
