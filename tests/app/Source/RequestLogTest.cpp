// The request log, written from several threads at once: whole lines, each
// writer's in its order, turned over at its size limit, for the user alone.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <string>
#include <thread>
#include <vector>

#include "FWKVXSDK/ScratchFolder.h"
#include "FWKVXSDK/WebApiTrace.h"
#include "RequestLog.h"

namespace fs = std::filesystem;

TEST(RequestLog, ManyThreadsWriteWholeLinesAndTheFileTurnsOverAtOneMebibyte)
{
    ScratchFolder home;
    const std::string ownHome = std::getenv("HOME") ? std::getenv("HOME") : "";
    ::setenv("HOME", home.path().c_str(), 1);
    ::unsetenv("XDG_STATE_HOME");
    EXPECT_EQ(RequestLog::filePath(), home.path().string() + "/.local/state/fernwick-vantix/requests.log");
    ASSERT_EQ(RequestLog::start(), 0);
    // A control character in what the trace reports cannot split a line.
    WebApiTrace::Entry entry;
    entry.method = "GET";
    entry.url = "https://127.0.0.2/api/v1/scanners/\nforged";
    entry.status = 200;
    WebApiTrace::report(entry);
    constexpr int kThreads = 4;
    constexpr int kLines = 300; // about 1.2 MB in all: one turn-over
    {
        std::vector<std::jthread> writers;
        for (int t = 0; t < kThreads; ++t) {
            writers.emplace_back([t] {
                for (int i = 0; i < kLines; ++i) {
                    RequestLog::write("writer " + std::to_string(t) + " line " + std::to_string(i) + " " +
                                      std::string(1000, 'x'));
                }
            });
        }
    }
    RequestLog::stop();
    RequestLog::write("after the stop: nowhere");

    std::vector<std::string> lines;
    for (const std::string& path : {RequestLog::filePath() + ".1", RequestLog::filePath()}) {
        EXPECT_EQ(fs::status(path).permissions(), fs::perms(0600)) << path;
        EXPECT_LE(fs::file_size(path), RequestLog::kSizeLimit) << path;
        std::ifstream file(path);
        for (std::string line; std::getline(file, line);) {
            lines.push_back(line);
        }
    }
    EXPECT_EQ(fs::status(RequestLog::folderPath()).permissions(), fs::perms(0700));
    ASSERT_EQ(lines.size(), 1u + kThreads * kLines);
    EXPECT_TRUE(std::regex_match(lines[0], std::regex(".* GET https://127\\.0\\.0\\.2/api/v1/scanners/\\?forged -> 200 .*")))
        << lines[0];
    const std::regex written("\\S+ writer (\\d) line (\\d+) x{1000}");
    std::vector<int> next(kThreads, 0);
    for (std::size_t at = 1; at < lines.size(); ++at) {
        std::smatch match;
        ASSERT_TRUE(std::regex_match(lines[at], match, written)) << lines[at].substr(0, 60);
        EXPECT_EQ(std::stoi(match[2]), next[std::stoi(match[1])]++) << "each writer's lines in its order";
    }
    ::setenv("HOME", ownHome.c_str(), 1);
}
