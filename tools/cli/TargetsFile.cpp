#include "TargetsFile.h"

#include <arpa/inet.h>
#include <sys/stat.h>

#include <map>

#include "LocalizedStrings.h"
#include "SmallFile.h"
#include "UsageError.h"

namespace {
bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

UsageError cannotRead(const std::string& path)
{
    return UsageError(LocalizedStrings::format("CliErrorTargetsOpen", {path}));
}
} // namespace

std::vector<TargetsFile::Target> TargetsFile::read(const std::string& path, bool& readableByOthers)
{
    const auto file = SmallFile::read(path, kMaximumSize);
    if (file.status != SmallFile::Status::Read) {
        throw cannotRead(path);
    }
    readableByOthers = (file.mode & (S_IRGRP | S_IROTH)) != 0;
    auto targets = parse(file.bytes);
    if (targets.empty()) {
        throw UsageError(LocalizedStrings::format("CliErrorTargetsEmpty", {path}));
    }
    return targets;
}

std::vector<TargetsFile::Target> TargetsFile::parse(const std::string& content)
{
    std::vector<Target> targets;
    // Line of each address so far. Two runs on one scanner would fight for its
    // lock, so a scanner is listed once.
    std::map<in_addr_t, std::size_t> lineOfAddress;
    std::size_t start = 0;
    std::size_t number = 0;
    while (start < content.size()) {
        const auto end = content.find('\n', start);
        std::string line = content.substr(start, end == std::string::npos ? std::string::npos : end - start);
        start = end == std::string::npos ? content.size() : end + 1;
        ++number;
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        std::size_t i = 0;
        while (i < line.size() && isBlank(line[i])) {
            ++i;
        }
        if (i == line.size() || line[i] == '#') {
            continue;
        }
        std::size_t addressEnd = i;
        while (addressEnd < line.size() && !isBlank(line[addressEnd])) {
            ++addressEnd;
        }
        Target target;
        target.address = line.substr(i, addressEnd - i);
        std::size_t passwordStart = addressEnd;
        while (passwordStart < line.size() && isBlank(line[passwordStart])) {
            ++passwordStart;
        }
        target.password = line.substr(passwordStart);
        target.line = number;
        in_addr parsed{};
        const bool malformed = line.find('\0') != std::string::npos ||
                               ::inet_pton(AF_INET, target.address.c_str(), &parsed) != 1;
        if (malformed) {
            throw UsageError(LocalizedStrings::format("CliErrorTargetsLine", {std::to_string(number)}));
        }
        const auto [first, isNew] = lineOfAddress.emplace(parsed.s_addr, number);
        if (!isNew) {
            throw UsageError(LocalizedStrings::format(
                "CliErrorTargetsDuplicate", {std::to_string(number), target.address, std::to_string(first->second)}));
        }
        targets.push_back(std::move(target));
    }
    return targets;
}
