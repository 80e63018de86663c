#include "ScannerDiscovery.h"

#include <utility>

#include "AlertPanel.h"
#include "DispatchQueue.h"
#include "FWKVXSDK/WebApiClient.h"
#include "LocalizedStrings.h"
#include "ProgressRun.h"

void ScannerDiscovery::search(WebApiClient& client, const std::shared_ptr<ProgressRun>& run, Found found)
{
    using Scanners = std::vector<std::shared_ptr<ScannerData>>;
    const auto ended = [run, found = std::move(found)](bool result, Scanners scanners) {
        if (run->abandoned()) {
            return;
        }
        run->close();
        if (result && !scanners.empty()) {
            found(std::move(scanners));
        } else {
            AlertPanel::showMessage(LocalizedStrings::text("ErrorNoDetectScanner"));
        }
    };
    // A search that cannot start (its manager could not start its worker)
    // would never end, leaving the progress window up for good: it ends at
    // once as a failed search.
    if (!client.GetHostListWithCompletion(ended)) {
        ended(false, {});
    }
}

void ScannerDiscovery::terminate(std::shared_ptr<WebApiClient> client)
{
    if (client) {
        DispatchQueue::global().async([client = std::move(client)] { client->terminate(); });
    }
}
