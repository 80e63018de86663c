// The simulator's multicast-DNS answers: which datagrams it answers, and what
// its answers carry. No network here.
#include <gtest/gtest.h>

#include "FWKVXSDK/DiscoveryManager/DiscoveryManager.h"
#include "FWKVXSDK/DiscoveryManager/UDP/RecvPacket.h"
#include "MdnsResponder.h"

namespace {

std::vector<uint8_t> Query(const std::vector<std::vector<uint8_t>>& questions, uint16_t flags = 0)
{
    std::vector<uint8_t> out = {0, 0, uint8_t(flags >> 8), uint8_t(flags), 0, uint8_t(questions.size()),
                                0, 0, 0, 0, 0, 0};
    for (const auto& question : questions) {
        out.insert(out.end(), question.begin(), question.end());
    }
    return out;
}

std::vector<uint8_t> Question(const std::vector<std::string>& labels, uint16_t type = 12, uint16_t qclass = 1)
{
    std::vector<uint8_t> out;
    for (const std::string& label : labels) {
        out.push_back(uint8_t(label.size()));
        out.insert(out.end(), label.begin(), label.end());
    }
    out.push_back(0);
    for (uint16_t value : {type, qclass}) {
        out.push_back(uint8_t(value >> 8));
        out.push_back(uint8_t(value));
    }
    return out;
}

bool Answers(const std::vector<uint8_t>& datagram)
{
    return MdnsResponder::IsScannerQuery(datagram.data(), datagram.size());
}

TEST(MdnsResponderQueries, AnswersPtrQueriesForTheScannerService)
{
    EXPECT_TRUE(Answers(*DiscoveryManager::MakeSendPacket()));
    EXPECT_TRUE(Answers(Query({Question({"_SCANNER", "_TCP", "Local"})})));
    EXPECT_TRUE(Answers(Query({Question({"_scanner", "_tcp", "local"}, 12, 0x8001)}))); // unicast answer asked
    EXPECT_TRUE(Answers(Query({Question({"_printer", "_tcp", "local"}), Question({"_scanner", "_tcp", "local"})})));
}

TEST(MdnsResponderQueries, IgnoresEverythingElse)
{
    EXPECT_FALSE(Answers(Query({Question({"_printer", "_tcp", "local"})})));
    EXPECT_FALSE(Answers(Query({Question({"_scanner", "_tcp", "local"}, 1)})));     // A
    EXPECT_FALSE(Answers(Query({Question({"_scanner", "_tcp", "local"}, 12, 3)}))); // not IN
    EXPECT_FALSE(Answers(Query({Question({"_scanner", "_tcp", "local"})}, 0x8400))); // a response
    EXPECT_FALSE(Answers(Query({})));
    // Its own answers.
    ScannerConfig scanner;
    scanner.model = "M";
    EXPECT_FALSE(Answers(MdnsResponder::BuildAnswer(scanner)));
    // Cut short anywhere.
    std::vector<uint8_t> query = *DiscoveryManager::MakeSendPacket();
    for (size_t cut = 0; cut < query.size(); ++cut) {
        EXPECT_FALSE(MdnsResponder::IsScannerQuery(query.data(), cut)) << cut;
    }
}

TEST(MdnsResponderAnswers, CarryTheConfiguredValuesInTheLayoutDiscoveryReads)
{
    ScannerConfig scanner;
    scanner.model = "MODEL07";
    scanner.name = "Front desk";
    scanner.serial = "ABC123";
    scanner.mac = "00:00:5e:00:53:01";
    std::vector<uint8_t> answer = MdnsResponder::BuildAnswer(scanner);
    ASSERT_GE(answer.size(), 12u);
    EXPECT_EQ(answer[2], 0x84); // response, authoritative
    EXPECT_EQ(answer[3], 0x00);
    EXPECT_EQ(answer[5], 0);    // no questions
    EXPECT_GE(answer[7], 1);    // answers

    RecvPacket::Dictionary values;
    ASSERT_TRUE(RecvPacket::ReadAnswer(answer.data(), answer.size(), "127.0.0.2", values));
    EXPECT_EQ(values, (RecvPacket::Dictionary{{"mdl=MERIX", "MODEL07"},
                                              {"device=", "Front desk"},
                                              {"SERIAL=", "ABC123"},
                                              {"ethaddr=", "00:00:5e:00:53:01"},
                                              {"ipaddr=", "127.0.0.2"}}));
}

TEST(MdnsResponderAnswers, LeaveOutWhatIsNotConfigured)
{
    ScannerConfig scanner;
    scanner.name = std::string(100, 'd'); // longer than one DNS label
    scanner.serial = "";
    std::vector<uint8_t> answer = MdnsResponder::BuildAnswer(scanner);
    RecvPacket::Dictionary values;
    ASSERT_TRUE(RecvPacket::ReadAnswer(answer.data(), answer.size(), "127.0.0.3", values));
    EXPECT_EQ(values, (RecvPacket::Dictionary{
                          {"device=", std::string(100, 'd')}, {"SERIAL=", ""}, {"ipaddr=", "127.0.0.3"}}));

    RecvPacket::Dictionary none;
    std::vector<uint8_t> empty = MdnsResponder::BuildAnswer(ScannerConfig{});
    EXPECT_FALSE(RecvPacket::ReadAnswer(empty.data(), empty.size(), "127.0.0.3", none));
}

TEST(MdnsResponderAnswers, AdditionalLayoutAndGoodbyes)
{
    ScannerConfig scanner;
    scanner.ip = "127.0.0.7";
    scanner.model = "MODEL07";
    scanner.serial = "ABC123";
    scanner.mdnsAdditionalLayout = true;
    std::vector<uint8_t> answer = MdnsResponder::BuildAnswer(scanner);
    ASSERT_GE(answer.size(), 12u);
    EXPECT_EQ(std::vector<uint8_t>(answer.begin() + 4, answer.begin() + 12),
              (std::vector<uint8_t>{0, 0, 0, 1, 0, 0, 0, 3})) << "one answer, three additional records";
    // The A record, last, carries the scanner's address.
    EXPECT_EQ(std::vector<uint8_t>(answer.end() - 6, answer.end()), (std::vector<uint8_t>{0, 4, 127, 0, 0, 7}));
    RecvPacket::Dictionary values;
    ASSERT_TRUE(RecvPacket::ReadAnswer(answer.data(), answer.size(), "127.0.0.7", values));
    EXPECT_EQ(values,
              (RecvPacket::Dictionary{{"mdl=MERIX", "MODEL07"}, {"SERIAL=", "ABC123"}, {"ipaddr=", "127.0.0.7"}}));

    // A goodbye in either layout: the same records with time-to-live 0, which discovery ignores.
    for (bool additional : {false, true}) {
        scanner.mdnsAdditionalLayout = additional;
        scanner.mdnsTtl = 0;
        std::vector<uint8_t> goodbye = MdnsResponder::BuildAnswer(scanner);
        RecvPacket::Dictionary none;
        EXPECT_FALSE(RecvPacket::ReadAnswer(goodbye.data(), goodbye.size(), "127.0.0.7", none)) << additional;
    }
}

} // namespace
