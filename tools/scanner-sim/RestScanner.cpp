#include "RestScanner.h"

#include <charconv>
#include <chrono>

namespace {
const char* const kScanners = "/api/v1/scanners/";
const char* const kJobSettings = "/api/v1/job/settings";
constexpr int64_t kNotReady = -4400;

bool parseInteger(const std::string& text, int64_t& out)
{
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, out);
    return !text.empty() && ec == std::errc() && ptr == end;
}

std::string dumpJson(const nlohmann::json& value)
{
    return value.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

RestScanner::Answer jsonAnswer(const nlohmann::json& body, int status = 200)
{
    RestScanner::Answer answer;
    answer.status = status;
    answer.body = dumpJson(body);
    return answer;
}

std::string identifierText(const nlohmann::json& value)
{
    return value.is_string() ? value.get<std::string>() : value.dump();
}
} // namespace

bool RestScanner::Configure(const std::string& ip, const std::map<std::string, std::string>& settings,
                            std::string& error)
{
    mIp = ip;
    auto get = [&](const std::string& key) -> std::optional<std::string> {
        auto it = settings.find(key);
        return it == settings.end() ? std::nullopt : std::optional<std::string>(it->second);
    };
    auto typeOf = [&](const std::string& key, bool& isNumber) {
        auto value = get(key);
        if (value && *value != "string" && *value != "number") {
            error = key + " must be string or number";
            return false;
        }
        isNumber = value && *value == "number";
        return true;
    };
    auto integer = [&](const std::string& key, int64_t low, int64_t high, int64_t& out) {
        auto value = get(key);
        if (!value) {
            return true;
        }
        if (!parseInteger(*value, out) || out < low || out > high) {
            error = "bad value for " + key + ": " + *value;
            return false;
        }
        return true;
    };
    auto code = [&](const std::string& key, std::optional<std::string>& out) {
        auto value = get(key);
        int64_t number = 0;
        if (value && !parseInteger(*value, number)) {
            error = key + " must be an integer";
            return false;
        }
        out = value;
        return true;
    };

    bool idIsNumber = false;
    if (!typeOf("id-type", idIsNumber) || !typeOf("conn-type", mConnectionIsNumber)) {
        return false;
    }
    std::string lastOctet = ip.substr(ip.rfind('.') + 1);
    std::string id = get("id").value_or(idIsNumber ? "10" + lastOctet : "VX" + lastOctet);
    if (idIsNumber) {
        int64_t number = 0;
        if (!parseInteger(id, number)) {
            error = "id must be an integer with id-type=number";
            return false;
        }
        mScannerId = number;
    } else {
        mScannerId = id;
    }
    mScannerName = get("scanner-name").value_or(get("name").value_or("Vantix Sim " + ip));
    if (auto conn = get("conn")) {
        int64_t number = 0;
        if (mConnectionIsNumber && !parseInteger(*conn, number)) {
            error = "conn must be an integer with conn-type=number";
            return false;
        }
        mFixedConnection = mConnectionIsNumber ? nlohmann::json(number) : nlohmann::json(*conn);
    }
    mJobPassword = get("password");

    int64_t perPhase = 1;
    int64_t refuseSlot = 0;
    int64_t requestDelay = 0;
    bool refuse = settings.count("refuse-slot") > 0;
    if (!integer("status-queries-per-phase", 1, 1000, perPhase) ||
        !integer("scan-end-status", INT32_MIN, INT32_MAX, mScanEndStatus) ||
        !integer("refuse-slot", 1, 99, refuseSlot) || !integer("refuse-result", INT32_MIN, INT32_MAX, mRefuseResult) ||
        !code("scan-end-code", mScanEndCode) || !code("refuse-code", mRefuseCode) ||
        !integer("request-delay-ms", 0, 600000, requestDelay)) {
        return false;
    }
    mQueriesPerPhase = static_cast<int>(perPhase);
    mRequestDelayMs = static_cast<int>(requestDelay);
    if (refuse) {
        mRefuseSlot = refuseSlot;
    }
    return mFaults.Parse(settings, error);
}

std::optional<FaultScript::Op> RestScanner::Route(const Request& request, bool& knownScanner) const
{
    using Op = FaultScript::Op;
    std::string path = request.target.substr(0, request.target.find('?'));
    const std::string& m = request.method;
    knownScanner = false;
    if (path == kJobSettings) {
        if (m == "PUT") {
            return Op::Register;
        }
        if (m == "DELETE") {
            return Op::Delete;
        }
        return std::nullopt;
    }
    const std::string scanners = kScanners;
    if (path.rfind(scanners, 0) != 0) {
        return std::nullopt;
    }
    std::string rest = path.substr(scanners.size());
    if (rest.empty()) {
        return m == "GET" ? std::optional<Op>(Op::Identify) : std::nullopt;
    }
    size_t slash = rest.find('/');
    if (slash == std::string::npos || rest.substr(0, slash) != identifierText(mScannerId)) {
        return std::nullopt;
    }
    knownScanner = true;
    std::string resource = rest.substr(slash);
    if (resource == "/connection") {
        if (m == "POST") {
            return Op::Lock;
        }
        if (m == "DELETE") {
            return Op::Unlock;
        }
    } else if (resource == "/settings" && m == "PUT") {
        return Op::Settings;
    } else if (resource == "/scanning") {
        if (m == "PUT") {
            return Op::Scan;
        }
        if (m == "GET") {
            return Op::Status;
        }
    }
    return std::nullopt;
}

RestScanner::Answer RestScanner::Handle(const Request& request)
{
    Answer answer = Decide(request);
    // A real scanner takes its time over every answer, whatever it is.
    answer.delayMs += mRequestDelayMs;
    return answer;
}

RestScanner::Answer RestScanner::Decide(const Request& request)
{
    bool knownScanner = false;
    auto op = Route(request, knownScanner);
    if (!op) {
        Answer notFound;
        notFound.status = 404;
        notFound.contentType = "text/plain";
        return notFound;
    }
    auto fault = mFaults.Take(*op);
    Answer answer;
    bool silent = fault && fault->body && (*fault->body == "close" || *fault->body == "hang");
    if (fault && fault->refuses()) {
        nlohmann::json body = nlohmann::json::object();
        if (fault->code) {
            body["internal_code"] = CodeMember(*fault->code, fault->codeIsText);
        }
        if (fault->result) {
            body["result"] = *fault->result;
        }
        answer = jsonAnswer(body, fault->status.value_or(200));
    } else if (!silent) {
        answer = Perform(*op, request);
    }
    if (!fault) {
        return answer;
    }
    answer.delayMs = fault->delayMs;
    if (fault->bodyBytes) {
        answer.body = *fault->bodyBytes;
    }
    if (fault->body) {
        const std::string& mode = *fault->body;
        if (mode == "notjson") {
            answer.body = "<html>scanner busy</html>";
            answer.contentType = "text/html";
        } else if (mode == "empty") {
            answer.body.clear();
        } else if (mode == "array") {
            answer.body = "[{\"status\":0,\"result\":0}]";
        } else if (mode == "huge") {
            // Valid JSON just above a mebibyte: only its size is wrong.
            answer.body = "{\"pad\":\"" + std::string(1024 * 1024, 'x') + "\"}";
        } else if (mode == "close") {
            answer.close = true;
        } else if (mode == "hang") {
            answer.hang = true;
        } else if (mode == "truncated") {
            answer.truncated = true;
        }
    }
    return answer;
}

RestScanner::Answer RestScanner::Perform(FaultScript::Op op, const Request& request)
{
    using Op = FaultScript::Op;
    if (op == Op::Identify) {
        nlohmann::json entry = {{"scanner_id", mScannerId}, {"scanner_name", mScannerName}};
        return jsonAnswer({{"scanners", nlohmann::json::array({entry})}});
    }
    if (op == Op::Lock) {
        return Lock();
    }
    if (op == Op::Status) {
        size_t mark = request.target.find('?');
        return Status(mark == std::string::npos ? std::string() : request.target.substr(mark + 1));
    }
    auto body = nlohmann::json::parse(request.body, nullptr, false);
    if (body.is_discarded() || !body.is_object()) {
        Answer bad = jsonAnswer({{"internal_code", kNotReady}}, 400);
        return bad;
    }
    switch (op) {
    case Op::Settings: return Settings(body);
    case Op::Scan: return StartScan(body);
    case Op::Unlock: return Unlock(body);
    case Op::Register: return JobRequest(true, body);
    case Op::Delete: return JobRequest(false, body);
    default: break;
    }
    return jsonAnswer({{"internal_code", kNotReady}}, 400);
}

nlohmann::json RestScanner::CodeMember(const std::string& code, bool asText) const
{
    if (asText) {
        return code;
    }
    int64_t number = 0;
    parseInteger(code, number);
    return number;
}

std::string RestScanner::ConnectionText() const
{
    return mConnection ? identifierText(*mConnection) : std::string();
}

bool RestScanner::HoldsLock(const nlohmann::json& body) const
{
    auto it = body.find("connection_id");
    // The identifier must come back with the type it was handed out in.
    if (!mConnection || it == body.end()) {
        return false;
    }
    bool sameType = it->is_string() ? mConnection->is_string() : it->is_number_integer() && !mConnection->is_string();
    return sameType && *it == *mConnection;
}

RestScanner::Answer RestScanner::Lock()
{
    std::lock_guard<std::mutex> guard(mLock);
    if (mConnection) {
        return jsonAnswer({{"internal_code", kNotReady}}, 409);
    }
    ++mLocks;
    if (mFixedConnection) {
        mConnection = *mFixedConnection;
    } else if (mConnectionIsNumber) {
        mConnection = 7000 + mLocks;
    } else {
        mConnection = "session-" + std::to_string(mLocks);
    }
    mScan = ScanState::Idle;
    return jsonAnswer({{"connection_id", *mConnection}, {"internal_code", "0"}});
}

RestScanner::Answer RestScanner::Settings(const nlohmann::json& body)
{
    std::lock_guard<std::mutex> guard(mLock);
    if (!HoldsLock(body)) {
        return jsonAnswer({{"internal_code", kNotReady}});
    }
    mSettings = body;
    mSettings.erase("connection_id");
    return jsonAnswer({{"internal_code", 0}});
}

RestScanner::Answer RestScanner::StartScan(const nlohmann::json& body)
{
    std::lock_guard<std::mutex> guard(mLock);
    auto status = body.find("status");
    if (!HoldsLock(body) || status == body.end() || *status != 1) {
        return jsonAnswer({{"internal_code", kNotReady}});
    }
    mScan = ScanState::Running;
    mStatusQueries = 0;
    return jsonAnswer({{"internal_code", 0}});
}

RestScanner::Answer RestScanner::ScanEnd() const
{
    nlohmann::json body = {{"status", mScanEndStatus}};
    if (mScanEndCode) {
        body["internal_code"] = CodeMember(*mScanEndCode, false);
    }
    return jsonAnswer(body);
}

RestScanner::Answer RestScanner::Status(const std::string& query)
{
    std::lock_guard<std::mutex> guard(mLock);
    // The query is the connection identifier followed by one colon.
    if (!mConnection || query != ConnectionText() + ":") {
        return jsonAnswer({{"internal_code", kNotReady}});
    }
    switch (mScan) {
    case ScanState::Idle:
        return jsonAnswer({{"status", 0}});
    case ScanState::Running: {
        int phase = mStatusQueries++ / mQueriesPerPhase;
        if (phase < 3) {
            return jsonAnswer({{"status", 1}, {"internal_status", phase}});
        }
        mScan = ScanState::Ended;
        return ScanEnd();
    }
    case ScanState::Ended:
        break;
    }
    return ScanEnd();
}

RestScanner::Answer RestScanner::Unlock(const nlohmann::json& body)
{
    std::lock_guard<std::mutex> guard(mLock);
    if (!HoldsLock(body)) {
        return jsonAnswer({{"internal_code", kNotReady}});
    }
    mConnection.reset();
    mScan = ScanState::Idle;
    return jsonAnswer({{"internal_code", 0}});
}

RestScanner::Answer RestScanner::JobRequest(bool store, const nlohmann::json& body)
{
    if (mJobPassword) {
        auto password = body.find("job_password");
        if (password == body.end() || !password->is_string() || *password != *mJobPassword) {
            return jsonAnswer({{"result", -1}});
        }
    }
    auto id = body.find("job_id");
    if (id == body.end() || !id->is_number_integer() || *id < 1 || *id > 99) {
        return jsonAnswer({{"result", -2}});
    }
    int64_t slot = id->get<int64_t>();
    if (mRefuseSlot && *mRefuseSlot == slot) {
        nlohmann::json answer = {{"result", mRefuseResult}};
        if (mRefuseCode) {
            answer["internal_code"] = CodeMember(*mRefuseCode, false);
        }
        return jsonAnswer(answer);
    }
    std::lock_guard<std::mutex> guard(mLock);
    if (store) {
        nlohmann::json job = body;
        job.erase("job_password");
        mJobs[slot] = job;
    } else {
        mJobs.erase(slot);
    }
    return jsonAnswer({{"result", 0}});
}

std::optional<nlohmann::json> RestScanner::Job(int64_t slot)
{
    std::lock_guard<std::mutex> guard(mLock);
    auto it = mJobs.find(slot);
    if (it == mJobs.end()) {
        return std::nullopt;
    }
    return it->second;
}

bool RestScanner::Pause(int ms)
{
    std::unique_lock<std::mutex> guard(mPauseLock);
    return !mPauseWake.wait_for(guard, std::chrono::milliseconds(ms), [this] { return mInterrupted; });
}

void RestScanner::Interrupt()
{
    {
        std::lock_guard<std::mutex> guard(mPauseLock);
        mInterrupted = true;
    }
    mPauseWake.notify_all();
}
