#pragma once

#include <condition_variable>
#include <cstdint>
#include <map>
#include <mutex>
#include <optional>
#include <string>

#include <nlohmann/json.hpp>

#include "FaultScript.h"

// One simulated scanner's REST side: its identity, its lock, the scan settings,
// a scan that runs through its phases, and the job table 1 to 99 behind the job
// password. Answers are decided here; the transport is RestServer's.
// Thread-safe: requests to one scanner may arrive at the same time.
class RestScanner {
public:
    struct Request {
        std::string method;
        std::string target; // path with query, as sent
        std::string body;
    };
    struct Answer {
        int status = 200;
        std::string body;
        std::string contentType = "application/json";
        bool close = false; // drop the connection without any answer
        bool hang = false;  // say nothing until the client leaves or the simulator stops
        bool truncated = false; // the head as for the whole body, then half of it and close
        int delayMs = 0;
    };

    // ip: the address this scanner answers on. The keys are the scanner's
    // `--scanner` pairs (see the README); false with a reason for a bad one.
    bool Configure(const std::string& ip, const std::map<std::string, std::string>& settings, std::string& error);

    Answer Handle(const Request& request);

    // Waits up to ms milliseconds; returns early (false) once Interrupt was called.
    bool Pause(int ms);
    void Interrupt();

    const std::string& ip() const { return mIp; }
    // Stored job of a slot (for inspection in tests), null when empty.
    std::optional<nlohmann::json> Job(int64_t slot);

private:
    Answer Decide(const Request& request);
    std::optional<FaultScript::Op> Route(const Request& request, bool& knownScanner) const;
    Answer Perform(FaultScript::Op op, const Request& request);
    Answer Lock();
    Answer Settings(const nlohmann::json& body);
    Answer StartScan(const nlohmann::json& body);
    Answer Status(const std::string& query);
    Answer ScanEnd() const;
    std::string ConnectionText() const;
    Answer Unlock(const nlohmann::json& body);
    Answer JobRequest(bool store, const nlohmann::json& body);
    nlohmann::json CodeMember(const std::string& code, bool asText) const;
    bool HoldsLock(const nlohmann::json& body) const;

    std::string mIp;
    nlohmann::json mScannerId;
    std::string mScannerName;
    std::optional<nlohmann::json> mFixedConnection;
    bool mConnectionIsNumber = false;
    std::optional<std::string> mJobPassword;
    int mQueriesPerPhase = 1;
    int64_t mScanEndStatus = 0;
    std::optional<std::string> mScanEndCode;
    std::optional<int64_t> mRefuseSlot;
    int64_t mRefuseResult = -1;
    std::optional<std::string> mRefuseCode;
    int mRequestDelayMs = 0; // "request-delay-ms": every answer waits this long
    FaultScript mFaults;

    std::mutex mLock;
    std::optional<nlohmann::json> mConnection; // held lock
    int64_t mLocks = 0;
    nlohmann::json mSettings;
    enum class ScanState { Idle, Running, Ended } mScan = ScanState::Idle;
    int mStatusQueries = 0;
    std::map<int64_t, nlohmann::json> mJobs;

    std::mutex mPauseLock;
    std::condition_variable mPauseWake;
    bool mInterrupted = false;
};
