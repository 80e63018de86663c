// The application's request log: where it is, who may read it, and how it
// stays under its size limit while several threads write.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdlib>
#include <fstream>
#include <regex>
#include <string>
#include <thread>
#include <vector>

#include "FWKVXSDK/ScratchFolder.h"
#include "FWKVXSDK/WebApiTrace.h"
#include "RequestLog.h"

namespace {
mode_t modeOf(const std::string& path)
{
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 ? info.st_mode & 0777 : 0;
}

std::vector<std::string> linesOf(const std::string& path)
{
    std::vector<std::string> lines;
    std::ifstream file(path);
    for (std::string line; std::getline(file, line);) {
        lines.push_back(line);
    }
    return lines;
}
} // namespace

TEST(RequestLog, ManyThreadsWriteWholeLinesAndTheFileTurnsOverAtOneMebibyte)
{
    ScratchFolder home;
    const std::string ownHome = std::getenv("HOME") ? std::getenv("HOME") : "";
    ::setenv("HOME", home.path().c_str(), 1);
    ::unsetenv("XDG_STATE_HOME");
    EXPECT_EQ(RequestLog::filePath(), home.path().string() + "/.local/state/fernwick-vantix/requests.log");
    ASSERT_EQ(RequestLog::start(), 0);
    // What the trace reports becomes a line; a control character cannot split one.
    WebApiTrace::Entry entry;
    entry.method = "GET";
    entry.url = "https://127.0.0.2/api/v1/scanners/\nforged";
    entry.status = 200;
    WebApiTrace::report(entry);

    constexpr int kThreads = 4;
    constexpr int kLines = 300; // about 1.2 MB in all: one turn-over
    const std::string padding(1000, 'x');
    std::vector<std::thread> writers;
    for (int t = 0; t < kThreads; ++t) {
        writers.emplace_back([&, t] {
            for (int i = 0; i < kLines; ++i) {
                RequestLog::write("writer " + std::to_string(t) + " line " + std::to_string(i) + " " + padding);
            }
        });
    }
    for (auto& writer : writers) {
        writer.join();
    }
    RequestLog::stop();
    RequestLog::write("after the stop: nowhere");

    const std::string current = RequestLog::filePath();
    const std::string older = current + ".1";
    EXPECT_EQ(modeOf(current), 0600u);
    EXPECT_EQ(modeOf(older), 0600u);
    std::vector<std::string> lines = linesOf(older);
    for (const auto& line : linesOf(current)) {
        lines.push_back(line);
    }
    ASSERT_EQ(lines.size(), 1u + kThreads * kLines);
    const std::regex traced(".* GET https://127\\.0\\.0\\.2/api/v1/scanners/\\?forged -> 200 \\(0 ms\\)");
    EXPECT_TRUE(std::regex_match(lines[0], traced)) << lines[0];
    const std::regex written("\\d{4}-\\d\\d-\\d\\dT[0-9:.]{12}[+-]\\d{4} writer (\\d) line (\\d+) x{1000}");
    std::vector<int> next(kThreads, 0);
    for (std::size_t at = 1; at < lines.size(); ++at) {
        std::smatch match;
        ASSERT_TRUE(std::regex_match(lines[at], match, written)) << lines[at].substr(0, 60);
        const int writer = std::stoi(match[1]);
        EXPECT_EQ(std::stoi(match[2]), next[writer]++) << "each writer's lines in its order";
    }
    for (const auto& path : {current, older}) {
        struct stat info {};
        ASSERT_EQ(::stat(path.c_str(), &info), 0);
        EXPECT_LE(info.st_size, static_cast<off_t>(RequestLog::kSizeLimit)) << path;
    }
    EXPECT_EQ(modeOf(RequestLog::folderPath()), 0700u);
    ::setenv("HOME", ownHome.c_str(), 1);
}
