// The discovery query's bytes, the reading of answers, and the scanner name.
#include <gtest/gtest.h>

#include "DnsMessageBuilder.h"
#include "FWKVXSDK/DiscoveryManager/DiscoveryManager.h"
#include "FWKVXSDK/DiscoveryManager/UDP/RecvPacket.h"

namespace {

using Dictionary = RecvPacket::Dictionary;

Dictionary Read(const DnsMessageBuilder& message, bool expected = true, const std::string& from = "192.168.1.20")
{
    Dictionary dictionary;
    EXPECT_EQ(RecvPacket::ReadAnswer(message.bytes.data(), message.size(), from, dictionary), expected);
    return dictionary;
}

// A response with one TXT record named "_scanner._tcp.local".
DnsMessageBuilder OneTxt(std::initializer_list<std::string> strings)
{
    DnsMessageBuilder message;
    message.Response(1).Name({"_scanner", "_tcp", "local"}).Txt(strings);
    return message;
}

TEST(DiscoveryQuery, IsTheFixed37BytePtrQuery)
{
    std::optional<std::vector<uint8_t>> query = DiscoveryManager::MakeSendPacket();
    ASSERT_TRUE(query);
    std::vector<uint8_t> expected = {0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 8, '_', 's', 'c', 'a', 'n', 'n',
                                     'e', 'r', 4, '_', 't', 'c', 'p', 5, 'l', 'o', 'c', 'a', 'l', 0, 0, 12, 0, 1};
    EXPECT_EQ(*query, expected);
    // Our own query, looped back to the listener, yields nothing.
    Dictionary dictionary;
    EXPECT_FALSE(RecvPacket::ReadAnswer(query->data(), query->size(), "127.0.0.1", dictionary));
    EXPECT_TRUE(dictionary.empty());
}

TEST(AnswerWalk, TakesTheKeyedValuesAndTheSenderAddress)
{
    Dictionary expected = {{"mdl=MERIX", "MODEL07"}, {"SERIAL=", "ABC123"}, {"ipaddr=", "192.168.1.20"}};
    EXPECT_EQ(Read(OneTxt({"mdl=MERIX MODEL07", "SERIAL=ABC123"})), expected);

    Dictionary all = Read(OneTxt({"txtvers=1", "mdl=MERIX M2", "SERIAL=S", "device=Front desk", "ethaddr=00:11:22",
                                  "note=x"}));
    EXPECT_EQ(all, (Dictionary{{"mdl=MERIX", "M2"},
                               {"SERIAL=", "S"},
                               {"device=", "Front desk"},
                               {"ethaddr=", "00:11:22"},
                               {"ipaddr=", "192.168.1.20"}}));
}

TEST(AnswerWalk, IgnoresTheLetterCaseOfKeys)
{
    Dictionary values = Read(OneTxt({"MDL=merix MODEL07", "serial=abc", "DEVICE=Lobby", "EthAddr=aa"}));
    EXPECT_EQ(values["mdl=MERIX"], "MODEL07");
    EXPECT_EQ(values["SERIAL="], "abc");
    EXPECT_EQ(values["device="], "Lobby");
    EXPECT_EQ(values["ethaddr="], "aa");
}

TEST(AnswerWalk, MissingKeysAreAbsentAndEmptyValuesPresent)
{
    EXPECT_EQ(Read(OneTxt({"mdl=MERIX MODEL07"})),
              (Dictionary{{"mdl=MERIX", "MODEL07"}, {"ipaddr=", "192.168.1.20"}}));
    EXPECT_EQ(Read(OneTxt({"SERIAL="})), (Dictionary{{"SERIAL=", ""}, {"ipaddr=", "192.168.1.20"}}));
    // The model key needs its blank.
    Read(OneTxt({"mdl=MERIXMODEL07"}), false);
    Read(OneTxt({"txtvers=1", "other=2"}), false);
}

TEST(AnswerWalk, EmptyCharacterStringEndsTheText)
{
    Read(OneTxt({"", "mdl=MERIX MODEL07", "SERIAL=ABC"}), false);
    Dictionary values = Read(OneTxt({"mdl=MERIX MODEL07", "", "SERIAL=ABC"}));
    EXPECT_EQ(values.count("SERIAL="), 0u);
    EXPECT_EQ(values["mdl=MERIX"], "MODEL07");
}

TEST(AnswerWalk, RecordsOfOtherTypesYieldNothing)
{
    DnsMessageBuilder message;
    message.Response(3);
    message.Name({"_scanner", "_tcp", "local"}).Other(12, std::string("\x03" "dev\xC0\x0C", 6));
    message.Name({"dev", "local"}).Other(33, std::string("\0\0\0\0\x01\xBB\0", 7)); // SRV
    message.Name({"dev", "local"}).Other(1, std::string("\xC0\xA8\x01\x14", 4));    // A
    Read(message, false);
    // The same text in a record that is not TXT is not read either.
    DnsMessageBuilder disguised;
    disguised.Response(1).Name({"x"}).Other(10, "\x11mdl=MERIX MODEL07");
    Read(disguised, false);
}

TEST(AnswerWalk, LaterTxtRecordReplacesEarlierValue)
{
    DnsMessageBuilder message;
    message.Response(3);
    message.Name({"a", "local"}).Txt({"mdl=MERIX M", "SERIAL=FIRST"});
    message.Name({"b", "local"}).Other(12, "\x01x\x00");
    message.Name({"c", "local"}).Txt({"SERIAL=SECOND"});
    Dictionary values = Read(message);
    EXPECT_EQ(values["SERIAL="], "SECOND");
    EXPECT_EQ(values["mdl=MERIX"], "M");
}

TEST(AnswerWalk, RecordNamesEndingInPointersArePassedOverWhereverTheyPoint)
{
    // Back to an earlier name, into the header, into the record's own name, onto
    // the pointer itself, forward into the record's data, and past the end.
    const int second = 12 + 21 + 10 + 3;
    for (int target : {12, 0, 5, second, second + 4, second + 16, 400, 0x3FFF}) {
        DnsMessageBuilder message;
        message.Response(2).Name({"_scanner", "_tcp", "local"}).Other(12, "\x02pp");
        ASSERT_EQ(message.size(), size_t(second));
        message.Labels({"dev"}).Pointer(static_cast<uint16_t>(target)).Txt({"mdl=MERIX M" + std::to_string(target)});
        EXPECT_EQ(Read(message)["mdl=MERIX"], "M" + std::to_string(target)) << "pointer to " << target;
    }
    // A name that is only a pointer to itself.
    DnsMessageBuilder self;
    self.Response(1).Pointer(12).Txt({"SERIAL=SELF"});
    EXPECT_EQ(Read(self)["SERIAL="], "SELF");
}

TEST(AnswerWalk, TruncatedMessagesKeepWhatWasReadBefore)
{
    DnsMessageBuilder good;
    good.Response(2).Name({"a"}).Txt({"mdl=MERIX FIRST"});
    size_t secondRecord = good.size();
    good.Name({"b"}).Txt({"SERIAL=SECOND"});

    // Cut anywhere inside the second record: the first record's value stands.
    for (size_t cut = secondRecord; cut < good.size(); ++cut) {
        Dictionary values;
        ASSERT_TRUE(RecvPacket::ReadAnswer(good.bytes.data(), cut, "10.0.0.1", values)) << cut;
        EXPECT_EQ(values, (Dictionary{{"mdl=MERIX", "FIRST"}, {"ipaddr=", "10.0.0.1"}})) << cut;
    }
    // Cut inside the first record, or inside the header: nothing.
    for (size_t cut = 0; cut < secondRecord; ++cut) {
        Dictionary values{{"keep", "me"}};
        EXPECT_FALSE(RecvPacket::ReadAnswer(good.bytes.data(), cut, "10.0.0.1", values)) << cut;
        EXPECT_EQ(values, (Dictionary{{"keep", "me"}}));
    }
    // A data length that reaches past the end, and an answer count larger than the records.
    DnsMessageBuilder overlong;
    overlong.Response(0xFFFF).Name({"a"}).Txt({"SERIAL=OK"}).Name({"b"}).Fixed(16, 500).Raw("\x0dSERIAL=LATER!");
    EXPECT_EQ(Read(overlong)["SERIAL="], "OK");
}

TEST(AnswerWalk, LengthBytesDelimitValuesSafely)
{
    // The key at the very start of the text has no length byte before it.
    DnsMessageBuilder atStart;
    atStart.Response(1).Name({"a"}).Other(16, "SERIAL=ABC");
    Read(atStart, false);
    // A length byte shorter than the key, and one reaching past the text.
    DnsMessageBuilder shortLength;
    shortLength.Response(1).Name({"a"}).Other(16, "\x03SERIAL=ABC");
    Read(shortLength, false);
    DnsMessageBuilder pastText;
    pastText.Response(1).Name({"a"}).Other(16, "\x20SERIAL=ABC");
    Read(pastText, false);
    // Text ends at a zero byte inside the data, even within a character-string.
    DnsMessageBuilder zeroInside;
    zeroInside.Response(1).Name({"a"}).Other(16, std::string("\x0aSERIAL=A\0C", 11));
    Read(zeroInside, false);
}

TEST(AnswerWalk, BytesAbove127NeverStopTheWalk)
{
    // Valid UTF-8 is kept; a value with invalid bytes yields nothing, the others stand.
    Dictionary values = Read(OneTxt({"device=B\xC3\xBCro 2", "SERIAL=\xFF\xFE", "mdl=MERIX M\x80"}));
    EXPECT_EQ(values["device="], "B\xC3\xBCro 2");
    EXPECT_EQ(values.count("SERIAL="), 0u);
    EXPECT_EQ(values.count("mdl=MERIX"), 0u);
    // A character-string longer than 127 bytes has a length byte above 127.
    std::string longName(200, 'n');
    EXPECT_EQ(Read(OneTxt({"txtvers=1", "device=" + longName}))["device="], longName);
    // Surrogates and over-long forms are not valid UTF-8.
    Read(OneTxt({"device=\xED\xA0\x80", "SERIAL=\xC0\xAF"}), false);
}

TEST(AnswerWalk, AddsToTheCallersDictionaryOnlyOnSuccess)
{
    Dictionary dictionary{{"device=", "old"}, {"other", "kept"}};
    DnsMessageBuilder message = OneTxt({"device=new"});
    ASSERT_TRUE(RecvPacket::ReadAnswer(message.bytes.data(), message.size(), "127.0.0.9", dictionary));
    EXPECT_EQ(dictionary, (Dictionary{{"device=", "new"}, {"other", "kept"}, {"ipaddr=", "127.0.0.9"}}));

    DnsMessageBuilder query;
    query.Header(0, 1, 0).Name({"_scanner", "_tcp", "local"}).U16(12).U16(1);
    EXPECT_FALSE(RecvPacket::ReadAnswer(query.bytes.data(), query.size(), "127.0.0.9", dictionary));
    EXPECT_FALSE(RecvPacket::ReadAnswer(nullptr, 100, "127.0.0.9", dictionary));
    EXPECT_EQ(dictionary.size(), 3u);
}

TEST(ScannerName, IsModelDeviceSerialWithEmptyTextForMissingValues)
{
    EXPECT_EQ(DiscoveryManager::ScannerNameFromAnswer(
                  {{"mdl=MERIX", "MODEL07"}, {"device=", "Lobby"}, {"SERIAL=", "ABC123"}, {"ipaddr=", "1.2.3.4"}}),
              "MODEL07:Lobby:ABC123");
    EXPECT_EQ(DiscoveryManager::ScannerNameFromAnswer({{"mdl=MERIX", "MODEL07"}}), "MODEL07::");
    EXPECT_EQ(DiscoveryManager::ScannerNameFromAnswer({{"SERIAL=", "S"}, {"ethaddr=", "e"}}), "::S");
}

} // namespace
