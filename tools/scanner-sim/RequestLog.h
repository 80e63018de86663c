#pragma once

#include <mutex>
#include <string>
#include <utility>
#include <vector>

// The simulator's record of every request it received, one JSON object per
// line: {"scanner","method","path","headers":[[name,value],...],"body"}.
// Headers keep the order and spelling in which they arrived. The file holds job
// passwords, so it is created readable by its owner only.
class RequestLog {
public:
    struct Entry {
        std::string scanner; // the address that received the request
        std::string method;
        std::string path;    // with the query, as sent
        std::vector<std::pair<std::string, std::string>> headers;
        std::string body;
    };

    RequestLog() = default;
    ~RequestLog();
    RequestLog(const RequestLog&) = delete;
    RequestLog& operator=(const RequestLog&) = delete;

    // Creates or empties the file; false with a reason when it cannot be opened.
    bool Open(const std::string& path, std::string& error);
    // Appends one line and flushes it, so a reader sees it before the answer goes out.
    void Write(const Entry& entry);

    static std::string ToJsonLine(const Entry& entry);
    // The header lines of a raw request head ("Name: value" after the request line),
    // in order; the value without surrounding blanks.
    static std::vector<std::pair<std::string, std::string>> ParseHeaderLines(const std::string& head);

private:
    std::mutex mLock;
    int mFd = -1;
};
