// Replays the fuzzer's seed answers through the walk, whole and cut at every
// length, so that the normal and sanitizer builds check them as well.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "FWKVXSDK/DiscoveryManager/UDP/RecvPacket.h"

namespace {

std::vector<uint8_t> ReadFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(AnswerCorpus, EverySeedAndEveryCutOfItIsReadSafely)
{
    size_t seeds = 0;
    size_t withValues = 0;
    for (const auto& entry : std::filesystem::directory_iterator(VANTIX_ANSWER_CORPUS_DIR)) {
        std::vector<uint8_t> bytes = ReadFile(entry.path());
        ++seeds;
        for (size_t cut = 0; cut <= bytes.size(); ++cut) {
            // An exact-size copy, so that a sanitizer sees any read past the end.
            std::vector<uint8_t> prefix(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(cut));
            RecvPacket::Dictionary values;
            bool found = RecvPacket::ReadAnswer(prefix.data(), prefix.size(), "198.51.100.7", values);
            EXPECT_EQ(found, !values.empty()) << entry.path().filename() << " cut at " << cut;
            if (found) {
                EXPECT_EQ(values["ipaddr="], "198.51.100.7");
                withValues += (cut == bytes.size());
            }
        }
    }
    EXPECT_GE(seeds, 10u);
    EXPECT_GE(withValues, 5u);

    RecvPacket::Dictionary example;
    std::vector<uint8_t> bytes = ReadFile(std::filesystem::path(VANTIX_ANSWER_CORPUS_DIR) / "example-model-serial.bin");
    ASSERT_TRUE(RecvPacket::ReadAnswer(bytes.data(), bytes.size(), "192.168.1.20", example));
    EXPECT_EQ(example, (RecvPacket::Dictionary{
                           {"mdl=MERIX", "MODEL07"}, {"SERIAL=", "ABC123"}, {"ipaddr=", "192.168.1.20"}}));

    // The seeds of the whole-message paths: questions, sections, goodbyes.
    const std::pair<const char*, RecvPacket::Dictionary> wholeMessageSeeds[] = {
        {"echoed-question.bin", {{"mdl=MERIX", "M1"}, {"SERIAL=", "Q1"}}},
        {"additional-layout.bin", {{"mdl=MERIX", "M2"}, {"SERIAL=", "A2"}, {"device=", "Desk"}}},
        {"both-sections.bin", {{"mdl=MERIX", "ANSWER"}, {"SERIAL=", "A"}, {"device=", "D"}}},
        {"goodbye.bin", {}},
        {"known-answer-query.bin", {}},
    };
    for (const auto& [file, expected] : wholeMessageSeeds) {
        std::vector<uint8_t> seed = ReadFile(std::filesystem::path(VANTIX_ANSWER_CORPUS_DIR) / file);
        RecvPacket::Dictionary values;
        RecvPacket::ReadAnswer(seed.data(), seed.size(), "192.0.2.1", values);
        values.erase("ipaddr=");
        EXPECT_EQ(values, expected) << file;
    }
}

} // namespace
