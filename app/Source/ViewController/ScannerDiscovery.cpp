#include "ScannerDiscovery.h"

#include <utility>

#include "AlertPanel.h"
#include "DispatchQueue.h"
#include "FWKVXSDK/MainThreadDispatcher.h"
#include "FWKVXSDK/WebApiClient.h"
#include "LocalizedStrings.h"
#include "ProgressRun.h"
#include "SavedScannerCheck.h"
#include "SavedScanners.h"

namespace {
// The two halves of one search meet here, on the main thread.
struct Search {
    std::shared_ptr<ProgressRun> run;
    ScannerDiscovery::Found found;
    SavedScanners::List saved;
    bool searched = false;
    bool succeeded = false;
    bool asked = false;
    ScannerDiscovery::Scanners discovered;
    ScannerDiscovery::Scanners answered;

    void endWhenComplete()
    {
        if (!searched || !asked || run->abandoned()) {
            return;
        }
        run->close();
        auto rows = SavedScannerCheck::merge(succeeded ? std::move(discovered) : ScannerDiscovery::Scanners(),
                                             answered);
        if (!rows.empty()) {
            const auto addresses = SavedScanners::addresses(saved);
            found(std::move(rows), std::set<std::string>(addresses.begin(), addresses.end()));
        } else {
            AlertPanel::showMessage(LocalizedStrings::text("ErrorNoDetectScanner"));
        }
        if (!saved.problem.empty()) {
            AlertPanel::showMessage(saved.problem);
        }
    }
};
} // namespace

void ScannerDiscovery::search(const std::shared_ptr<WebApiClient>& client, const std::shared_ptr<ProgressRun>& run,
                              Found found)
{
    auto search = std::make_shared<Search>();
    search->run = run;
    search->found = std::move(found);
    search->saved = SavedScanners::load();
    search->asked = search->saved.scanners.empty();
    if (!search->asked) {
        DispatchQueue::global().async([client, search, entries = search->saved.scanners] {
            auto answered = SavedScannerCheck::identify(*client, entries);
            MainThreadDispatcher::Post([search, answered = std::move(answered)]() mutable {
                search->answered = std::move(answered);
                search->asked = true;
                search->endWhenComplete();
            });
        });
    }
    const auto ended = [search](bool result, Scanners scanners) {
        search->searched = true;
        search->succeeded = result;
        search->discovered = std::move(scanners);
        search->endWhenComplete();
    };
    // A search that cannot start (its manager could not start its worker)
    // would never end, leaving the progress window up for good: it ends at
    // once as a failed search.
    if (!client->GetHostListWithCompletion(ended)) {
        ended(false, {});
    }
}

void ScannerDiscovery::terminate(std::shared_ptr<WebApiClient> client)
{
    if (client) {
        DispatchQueue::global().async([client = std::move(client)] { client->terminate(); });
    }
}
