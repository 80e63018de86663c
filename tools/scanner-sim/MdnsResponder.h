#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <thread>
#include <vector>

#include "SimOptions.h"

// The simulated scanners' multicast-DNS side: listens on 224.0.0.251:5353 and
// answers every PTR query for "_scanner._tcp.local" with one response per
// scanner, sent from the scanner's own address. It sends nothing unasked.
class MdnsResponder {
public:
    explicit MdnsResponder(std::vector<ScannerConfig> scanners);
    ~MdnsResponder();
    MdnsResponder(const MdnsResponder&) = delete;
    MdnsResponder& operator=(const MdnsResponder&) = delete;

    // Opens the sockets and starts answering; false with a reason when a socket
    // cannot be set up.
    bool Start(std::string& error);
    void Stop();

    // True when the datagram is a query (not a response) that asks for the PTR
    // records of "_scanner._tcp.local".
    static bool IsScannerQuery(const uint8_t* data, size_t length);
    // The response datagram for one scanner: a PTR record naming the scanner's
    // instance, then its TXT record with the configured values, both as answers;
    // or, in the additional layout, the PTR as the answer and the SRV, TXT and A
    // records as additional records.
    static std::vector<uint8_t> BuildAnswer(const ScannerConfig& scanner);

private:
    using Clock = std::chrono::steady_clock;
    struct PendingAnswer {
        Clock::time_point due;
        size_t scanner;
    };

    void Run();
    void HandleQuery(Clock::time_point now);
    void SendDue(Clock::time_point now);
    void CloseSockets();

    std::vector<ScannerConfig> mScanners;
    std::vector<int> mAnswerSockets; // one per scanner, -1 when silent
    std::vector<int> mQueriesAnswered;
    std::vector<PendingAnswer> mPending;
    int mListenSocket = -1;
    int mWakePipe[2] = {-1, -1};
    std::thread mThread;
};
