#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "FWKVXSDK/FWKVXSDKExport.h"
#include "FWKVXSDK/ScannerData.h"

class RecvPacket;

// Finds scanners on the local network by multicast DNS. One worker thread per
// manager, from OpenManager to CloseManager, sleeping while idle. A search sends
// one query, listens for about seven seconds and delivers the scanners seen to
// the completion, once, on the main thread (see MainThreadDispatcher).
//
// The manager must be owned by a std::shared_ptr (OpenManager refuses to start
// otherwise): the completion on its way to the main thread keeps it alive.
// Dropping the last reference without CloseManager closes it as well; from any
// thread, the worker's own included.
class FWKVXSDK_EXPORT DiscoveryManager : public std::enable_shared_from_this<DiscoveryManager> {
public:
    using Completion = std::function<void(bool result, std::vector<std::shared_ptr<ScannerData>> scanners)>;

    DiscoveryManager();
    ~DiscoveryManager();
    DiscoveryManager(const DiscoveryManager&) = delete;
    DiscoveryManager& operator=(const DiscoveryManager&) = delete;

    // Starts the worker. False when the manager is closed already, is not owned
    // by a std::shared_ptr, or the thread cannot be started.
    bool OpenManager();
    // Ends the worker and waits for it (at most about a second, while it reads
    // an answer), except when called on the worker itself. The manager stays
    // inert afterwards. Harmless when never opened or already closed.
    bool CloseManager();
    // on: (re)start a search that ends with the completion; off: stop it, no completion.
    bool SearchDevice(bool on, Completion completion);
    bool StartSearchDevices();
    bool StopSearchDevices();

    // The 37-byte query for "_scanner._tcp.local" PTR records; nothing when it
    // cannot be built.
    static std::optional<std::vector<uint8_t>> MakeSendPacket();
    // The scanner's name "model:device:serial" from an answer's values; a value
    // that the answer lacks stands as empty text.
    static std::string ScannerNameFromAnswer(const std::map<std::string, std::string>& answer);

private:
    enum class Lifecycle { NotOpened, Open, Closed };

    void FindDevices();
    bool Send();
    bool Receive(RecvPacket& listener);
    void PruneScannerDataList();
    bool PostCompletion(bool result, uint64_t searchGeneration);
    void NotifyDidCompletion(bool result, uint64_t searchGeneration);

    const std::string FmDnsIp;
    const int32_t FmDnsPort;

    // 1 searching, 0 idle, -1 closed (the worker ends). Changed by requests
    // under mFindThreadLock.
    std::atomic<int64_t> mFindDevices{0};
    // 1 while a query is still to be sent for the current search.
    std::atomic<int64_t> mDiscoveryRequest{0};
    // Counts search requests, so that the end of a superseded search neither
    // resets the state of the newer one nor delivers its completion.
    std::atomic<uint64_t> mSearchGeneration{0};
    Lifecycle mLifecycle = Lifecycle::NotOpened; // under mFindThreadLock

    Completion mCompletion; // under mFindDevicesFlagLock
    std::vector<std::shared_ptr<ScannerData>> mScannerDataList; // under mScannerDataListLock

    std::mutex mFindThreadLock;
    std::condition_variable mFindThreadCondition;
    std::mutex mFindDevicesFlagLock;
    std::mutex mScannerDataListLock;

    std::mutex mWorkerLock; // guards mWorker
    std::thread mWorker;
};
