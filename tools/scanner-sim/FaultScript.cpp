#include "FaultScript.h"

#include <charconv>
#include <fstream>
#include <iterator>

namespace {
template <typename T>
bool parseNumber(const std::string& text, T low, T high, T& out)
{
    T value{};
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc() || ptr != end || value < low || value > high) {
        return false;
    }
    out = value;
    return true;
}

bool isBodyMode(const std::string& mode)
{
    return mode == "notjson" || mode == "empty" || mode == "array" || mode == "huge" || mode == "close" ||
           mode == "hang" || mode == "truncated";
}
} // namespace

const char* FaultScript::OpName(Op op)
{
    switch (op) {
    case Op::Identify: return "identify";
    case Op::Lock: return "lock";
    case Op::Settings: return "settings";
    case Op::Scan: return "scan";
    case Op::Status: return "status";
    case Op::Unlock: return "unlock";
    case Op::Register: return "register";
    case Op::Delete: return "delete";
    case Op::Count: break;
    }
    return "";
}

bool FaultScript::Parse(const std::map<std::string, std::string>& settings, std::string& error)
{
    const std::string prefix = "fault.";
    for (const auto& [key, value] : settings) {
        if (key.rfind(prefix, 0) != 0) {
            continue;
        }
        size_t dot = key.find('.', prefix.size());
        if (dot == std::string::npos) {
            error = "fault key needs fault.<operation>.<what>: " + key;
            return false;
        }
        std::string opName = key.substr(prefix.size(), dot - prefix.size());
        std::string what = key.substr(dot + 1);
        std::optional<Op> op;
        for (size_t i = 0; i < static_cast<size_t>(Op::Count); ++i) {
            if (opName == OpName(static_cast<Op>(i))) {
                op = static_cast<Op>(i);
            }
        }
        if (!op) {
            error = "unknown operation in " + key +
                    " (identify, lock, settings, scan, status, unlock, register, delete)";
            return false;
        }
        auto& slot = mFaults[static_cast<size_t>(*op)];
        if (!slot) {
            slot.emplace();
        }
        Fault& fault = *slot;
        bool ok = true;
        if (what == "status") {
            int status = 0;
            ok = parseNumber(value, 100, 599, status);
            fault.status = status;
        } else if (what == "code") {
            int64_t code = 0;
            ok = parseNumber<int64_t>(value, INT64_MIN, INT64_MAX, code);
            fault.code = value;
        } else if (what == "code-type") {
            ok = value == "text" || value == "number";
            fault.codeIsText = value == "text";
        } else if (what == "result") {
            int64_t result = 0;
            ok = parseNumber<int64_t>(value, INT64_MIN, INT64_MAX, result);
            fault.result = result;
        } else if (what == "body") {
            ok = isBodyMode(value);
            fault.body = value;
        } else if (what == "body-file") {
            std::ifstream file(value, std::ios::binary);
            ok = static_cast<bool>(file);
            if (ok) {
                fault.bodyBytes = std::string(std::istreambuf_iterator<char>(file), {});
            }
        } else if (what == "delay-ms") {
            ok = parseNumber(value, 0, 600000, fault.delayMs);
        } else if (what == "after") {
            ok = parseNumber(value, 0, 1000000, fault.after);
        } else if (what == "times") {
            int times = 0;
            ok = parseNumber(value, 0, 1000000, times);
            fault.times = times;
        } else {
            error = "unknown fault setting " + key;
            return false;
        }
        if (!ok) {
            error = "bad value for " + key + ": " + value;
            return false;
        }
    }
    return true;
}

std::optional<FaultScript::Fault> FaultScript::Take(Op op)
{
    std::lock_guard<std::mutex> guard(mLock);
    size_t index = static_cast<size_t>(op);
    int seen = mSeen[index]++;
    const auto& fault = mFaults[index];
    if (!fault || seen < fault->after) {
        return std::nullopt;
    }
    if (fault->times && seen - fault->after >= *fault->times) {
        return std::nullopt;
    }
    return fault;
}
