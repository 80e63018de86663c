// The simulator's command line.
#include <gtest/gtest.h>

#include "SimOptions.h"

namespace {

bool Parse(std::vector<std::string> words, SimOptions& options, std::string& error)
{
    words.insert(words.begin(), "vantix-scanner-sim");
    std::vector<const char*> argv;
    for (const std::string& word : words) {
        argv.push_back(word.c_str());
    }
    return SimOptions::Parse(static_cast<int>(argv.size()), argv.data(), options, error);
}

TEST(SimOptions, ScannerKeysAreTypedAndEveryPairIsKept)
{
    SimOptions options;
    std::string error;
    ASSERT_TRUE(Parse({"--scanner", "model=M7,name=Front desk,serial=S1,mac=00:11,mdns-delay-ms=250,id=42,password=x",
                       "--scanner=ip=127.0.0.9,mdns-twice=1000,mdns-max=2,mdns=off,conn-type=number,"
                       "mdns-layout=additional,mdns-ttl=0",
                       "--scanner", "model=only"},
                      options, error))
        << error;
    ASSERT_EQ(options.scanners.size(), 3u);

    const ScannerConfig& first = options.scanners[0];
    EXPECT_EQ(first.model, "M7");
    EXPECT_EQ(first.name, "Front desk");
    EXPECT_EQ(first.serial, "S1");
    EXPECT_EQ(first.mac, "00:11");
    EXPECT_EQ(first.ip, "127.0.0.2");
    EXPECT_EQ(first.mdnsDelayMs, 250);
    EXPECT_FALSE(first.mdnsTwiceGapMs);
    EXPECT_TRUE(first.mdns);
    EXPECT_FALSE(first.mdnsAdditionalLayout);
    EXPECT_EQ(first.mdnsTtl, 4500u);
    // Keys of other parts of the simulator stay available, with the typed ones.
    EXPECT_EQ(first.settings.at("id"), "42");
    EXPECT_EQ(first.settings.at("password"), "x");
    EXPECT_EQ(first.settings.at("model"), "M7");
    EXPECT_EQ(first.settings.size(), 7u);

    const ScannerConfig& second = options.scanners[1];
    EXPECT_EQ(second.ip, "127.0.0.9");
    EXPECT_EQ(second.mdnsTwiceGapMs, 1000);
    EXPECT_EQ(second.mdnsMaxQueries, 2);
    EXPECT_FALSE(second.mdns);
    EXPECT_TRUE(second.mdnsAdditionalLayout);
    EXPECT_EQ(second.mdnsTtl, 0u);
    EXPECT_FALSE(second.model);
    EXPECT_EQ(second.settings.at("conn-type"), "number");

    EXPECT_EQ(options.scanners[2].ip, "127.0.0.4"); // the default follows the position
    EXPECT_EQ(options.globals.count("--scanner"), 1u);
}

TEST(SimOptions, GlobalOptions)
{
    SimOptions options;
    std::string error;
    ASSERT_TRUE(Parse({"--run-for", "2.5", "--no-mdns"}, options, error)) << error;
    EXPECT_EQ(options.runForSeconds, 2.5);
    EXPECT_TRUE(options.noMdns);
    EXPECT_FALSE(options.help);
    EXPECT_TRUE(options.scanners.empty());

    ASSERT_TRUE(Parse({"--run-for=0.2", "--help"}, options, error)) << error;
    EXPECT_EQ(options.runForSeconds, 0.2);
    EXPECT_TRUE(options.help);
    EXPECT_NE(SimOptions::Usage().find("--scanner"), std::string::npos);
}

TEST(SimOptions, FleetFollowsTheGivenScannersWithGeneratedNamesAndSharedKeys)
{
    SimOptions options;
    std::string error;
    ASSERT_TRUE(Parse({"--fleet", "3", "--scanner", "name=Desk,request-delay-ms=5", "--fleet-keys",
                       "password=pw,model=M9", "--request-delay-ms", "20"},
                      options, error))
        << error;
    ASSERT_EQ(options.scanners.size(), 4u);
    EXPECT_EQ(options.scanners[0].name, "Desk");
    EXPECT_EQ(options.scanners[0].settings.at("request-delay-ms"), "5") << "a scanner's own delay wins";
    const ScannerConfig& first = options.scanners[1];
    EXPECT_EQ(first.ip, "127.0.0.3");
    EXPECT_EQ(first.name, "Fleet scanner 1");
    EXPECT_EQ(first.serial, "FS0001");
    EXPECT_EQ(first.model, "M9") << "the fleet keys come last";
    EXPECT_EQ(first.settings.at("password"), "pw");
    EXPECT_EQ(first.settings.at("request-delay-ms"), "20");
    EXPECT_EQ(options.scanners[3].ip, "127.0.0.5");
    EXPECT_EQ(options.scanners[3].serial, "FS0003");

    ASSERT_TRUE(Parse({"--fleet", "253"}, options, error)) << error;
    EXPECT_EQ(options.scanners.back().ip, "127.0.0.254");
    EXPECT_EQ(options.scanners.back().name, "Fleet scanner 253");
    EXPECT_EQ(options.scanners.back().settings.count("request-delay-ms"), 0u);
}

TEST(SimOptions, BadInputIsRefusedWithAReason)
{
    const std::vector<std::vector<std::string>> bad = {
        {"--unknown"},
        {"--run-for"},
        {"--run-for", "soon"},
        {"--run-for", "-1"},
        {"--run-for", "nan"},
        {"--no-mdns=yes"},
        {"--scanner", "model"},
        {"--scanner", "=x"},
        {"--scanner", "ip=127.0.0"},
        {"--scanner", "ip=::1"},
        {"--scanner", "mdns-delay-ms=-5"},
        {"--scanner", "mdns-delay-ms=10ms"},
        {"--scanner", "mdns-twice="},
        {"--scanner", "mdns-max=many"},
        {"--scanner", "mdns=maybe"},
        {"--scanner", "mdns-layout=authority"},
        {"--scanner", "mdns-ttl=-1"},
        {"--scanner", "model=" + std::string(246, 'm')},
        {"--scanner", "name=" + std::string(249, 'n')},
        {"--fleet", "0"},
        {"--fleet", "254"},
        {"--scanner", "name=x", "--fleet", "253"}, // beyond 127.0.0.254
        {"--fleet", "2", "--fleet-keys", "password=a,ip=127.0.0.9"},
        {"--fleet-keys", "password=a"},
        {"--request-delay-ms", "-1"},
        {"--request-delay-ms", "20ms"},
    };
    for (const auto& words : bad) {
        SimOptions options;
        std::string error;
        EXPECT_FALSE(Parse(words, options, error)) << words.front() << " " << (words.size() > 1 ? words[1] : "");
        EXPECT_FALSE(error.empty());
    }
    SimOptions options;
    std::string error;
    EXPECT_TRUE(Parse({"--scanner", "model=" + std::string(245, 'm')}, options, error)) << error;
}

} // namespace
