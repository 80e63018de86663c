#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "FWKVXSDK/ScannerData.h"

class ProgressRun;
class WebApiClient;

// The network search of the screens that list scanners (the scanner list and
// the bulk registration screen), on the client each of them makes when it
// appears.
class ScannerDiscovery {
public:
    using Found = std::function<void(std::vector<std::shared_ptr<ScannerData>> scanners)>;

    // One search behind the progress run. When it ends (main thread) the run
    // is closed, then `found` gets the scanners, or, when the search failed or
    // found none, the "ErrorNoDetectScanner" alert is shown. Nothing happens
    // for a run that was abandoned meanwhile.
    static void search(WebApiClient& client, const std::shared_ptr<ProgressRun>& run, Found found);
    // The client's terminate, on a worker thread: closing its discovery
    // manager waits for a search under way (up to about a second), which the
    // window must not.
    static void terminate(std::shared_ptr<WebApiClient> client);
};
