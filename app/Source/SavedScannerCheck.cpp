#include "SavedScannerCheck.h"

#include <algorithm>
#include <set>
#include <system_error>
#include <thread>

#include "FWKVXSDK/WebApiClient.h"

SavedScannerCheck::Answer SavedScannerCheck::ask(WebApiClient& client, const std::shared_ptr<ScannerData>& scanner)
{
    if (!client.GetScannerID(scanner)) {
        return Answer::NoAnswer;
    }
    return scanner->scannerId() ? Answer::Identified : Answer::NoIdentity;
}

SavedScannerCheck::Scanners SavedScannerCheck::identify(WebApiClient& client,
                                                        const std::vector<SavedScanners::Entry>& saved)
{
    Scanners asked;
    std::vector<char> answered(saved.size(), 0);
    {
        std::vector<std::jthread> threads;
        std::vector<std::size_t> withoutThread;
        for (std::size_t i = 0; i < saved.size(); ++i) {
            auto scanner = std::make_shared<ScannerData>();
            scanner->setScannerIp(saved[i].address);
            asked.push_back(scanner);
            try {
                threads.emplace_back(
                    [&client, scanner, &flag = answered[i]] { flag = ask(client, scanner) == Answer::Identified; });
            } catch (const std::system_error&) {
                withoutThread.push_back(i); // no thread to be had: asked here, after the others began
            }
        }
        for (const std::size_t i : withoutThread) {
            answered[i] = ask(client, asked[i]) == Answer::Identified;
        }
    }
    Scanners found;
    for (std::size_t i = 0; i < saved.size(); ++i) {
        if (!answered[i]) {
            continue;
        }
        const auto name = asked[i]->scannerName().value_or(std::string());
        asked[i]->setScannerName(!name.empty()            ? name
                                 : !saved[i].name.empty() ? saved[i].name
                                                          : saved[i].address);
        found.push_back(asked[i]);
    }
    return found;
}

SavedScannerCheck::Scanners SavedScannerCheck::merge(Scanners discovered, const Scanners& saved)
{
    std::set<std::string> listed;
    for (const auto& scanner : discovered) {
        listed.insert(scanner->scannerIp().value_or(std::string()));
    }
    for (const auto& scanner : saved) {
        if (listed.insert(scanner->scannerIp().value_or(std::string())).second) {
            discovered.push_back(scanner);
        }
    }
    return discovered;
}
