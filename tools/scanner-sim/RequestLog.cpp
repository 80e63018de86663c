#include "RequestLog.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include <nlohmann/json.hpp>

RequestLog::~RequestLog()
{
    if (mFd >= 0) {
        close(mFd);
    }
}

bool RequestLog::Open(const std::string& path, std::string& error)
{
    int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_APPEND | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) {
        error = "cannot open " + path + ": " + std::strerror(errno);
        return false;
    }
    // An existing file keeps its old mode through O_CREAT; tighten it.
    if (fchmod(fd, 0600) != 0) {
        error = "cannot restrict " + path + ": " + std::strerror(errno);
        close(fd);
        return false;
    }
    std::lock_guard<std::mutex> guard(mLock);
    if (mFd >= 0) {
        close(mFd);
    }
    mFd = fd;
    return true;
}

void RequestLog::Write(const Entry& entry)
{
    std::string line = ToJsonLine(entry) + "\n";
    std::lock_guard<std::mutex> guard(mLock);
    if (mFd < 0) {
        return;
    }
    const char* data = line.data();
    size_t left = line.size();
    while (left > 0) {
        ssize_t written = write(mFd, data, left);
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return;
        }
        data += written;
        left -= static_cast<size_t>(written);
    }
}

std::string RequestLog::ToJsonLine(const Entry& entry)
{
    nlohmann::ordered_json line;
    line["scanner"] = entry.scanner;
    line["method"] = entry.method;
    line["path"] = entry.path;
    nlohmann::ordered_json headers = nlohmann::ordered_json::array();
    for (const auto& [name, value] : entry.headers) {
        headers.push_back({name, value});
    }
    line["headers"] = std::move(headers);
    line["body"] = entry.body;
    // Bytes that are not UTF-8 are replaced rather than dropping the line.
    return line.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

std::vector<std::pair<std::string, std::string>> RequestLog::ParseHeaderLines(const std::string& head)
{
    std::vector<std::pair<std::string, std::string>> headers;
    size_t end = head.find("\r\n\r\n");
    std::string block = head.substr(0, end == std::string::npos ? head.size() : end);
    size_t pos = block.find("\r\n"); // skip the request line
    while (pos != std::string::npos) {
        pos += 2;
        size_t next = block.find("\r\n", pos);
        std::string line = block.substr(pos, next == std::string::npos ? std::string::npos : next - pos);
        pos = next;
        size_t colon = line.find(':');
        if (colon == std::string::npos) {
            continue;
        }
        std::string value = line.substr(colon + 1);
        size_t first = value.find_first_not_of(" \t");
        size_t last = value.find_last_not_of(" \t");
        value = first == std::string::npos ? std::string() : value.substr(first, last - first + 1);
        headers.emplace_back(line.substr(0, colon), value);
    }
    return headers;
}
