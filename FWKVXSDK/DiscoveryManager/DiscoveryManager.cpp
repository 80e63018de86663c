#include "FWKVXSDK/DiscoveryManager/DiscoveryManager.h"

#include <syslog.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <new>
#include <sstream>

#include "FWKVXSDK/DiscoveryManager/UDP/RecvPacket.h"
#include "FWKVXSDK/DiscoveryManager/UDP/SendPacket.h"
#include "FWKVXSDK/MainThreadDispatcher.h"

namespace {

const char* const kServiceType = "_scanner._tcp";
const char* const kDomain = ".local";
const uint16_t kTypePtr = 12;
const uint16_t kClassIn = 1;
const int64_t kSearchSeconds = 6;              // a search ends once more than this has passed
const std::chrono::seconds kScannerMaxAge{30}; // records older than this are pruned

// Whole seconds of a clock that is never set back; the search time keeps the
// whole-second semantics (a search lasts between 6 and 8 seconds).
int64_t wholeSecondsNow()
{
    return std::chrono::duration_cast<std::chrono::seconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

void put16(uint8_t* at, uint16_t value)
{
    at[0] = static_cast<uint8_t>(value >> 8);
    at[1] = static_cast<uint8_t>(value & 0xFF);
}

} // namespace

DiscoveryManager::DiscoveryManager() : FmDnsIp("224.0.0.251"), FmDnsPort(5353) {}

DiscoveryManager::~DiscoveryManager()
{
    {
        std::lock_guard<std::mutex> guard(mFindThreadLock);
        mLifecycle = Lifecycle::Closed;
        mFindDevices = -1;
        mFindThreadCondition.notify_all();
    }
    std::lock_guard<std::mutex> guard(mWorkerLock);
    if (mWorker.joinable()) {
        // The last reference may be dropped by the worker itself (through the
        // completion it posted); it then returns at once without touching us.
        if (mWorker.get_id() == std::this_thread::get_id()) {
            mWorker.detach();
        } else {
            mWorker.join();
        }
    }
}

bool DiscoveryManager::OpenManager()
{
    if (weak_from_this().expired()) {
        return false;
    }
    {
        std::lock_guard<std::mutex> guard(mFindThreadLock);
        if (mLifecycle != Lifecycle::NotOpened) {
            return mLifecycle == Lifecycle::Open;
        }
        mFindDevices = 0;
        mDiscoveryRequest = 0;
        mLifecycle = Lifecycle::Open;
    }
    std::lock_guard<std::mutex> guard(mWorkerLock);
    try {
        mWorker = std::thread([this] { FindDevices(); });
    } catch (const std::system_error&) {
        std::lock_guard<std::mutex> stateGuard(mFindThreadLock);
        mLifecycle = Lifecycle::Closed;
        mFindDevices = -1;
        return false;
    }
    return true;
}

bool DiscoveryManager::CloseManager()
{
    {
        std::lock_guard<std::mutex> guard(mFindThreadLock);
        mLifecycle = Lifecycle::Closed;
        mFindDevices = -1;
        mFindThreadCondition.notify_all();
    }
    {
        std::lock_guard<std::mutex> guard(mWorkerLock);
        if (mWorker.joinable() && mWorker.get_id() != std::this_thread::get_id()) {
            mWorker.join();
        }
    }
    // No search ends any more. A completion that captured the manager's owner
    // would otherwise keep both alive; it is destroyed with no lock held, as
    // that may close the owner in turn.
    Completion dropped;
    {
        std::lock_guard<std::mutex> guard(mFindDevicesFlagLock);
        dropped = std::move(mCompletion);
        mCompletion = nullptr;
    }
    return true;
}

bool DiscoveryManager::SearchDevice(bool on, Completion completion)
{
    Completion dropped;
    {
        std::lock_guard<std::mutex> guard(mFindDevicesFlagLock);
        dropped = std::move(mCompletion);
        mCompletion = nullptr;
        if (on) {
            // A completion posted by an earlier search must not reach this one.
            ++mSearchGeneration;
            mCompletion = std::move(completion);
        }
    }
    if (!on) {
        return StopSearchDevices();
    }
    if (StartSearchDevices()) {
        return true;
    }
    // Closed or never opened: no search will end to call it.
    Completion unused;
    {
        std::lock_guard<std::mutex> guard(mFindDevicesFlagLock);
        unused = std::move(mCompletion);
        mCompletion = nullptr;
    }
    return false;
}

bool DiscoveryManager::StartSearchDevices()
{
    {
        std::lock_guard<std::mutex> guard(mFindThreadLock);
        if (mLifecycle != Lifecycle::Open) {
            return false;
        }
    }
    StopSearchDevices();
    {
        std::lock_guard<std::mutex> guard(mScannerDataListLock);
        mScannerDataList.clear();
    }
    std::lock_guard<std::mutex> guard(mFindThreadLock);
    if (mLifecycle != Lifecycle::Open) {
        return false;
    }
    ++mSearchGeneration;
    mDiscoveryRequest = 1;
    mFindDevices = 1;
    mFindThreadCondition.notify_all();
    return true;
}

bool DiscoveryManager::StopSearchDevices()
{
    std::lock_guard<std::mutex> guard(mFindThreadLock);
    // Closed is final: a stop must not wake a closed worker into idling forever.
    if (mFindDevices != -1) {
        mDiscoveryRequest = 0;
        mFindDevices = 0;
    }
    mFindThreadCondition.notify_all();
    return true;
}

void DiscoveryManager::FindDevices()
{
    std::unique_ptr<RecvPacket> listener;
    bool result = true;
    int64_t searchStart = 0;
    uint64_t searchGeneration = 0;
    for (;;) {
        int64_t state = 0;
        {
            std::lock_guard<std::mutex> guard(mFindDevicesFlagLock);
            state = mFindDevices;
        }
        if (state != 1) {
            {
                std::unique_lock<std::mutex> lock(mFindThreadLock);
                mFindThreadCondition.wait(lock, [this] { return mFindDevices != 0; });
            }
            listener.reset();
            if (state == -1) {
                return;
            }
            continue;
        }

        bool newSearch = false;
        {
            std::lock_guard<std::mutex> guard(mFindThreadLock);
            if (mDiscoveryRequest != 0) {
                mDiscoveryRequest = 0;
                searchGeneration = mSearchGeneration;
                newSearch = true;
            }
        }
        if (newSearch) {
            // Listen before asking: a scanner nearby answers within microseconds.
            listener.reset();
            bool listening = false;
            try {
                listener = std::make_unique<RecvPacket>(FmDnsIp, FmDnsPort);
                listening = listener->OpenRecvSocket();
            } catch (const std::bad_alloc&) {
                listener.reset();
            }
            result = Send();
            if (listener) {
                result = listening;
            }
            searchStart = wholeSecondsNow();
        }

        if (result && listener) {
            Receive(*listener);
        } else {
            // Nothing to listen to: pass the search time asleep, still waking
            // for a stop, a close or a new search.
            std::unique_lock<std::mutex> lock(mFindThreadLock);
            mFindThreadCondition.wait_for(lock, std::chrono::seconds(1),
                                          [this] { return mFindDevices != 1 || mDiscoveryRequest != 0; });
        }

        int64_t now = wholeSecondsNow();
        if (mDiscoveryRequest == 0 && (now - searchStart > kSearchSeconds || now < searchStart)) {
            bool ended = false;
            {
                // Only this search's own state is reset: not a close, a stop or
                // a newer search requested meanwhile.
                std::lock_guard<std::mutex> guard(mFindThreadLock);
                if (mFindDevices == 1 && mDiscoveryRequest == 0) {
                    mFindDevices = 0;
                    ended = true;
                }
            }
            listener.reset();
            if (ended) {
                PruneScannerDataList();
                if (!PostCompletion(result, searchGeneration)) {
                    return;
                }
            }
        }
    }
}

bool DiscoveryManager::PostCompletion(bool result, uint64_t searchGeneration)
{
    std::shared_ptr<DiscoveryManager> self = weak_from_this().lock();
    if (!self) {
        return false; // being destroyed: the destructor waits for this thread
    }
    MainThreadDispatcher::Post(
        [self, result, searchGeneration] { self->NotifyDidCompletion(result, searchGeneration); });
    std::weak_ptr<DiscoveryManager> alive = self;
    self.reset(); // may destroy the manager, on this thread
    return !alive.expired();
}

void DiscoveryManager::NotifyDidCompletion(bool result, uint64_t searchGeneration)
{
    Completion completion;
    {
        std::lock_guard<std::mutex> guard(mFindDevicesFlagLock);
        if (!mCompletion || mSearchGeneration != searchGeneration) {
            return;
        }
        completion = std::move(mCompletion);
        mCompletion = nullptr;
    }
    std::vector<std::shared_ptr<ScannerData>> scanners;
    {
        std::lock_guard<std::mutex> guard(mScannerDataListLock);
        scanners = mScannerDataList;
    }
    try {
        completion(result, std::move(scanners));
    } catch (...) {
        // The caller's completion must not take the worker or the main loop down.
    }
}

void DiscoveryManager::PruneScannerDataList()
{
    auto oldest = ScannerData::Clock::now() - kScannerMaxAge;
    std::lock_guard<std::mutex> guard(mScannerDataListLock);
    mScannerDataList.erase(std::remove_if(mScannerDataList.begin(), mScannerDataList.end(),
                                          [oldest](const std::shared_ptr<ScannerData>& scanner) {
                                              auto seen = scanner->time();
                                              return seen && *seen < oldest;
                                          }),
                           mScannerDataList.end());
}

bool DiscoveryManager::Send()
{
    try {
        SendPacket sender(FmDnsIp, FmDnsPort);
        std::optional<std::vector<uint8_t>> query = MakeSendPacket();
        bool sent = query && sender.Send(*query);
        sender.terminate();
        return sent;
    } catch (...) {
        return false;
    }
}

bool DiscoveryManager::Receive(RecvPacket& listener)
{
    RecvPacket::Dictionary answer;
    if (!listener.Recv(answer)) {
        return false;
    }
    std::string name = ScannerNameFromAnswer(answer);
    auto now = ScannerData::Clock::now();
    std::lock_guard<std::mutex> guard(mScannerDataListLock);
    for (const std::shared_ptr<ScannerData>& scanner : mScannerDataList) {
        if (scanner->scannerName() == name) {
            scanner->setTime(now); // the address stays that of the first answer
            return true;
        }
    }
    auto scanner = std::make_shared<ScannerData>();
    scanner->setScannerName(name);
    scanner->setScannerIp(answer["ipaddr="]);
    scanner->setTime(now);
    mScannerDataList.push_back(std::move(scanner));
    return true;
}

std::string DiscoveryManager::ScannerNameFromAnswer(const std::map<std::string, std::string>& answer)
{
    auto value = [&answer](const char* key) {
        auto found = answer.find(key);
        return found != answer.end() ? found->second : std::string();
    };
    return value("mdl=MERIX") + ":" + value("device=") + ":" + value("SERIAL=");
}

std::optional<std::vector<uint8_t>> DiscoveryManager::MakeSendPacket()
{
    std::vector<std::string> labels;
    std::stringstream service(std::string(kServiceType) + kDomain);
    for (std::string label; std::getline(service, label, '.');) {
        labels.push_back(label);
    }
    size_t nameLength = 1;
    for (const std::string& label : labels) {
        nameLength += label.size() + 1;
    }
    auto dataLength = static_cast<unsigned>(12 + nameLength + 4);

    auto* raw = static_cast<uint8_t*>(std::calloc(dataLength, 1));
    if (raw == nullptr) {
        syslog(LOG_ERR, "createServiceRequest: memeory Error (dataLength=%u)!!!", dataLength);
        return std::nullopt;
    }
    put16(raw + 4, 1); // one question; identifier, flags and other counts stay 0
    size_t at = 12;
    for (const std::string& label : labels) {
        raw[at++] = static_cast<uint8_t>(label.size());
        std::copy(label.begin(), label.end(), raw + at);
        at += label.size();
    }
    raw[at++] = 0;
    put16(raw + at, kTypePtr);
    put16(raw + at + 2, kClassIn); // unicast-response bit clear

    std::optional<std::vector<uint8_t>> packet;
    try {
        packet.emplace(raw, raw + dataLength);
    } catch (const std::bad_alloc&) {
        syslog(LOG_ERR, "createServiceRequest: CFDataCreate Error (dataLength=%u)!!!", dataLength);
    }
    std::free(raw);
    return packet;
}
