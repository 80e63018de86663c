#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

// One simulated scanner, from one `--scanner KEY=VALUE,KEY=VALUE,...` option.
// The typed fields are the multicast-DNS responder's; `settings` keeps every
// pair exactly as given, so other parts of the simulator read their own keys
// from it without touching this parser.
struct ScannerConfig {
    std::optional<std::string> model;  // "model": the text after "mdl=MERIX "
    std::optional<std::string> name;   // "name": the device name ("device=")
    std::optional<std::string> serial; // "serial": "SERIAL="
    std::optional<std::string> mac;    // "mac": the network card address ("ethaddr=")
    std::string ip;                    // "ip": IPv4 address the scanner answers from (default 127.0.0.<2 + index>)
    int mdnsDelayMs = 0;               // "mdns-delay-ms": wait before each answer
    std::optional<int> mdnsTwiceGapMs; // "mdns-twice": answer each query twice, this many ms apart
    std::optional<int> mdnsMaxQueries; // "mdns-max": answer only the first N queries
    bool mdns = true;                  // "mdns=off" silences this scanner's responder
    // "mdns-layout=additional": the PTR as the only answer, the SRV, TXT and A
    // records in the additional section (DNS-SD's advice); default "answers":
    // PTR and TXT as answers.
    bool mdnsAdditionalLayout = false;
    uint32_t mdnsTtl = 4500;           // "mdns-ttl": the records' time-to-live; 0 plays a goodbye
    std::map<std::string, std::string> settings;
};

// The whole command line. Global options are listed in one table in
// SimOptions.cpp; every one given is also kept in `globals` (value "" for flags).
// `scanners` holds the --scanner ones in order, then those of --fleet; a
// --request-delay-ms is already copied into each scanner's settings.
struct SimOptions {
    std::vector<ScannerConfig> scanners;
    std::optional<double> runForSeconds; // "--run-for SECONDS": stop by itself
    bool noMdns = false;                 // "--no-mdns": no multicast-DNS responder at all
    bool help = false;
    bool version = false;
    std::map<std::string, std::string> globals;

    // Fills `options` from the arguments; false with a one-line `error` on bad input.
    static bool Parse(int argc, const char* const* argv, SimOptions& options, std::string& error);
    static std::string Usage();
};
