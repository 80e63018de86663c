// The answer walk over a whole DNS message: which datagrams are answers, the
// question section, and the TXT values of the answer and additional sections.
#include <gtest/gtest.h>

#include "DnsMessageBuilder.h"
#include "FWKVXSDK/DiscoveryManager/UDP/RecvPacket.h"

namespace {

using Dictionary = RecvPacket::Dictionary;

const std::string kFrom = "127.0.0.7";

Dictionary Read(const DnsMessageBuilder& message)
{
    Dictionary dictionary;
    bool found = RecvPacket::ReadAnswer(message.bytes.data(), message.size(), kFrom, dictionary);
    EXPECT_EQ(found, !dictionary.empty());
    return dictionary;
}

// The PTR answer naming the instance "Desk" of "_scanner._tcp.local".
void PtrAnswer(DnsMessageBuilder& message)
{
    message.Name({"_scanner", "_tcp", "local"}).Other(12, std::string("\x04" "Desk\xC0\x0C", 7));
}

// The layout DNS-SD recommends: the PTR as the answer, then the service's SRV,
// TXT and A records as additional records.
DnsMessageBuilder AdditionalLayout(std::initializer_list<std::string> txt, uint32_t txtTimeToLive = 4500)
{
    DnsMessageBuilder message;
    message.Response(1, 3);
    PtrAnswer(message);
    message.Name({"Desk", "_scanner", "_tcp", "local"}).Other(33, std::string("\0\0\0\0\x01\xBB\x01h\0", 9));
    message.Name({"Desk", "_scanner", "_tcp", "local"}).Txt(txt, txtTimeToLive);
    message.Name({"h", "local"}).Other(1, std::string("\x7F\0\0\x01", 4));
    return message;
}

TEST(AnswerSections, TxtInTheAdditionalSectionIsRead)
{
    EXPECT_EQ(Read(AdditionalLayout({"mdl=MERIX M9", "SERIAL=Z1", "device=Desk"})),
              (Dictionary{{"mdl=MERIX", "M9"}, {"SERIAL=", "Z1"}, {"device=", "Desk"}, {"ipaddr=", kFrom}}));
}

TEST(AnswerSections, AnEchoedQuestionIsPassedOver)
{
    // Unicast and legacy replies repeat the question; with a compressed name
    // pointing into it, and with two questions.
    DnsMessageBuilder one;
    one.Header(0x8400, 1, 1).Question({"_scanner", "_tcp", "local"});
    one.Pointer(12).Txt({"SERIAL=Q1"});
    EXPECT_EQ(Read(one), (Dictionary{{"SERIAL=", "Q1"}, {"ipaddr=", kFrom}}));

    DnsMessageBuilder two;
    two.Header(0x8400, 2, 1).Question({"_scanner", "_tcp", "local"}).Pointer(12).U16(16).U16(1);
    two.Name({"Desk", "local"}).Txt({"mdl=MERIX M2"});
    EXPECT_EQ(Read(two)["mdl=MERIX"], "M2");

    // A question cut short: nothing is read past the end.
    DnsMessageBuilder cut;
    cut.Header(0x8400, 1, 1).Name({"_scanner", "_tcp", "local"}).U8(0);
    EXPECT_TRUE(Read(cut).empty());
}

TEST(AnswerSections, AQueryIsNoAnswerWhateverItCarries)
{
    // Known-answer suppression lists the asker's known answers in a query.
    DnsMessageBuilder knownAnswers;
    knownAnswers.Header(0x0000, 1, 1).Question({"_scanner", "_tcp", "local"});
    knownAnswers.Pointer(12).Txt({"mdl=MERIX OLD", "SERIAL=KNOWN"});
    EXPECT_TRUE(Read(knownAnswers).empty());

    // A probe proposes its records in the authority section; also additional TXT in a query.
    DnsMessageBuilder probe;
    probe.Header(0x0000, 1, 0, 1, 1).Question({"Desk", "_scanner", "_tcp", "local"});
    probe.Pointer(12).Txt({"SERIAL=PROBE"}).Pointer(12).Txt({"device=PROBE"});
    EXPECT_TRUE(Read(probe).empty());
}

TEST(AnswerSections, GoodbyesContributeNothing)
{
    // The goodbye a leaving service sends: its records again, time-to-live 0.
    DnsMessageBuilder goodbye;
    goodbye.Response(2);
    goodbye.Name({"_scanner", "_tcp", "local"}).Fixed(12, 2, 0).Pointer(12);
    goodbye.Name({"Desk", "local"}).Txt({"mdl=MERIX M", "SERIAL=BYE", "device=Desk"}, 0);
    EXPECT_TRUE(Read(goodbye).empty());

    EXPECT_TRUE(Read(AdditionalLayout({"SERIAL=BYE"}, 0)).empty());

    // A goodbye of one record does not hide a live record in the same datagram.
    DnsMessageBuilder mixed;
    mixed.Response(2);
    mixed.Name({"a", "local"}).Txt({"SERIAL=GONE", "device=old"}, 0);
    mixed.Name({"b", "local"}).Txt({"SERIAL=HERE"}, 1);
    EXPECT_EQ(Read(mixed), (Dictionary{{"SERIAL=", "HERE"}, {"ipaddr=", kFrom}}));
}

TEST(AnswerSections, AnswerValuesComeFirstAdditionalOnesFillMissingKeys)
{
    DnsMessageBuilder both;
    both.Response(1, 2);
    both.Name({"a", "local"}).Txt({"mdl=MERIX ANSWER", "SERIAL=A1"});
    both.Name({"b", "local"}).Txt({"mdl=MERIX EXTRA", "device=FromAdditional"});
    both.Name({"c", "local"}).Txt({"SERIAL=A2", "ethaddr=ee"});
    EXPECT_EQ(Read(both), (Dictionary{{"mdl=MERIX", "ANSWER"},
                                     {"SERIAL=", "A1"},
                                     {"device=", "FromAdditional"},
                                     {"ethaddr=", "ee"},
                                     {"ipaddr=", kFrom}}));

    // An authority section between them is passed over, its TXT unread.
    DnsMessageBuilder authority;
    authority.Header(0x8400, 0, 1, 1, 1);
    PtrAnswer(authority);
    authority.Name({"ns"}).Txt({"SERIAL=AUTHORITY"});
    authority.Name({"c"}).Txt({"device=D"});
    EXPECT_EQ(Read(authority), (Dictionary{{"device=", "D"}, {"ipaddr=", kFrom}}));
}

TEST(AnswerSections, ARecordCutShortEndsTheWalkInAnySection)
{
    DnsMessageBuilder message = AdditionalLayout({"SERIAL=S"});
    // Cut inside the TXT record (the last 3 records are SRV, TXT, A): nothing.
    size_t aRecord = message.size() - (9 + 10 + 4);
    for (size_t cut = 12; cut < aRecord; ++cut) {
        std::vector<uint8_t> prefix(message.bytes.begin(), message.bytes.begin() + static_cast<std::ptrdiff_t>(cut));
        Dictionary values;
        EXPECT_FALSE(RecvPacket::ReadAnswer(prefix.data(), prefix.size(), kFrom, values)) << cut;
    }
    // Cut inside the A record after it: the TXT value stands.
    std::vector<uint8_t> prefix(message.bytes.begin(), message.bytes.end() - 2);
    Dictionary values;
    EXPECT_TRUE(RecvPacket::ReadAnswer(prefix.data(), prefix.size(), kFrom, values));
    EXPECT_EQ(values["SERIAL="], "S");
}

} // namespace
