#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

// The scanners the user keeps by address, for networks that multicast
// discovery does not reach: $XDG_CONFIG_HOME/fernwick-vantix/scanners.json,
// a small JSON file described in the README, written whole (a new file renamed
// over the old one) and readable by its owner only:
//   {"format":"fernwick-vantix-scanners","version":1,
//    "scanners":[{"address":"192.0.2.7","name":"VX200:Front desk:A1001"}]}
// A file this program cannot read as such (damaged, foreign, of a newer
// version) is reported and never written over.
class SavedScanners {
public:
    static constexpr const char* kFileName = "scanners.json";
    static constexpr int64_t kVersion = 1;
    static constexpr std::size_t kMaximumScanners = 64;

    struct Entry {
        std::string address; // dotted decimal IPv4
        std::string name;    // the name it answered with when it was saved
    };

    struct List {
        std::vector<Entry> scanners; // in the order they were saved
        // Why the file cannot be used, in the user's language; empty when it
        // can. A missing file is an empty list.
        std::string problem;
    };

    static std::string filePath();
    static List load();
    // Saves the address, or gives its entry the new name. Empty on success,
    // otherwise the message why not.
    static std::string add(const std::string& address, const std::string& name);
    // Forgets the address. Empty on success, otherwise the message why not.
    static std::string remove(const std::string& address);
    static std::vector<std::string> addresses(const List& list);
};
