#include "TargetsFile.h"

#include <arpa/inet.h>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "LocalizedStrings.h"
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

class Descriptor {
public:
    explicit Descriptor(int fd) : mFd(fd) {}
    ~Descriptor()
    {
        if (mFd >= 0) {
            ::close(mFd);
        }
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return mFd; }

private:
    int mFd;
};
} // namespace

std::vector<TargetsFile::Target> TargetsFile::read(const std::string& path, bool& readableByOthers)
{
    // Non-blocking open, so that a FIFO cannot hang the tool before it is refused.
    const Descriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    struct stat info {};
    if (file.get() < 0 || ::fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode) ||
        static_cast<std::size_t>(info.st_size) > kMaximumSize) {
        throw cannotRead(path);
    }
    readableByOthers = (info.st_mode & (S_IRGRP | S_IROTH)) != 0;

    std::string content;
    char buffer[8192];
    for (;;) {
        const ssize_t got = ::read(file.get(), buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            throw cannotRead(path);
        }
        if (got == 0) {
            break;
        }
        content.append(buffer, static_cast<std::size_t>(got));
        if (content.size() > kMaximumSize) {
            throw cannotRead(path); // grew while being read
        }
    }
    auto targets = parse(content);
    if (targets.empty()) {
        throw UsageError(LocalizedStrings::format("CliErrorTargetsEmpty", {path}));
    }
    return targets;
}

std::vector<TargetsFile::Target> TargetsFile::parse(const std::string& content)
{
    std::vector<Target> targets;
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
        targets.push_back(std::move(target));
    }
    return targets;
}
