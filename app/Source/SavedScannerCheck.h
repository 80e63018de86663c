#pragma once

#include <memory>
#include <vector>

#include "FWKVXSDK/ScannerData.h"
#include "SavedScanners.h"

class WebApiClient;

// The saved scanners in a search: each is asked who it is while discovery
// listens, and those that answer are listed beside the scanners discovery
// found. The scanner list, the bulk registration screen and "vantix discover"
// all list scanners so.
class SavedScannerCheck {
public:
    using Scanners = std::vector<std::shared_ptr<ScannerData>>;

    enum class Answer {
        Identified, // it answered and named its identifier: it can be used (and saved)
        NoAnswer,   // the identification failed
        NoIdentity, // it answered, but no identifier could be read from the answer
    };
    // Asks the scanner who it is. Worker thread.
    static Answer ask(WebApiClient& client, const std::shared_ptr<ScannerData>& scanner);
    // Asks every saved scanner at once, each on a thread of its own, so that
    // the whole takes at most one request's time limit. The scanners that
    // answered, in the list's order, named as they answered (or as saved when
    // the answer names none). Worker thread.
    static Scanners identify(WebApiClient& client, const std::vector<SavedScanners::Entry>& saved);
    // The rows of a search: what discovery found, in its order, then the saved
    // scanners that answered at an address discovery did not report; an address
    // found both ways is one row.
    static Scanners merge(Scanners discovered, const Scanners& saved);
};
