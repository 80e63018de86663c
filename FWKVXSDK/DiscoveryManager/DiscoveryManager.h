#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "FWKVXSDK/ScannerData.h"

// Finds scanners on the local network by multicast DNS. One worker thread per
// manager, from OpenManager to CloseManager, sleeping while idle. A search sends
// one query, listens for about seven seconds and delivers the scanners seen to
// the completion, once, on the main thread (see MainThreadDispatcher).
class DiscoveryManager : public std::enable_shared_from_this<DiscoveryManager> {
public:
    using Completion = std::function<void(bool result, std::vector<std::shared_ptr<ScannerData>> scanners)>;

    DiscoveryManager();
    ~DiscoveryManager();
    DiscoveryManager(const DiscoveryManager&) = delete;
    DiscoveryManager& operator=(const DiscoveryManager&) = delete;

    bool OpenManager();
    bool CloseManager();
    // on: (re)start a search that ends with the completion; off: stop it, no completion.
    bool SearchDevice(bool on, Completion completion);
    bool StartSearchDevices();
    bool StopSearchDevices();

    // (private members are the discovery implementation's)
};
