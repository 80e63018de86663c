#pragma once

#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "FWKVXSDK/ScannerData.h"

class ProgressRun;
class WebApiClient;

// The search of the screens that list scanners (the scanner list and the bulk
// registration screen), on the client each of them makes when it appears: a
// network search, and meanwhile each saved scanner asked who it is.
class ScannerDiscovery {
public:
    using Scanners = std::vector<std::shared_ptr<ScannerData>>;
    // The rows (SavedScannerCheck::merge) and the addresses of the saved scanners.
    using Found = std::function<void(Scanners scanners, const std::set<std::string>& savedAddresses)>;

    // One search behind the progress run. It ends (main thread) when the
    // network search has ended and every saved scanner has answered or
    // failed to within its request's time limit: the run is closed, then
    // `found` gets the rows, or, when there are none, the "ErrorNoDetectScanner"
    // alert is shown; a saved scanners file that cannot be used is reported
    // after that. Nothing happens for a run that was abandoned meanwhile.
    static void search(const std::shared_ptr<WebApiClient>& client, const std::shared_ptr<ProgressRun>& run,
                       Found found);
    // The client's terminate, on a worker thread: closing its discovery
    // manager waits for a search under way (up to about a second), which the
    // window must not.
    static void terminate(std::shared_ptr<WebApiClient> client);
};
