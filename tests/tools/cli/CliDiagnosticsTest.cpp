// What the tool says when a scanner cannot be used, and its request trace.
#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <regex>
#include <sstream>
#include <thread>

#include "AppError.h"
#include "CliNetworkFixture.h"

namespace {

using CliDiagnostics = CliNetwork;

// A gzip-compressed answer of the right JSON: unreadable as it arrives.
const std::string kGzipIdentity(
    "\x1f\x8b\x08\x00\x00\x00\x00\x00\x02\x03\xab\x56\x2a\x4e\x4e\xcc\xcb\x4b\x2d\x2a\x56\xb2\x8a\xae\x86\x71\xe2"
    "\x33\x53\x94\xac\x94\xc2\x22\x8c\x94\x74\xe0\x42\x79\x89\xb9\xa9\x40\xc1\xa8\xcc\x82\x82\xd4\x14\xa5\xda\xd8"
    "\x5a\x00\xa6\x28\xac\x23\x3b\x00\x00\x00",
    64);

// The forms in which a password could slip into text.
std::vector<std::string> Disguises(const std::string& password)
{
    static const char* const kBase64 = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string base64;
    for (size_t i = 0; i + 2 < password.size(); i += 3) { // whole groups are enough to be recognised
        uint32_t group = (uint8_t(password[i]) << 16) | (uint8_t(password[i + 1]) << 8) | uint8_t(password[i + 2]);
        for (int shift = 18; shift >= 0; shift -= 6) {
            base64 += kBase64[(group >> shift) & 0x3F];
        }
    }
    std::string hex;
    for (char c : password) {
        static const char* const kDigits = "0123456789abcdef";
        hex += kDigits[uint8_t(c) >> 4];
        hex += kDigits[uint8_t(c) & 0xF];
    }
    std::string percent = std::regex_replace(password, std::regex("-"), "%2D");
    return {password, base64, hex, percent};
}

TEST_F(CliDiagnostics, IdentifyFailsWhenTheAnswerHoldsNoReadableIdentifier)
{
    const auto shape = folder.write("shape.json", R"({"scanner":{"id":"VX3","name":"Other firmware"}})");
    const auto zipped = folder.write("zipped.bin", kGzipIdentity);
    start({"--scanner", "ip=127.0.0.2,fault.identify.body=notjson", "--scanner",
           "ip=127.0.0.3,fault.identify.body-file=" + shape.string(), "--scanner",
           "ip=127.0.0.4,fault.identify.body-file=" + zipped.string()});
    for (const char* ip : {"127.0.0.2", "127.0.0.3", "127.0.0.4"}) {
        SCOPED_TRACE(ip);
        const auto run = runVantix({"identify", ip, "--json"});
        EXPECT_EQ(run.status, 1);
        ASSERT_EQ(run.outJson().size(), 1u);
        const std::string message = LocalizedStrings::format("CliErrorUnreadableIdentity", {ip});
        EXPECT_EQ(run.outJson()[0],
                  nlohmann::json({{"result", AppError::NoDetectScanner}, {"message", message}, {"reason", "unreadable"}}));
    }
    const auto traced = runVantix({"--verbose", "identify", "127.0.0.4"});
    EXPECT_TRUE(std::regex_match(traced.err, std::regex("GET https://127\\.0\\.0\\.4/api/v1/scanners/ -> 200, "
                                                        "unreadable answer \\(\\d+ ms\\)\n" +
                                                        LocalizedStrings::format("CliErrorUnreadableIdentity",
                                                                                 {"127.0.0.4"}) +
                                                        "\n")))
        << traced.err;
}

TEST_F(CliDiagnostics, VerboseTraceTellsFailuresApartAndKeepsTheMessages)
{
    start({"--scanner", "ip=127.0.0.2,fault.identify.status=404"});
    const auto missing = runVantix({"--verbose", "identify", "127.0.0.2"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_TRUE(std::regex_match(missing.err, std::regex("GET https://127\\.0\\.0\\.2/api/v1/scanners/ -> HTTP "
                                                         "status 404 \\(\\d+ ms\\)\n" +
                                                         en("ErrorNoDetectScanner") + " " +
                                                         LocalizedStrings::format("ReasonHttpStatus", {"404"}) + "\n")))
        << missing.err;
    const auto refused = runVantix({"--verbose", "identify", "127.0.0.9"});
    EXPECT_EQ(refused.status, 1);
    EXPECT_TRUE(std::regex_match(refused.err, std::regex("GET https://127\\.0\\.0\\.9/api/v1/scanners/ -> "
                                                         "connection refused \\(\\d+ ms\\)\n" +
                                                         en("ErrorNoDetectScanner") + " " + en("ReasonRefused") +
                                                         "\n")))
        << refused.err;
    // Without --verbose only the message, with its reason.
    EXPECT_EQ(runVantix({"identify", "127.0.0.9"}).err, en("ErrorNoDetectScanner") + " " + en("ReasonRefused") + "\n");

    // A TLS peer offering only anonymous ciphers, which no scanner connection takes.
    const pid_t tls = ::fork();
    if (tls == 0) {
        ::execlp("openssl", "openssl", "s_server", "-quiet", "-nocert", "-no_tls1_3", "-cipher", "aNULL:@SECLEVEL=0",
                 "-accept", "127.0.0.7:443", static_cast<char*>(nullptr));
        ::_exit(127);
    }
    const auto accepts = [] {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(443);
        ::inet_pton(AF_INET, "127.0.0.7", &address.sin_addr);
        const int probe = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        const bool connected = ::connect(probe, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
        ::close(probe);
        return connected;
    };
    for (int tries = 0; tries < 500 && !accepts(); ++tries) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    const auto handshake = runVantix({"identify", "127.0.0.7", "--json"});
    EXPECT_EQ(handshake.status, 1);
    ASSERT_EQ(handshake.outJson().size(), 1u) << handshake.out;
    EXPECT_EQ(handshake.outJson()[0]["reason"], "tls");
    EXPECT_EQ(handshake.outJson()[0]["message"], en("ErrorNoDetectScanner") + " " + en("ReasonTls"));
    ::kill(tls, SIGTERM);
    ::waitpid(tls, nullptr, 0);
}

TEST_F(CliDiagnostics, RunsNameTheReasonOfTheRequestThatFailedInJson)
{
    start({"--scanner", "ip=127.0.0.2,password=pw,fault.delete.status=404", "--scanner", "ip=127.0.0.4,password=pw"});
    const auto json = runVantix({"register", "--scanner", "127.0.0.2", "--json"}, "pw\n");
    EXPECT_EQ(json.status, 1);
    ASSERT_FALSE(json.outJson().empty());
    EXPECT_EQ(json.outJson().back(),
              nlohmann::json({{"result", AppError::FailedToBulkRegistJob},
                              {"message", en("ErrorFailedToBulkRegistJob") + " " +
                                              LocalizedStrings::format("ReasonHttpStatus", {"404"})},
                              {"reason", "http-404"}}));

    const auto rows = runVantix({"bulk-register", "--targets",
                                 folder.write("targets", "127.0.0.2 pw\n127.0.0.9 pw\n127.0.0.4 wrong\n").string(),
                                 "--json"})
                          .outJson();
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[1]["reason"], "refused");
    EXPECT_FALSE(rows[2].contains("reason")) << "the scanner refused the password itself";
}

TEST_F(CliDiagnostics, VerboseRegisterShowsEveryRequestAndNoPassword)
{
    const std::string share = "share-secret-7Q";
    const std::string job = "job-secret-4K";
    ASSERT_EQ(runVantix({"jobs", "edit", "1", "--user", "scan", "--share-password-stdin"}, share + "\n").status, 0);
    start({"--scanner", "ip=127.0.0.2,password=" + job});
    const auto plain = runVantix({"register", "--scanner", "127.0.0.2"}, job + "\n");
    const auto run = runVantix({"--verbose", "register", "--scanner", "127.0.0.2"}, job + "\n");
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, plain.out) << "standard output is the same with the trace";

    // identify, lock, 99 job slots, unlock: one line each, with status and time.
    const std::regex line("(GET|POST|PUT|DELETE) https://127\\.0\\.0\\.2/api/v1/[^ ]* -> 200 \\(\\d+ ms\\)");
    std::vector<std::string> lines;
    std::istringstream err(run.err);
    for (std::string text; std::getline(err, text);) {
        EXPECT_TRUE(std::regex_match(text, line)) << text;
        lines.push_back(text);
    }
    ASSERT_EQ(lines.size(), 102u);
    EXPECT_EQ(lines[0].rfind("GET https://127.0.0.2/api/v1/scanners/ ", 0), 0u);
    EXPECT_EQ(lines[2].rfind("PUT https://127.0.0.2/api/v1/job/settings ", 0), 0u);
    EXPECT_EQ(lines[3].rfind("DELETE https://127.0.0.2/api/v1/job/settings ", 0), 0u);

    // The scanner did receive both passwords; the tool's output holds neither.
    std::string received;
    for (const auto& request : sim->Requests()) {
        received += request.value("body", "");
    }
    for (const std::string& password : {share, job}) {
        ASSERT_NE(received.find(password), std::string::npos) << "the run must carry " << password;
        for (const std::string& form : Disguises(password)) {
            EXPECT_EQ(run.out.find(form), std::string::npos) << form;
            EXPECT_EQ(run.err.find(form), std::string::npos) << form;
        }
    }
}

} // namespace
