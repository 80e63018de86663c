#include "SimOptions.h"

#include <arpa/inet.h>

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <sstream>

namespace {

struct GlobalOption {
    const char* name;
    bool takesValue;
    const char* help;
};

// Every global option the simulator knows. Parts of the simulator that need
// their own option add a row here and read it from SimOptions::globals.
const GlobalOption kGlobalOptions[] = {
    {"--help", false, "show this text and exit"},
    {"--version", false, "print the version and exit"},
    {"--scanner", true, "KEY=VALUE,...  add one simulated scanner (repeatable)"},
    {"--run-for", true, "SECONDS  stop by itself after this time"},
    {"--fleet", true, "N  add N scanners (after the --scanner ones) with generated names and serials"},
    {"--fleet-keys", true, "KEY=VALUE,...  keys for every --fleet scanner (not ip)"},
    {"--request-delay-ms", true, "MS  every REST answer waits this long (a scanner's request-delay-ms key wins)"},
    {"--no-mdns", false, "do not answer multicast-DNS queries"},
    {"--no-rest", false, "do not serve the scanners' HTTPS REST interface"},
    {"--log", true, "FILE  write every REST request received as one JSON line (mode 0600)"},
    {"--verbose", false, "print one line per REST request (never a body)"},
};

const GlobalOption* findGlobal(const std::string& name)
{
    for (const GlobalOption& option : kGlobalOptions) {
        if (name == option.name) {
            return &option;
        }
    }
    return nullptr;
}

bool parseInt(const std::string& text, int low, int high, int& out)
{
    int value = 0;
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (ec != std::errc() || ptr != end || text.empty() || value < low || value > high) {
        return false;
    }
    out = value;
    return true;
}

// A TXT character-string holds at most 255 bytes, key included.
bool fitsCharacterString(const std::string& key, const std::string& value)
{
    return key.size() + value.size() <= 255;
}

bool applyScannerKey(ScannerConfig& scanner, const std::string& key, const std::string& value, std::string& error)
{
    const int kMaxMs = 600000;
    if (key == "model") {
        if (!fitsCharacterString("mdl=MERIX ", value)) {
            error = "model is too long";
            return false;
        }
        scanner.model = value;
    } else if (key == "name") {
        if (!fitsCharacterString("device=", value)) {
            error = "name is too long";
            return false;
        }
        scanner.name = value;
    } else if (key == "serial") {
        if (!fitsCharacterString("SERIAL=", value)) {
            error = "serial is too long";
            return false;
        }
        scanner.serial = value;
    } else if (key == "mac") {
        if (!fitsCharacterString("ethaddr=", value)) {
            error = "mac is too long";
            return false;
        }
        scanner.mac = value;
    } else if (key == "ip") {
        in_addr address{};
        if (inet_pton(AF_INET, value.c_str(), &address) != 1) {
            error = "ip must be an IPv4 address in dotted decimal: " + value;
            return false;
        }
        scanner.ip = value;
    } else if (key == "mdns-delay-ms") {
        if (!parseInt(value, 0, kMaxMs, scanner.mdnsDelayMs)) {
            error = "mdns-delay-ms must be a number of milliseconds (0 to 600000)";
            return false;
        }
    } else if (key == "mdns-twice") {
        int gap = 0;
        if (!parseInt(value, 0, kMaxMs, gap)) {
            error = "mdns-twice must be the gap between the two answers in milliseconds (0 to 600000)";
            return false;
        }
        scanner.mdnsTwiceGapMs = gap;
    } else if (key == "mdns-max") {
        int count = 0;
        if (!parseInt(value, 0, 1000000, count)) {
            error = "mdns-max must be a number of queries";
            return false;
        }
        scanner.mdnsMaxQueries = count;
    } else if (key == "mdns-layout") {
        if (value != "answers" && value != "additional") {
            error = "mdns-layout must be answers or additional";
            return false;
        }
        scanner.mdnsAdditionalLayout = (value == "additional");
    } else if (key == "mdns-ttl") {
        int ttl = 0;
        if (!parseInt(value, 0, 0x7FFFFFFF, ttl)) {
            error = "mdns-ttl must be a number of seconds (0 for a goodbye)";
            return false;
        }
        scanner.mdnsTtl = static_cast<uint32_t>(ttl);
    } else if (key == "mdns") {
        if (value != "on" && value != "off") {
            error = "mdns must be on or off";
            return false;
        }
        scanner.mdns = (value == "on");
    }
    // Other keys belong to other parts of the simulator; they are kept in settings.
    return true;
}

bool parseScanner(const std::string& pairs, size_t index, ScannerConfig& scanner, std::string& error)
{
    scanner.ip = "127.0.0." + std::to_string(2 + index);
    if (index > 252) {
        scanner.ip.clear(); // must be given explicitly beyond 127.0.0.254
    }
    std::stringstream stream(pairs);
    std::string pair;
    while (std::getline(stream, pair, ',')) {
        if (pair.empty()) {
            continue;
        }
        size_t equals = pair.find('=');
        if (equals == std::string::npos || equals == 0) {
            error = "--scanner expects KEY=VALUE pairs separated by commas, got \"" + pair + "\"";
            return false;
        }
        std::string key = pair.substr(0, equals);
        std::string value = pair.substr(equals + 1);
        if (!applyScannerKey(scanner, key, value, error)) {
            return false;
        }
        scanner.settings[key] = value;
    }
    if (scanner.ip.empty()) {
        error = "scanner " + std::to_string(index + 1) + " needs ip=";
        return false;
    }
    return true;
}

// The scanners of --fleet: the next free default addresses, generated names
// and serials, then the --fleet-keys pairs (which may replace those).
bool addFleet(int count, const std::string& keys, SimOptions& options, std::string& error)
{
    for (int k = 1; k <= count; ++k) {
        std::string serial = std::to_string(k);
        serial.insert(0, serial.size() < 4 ? 4 - serial.size() : 0, '0');
        ScannerConfig scanner;
        const std::string pairs =
            "model=FLEET,name=Fleet scanner " + std::to_string(k) + ",serial=FS" + serial + "," + keys;
        if (!parseScanner(pairs, options.scanners.size(), scanner, error)) {
            error = "--fleet: " + error;
            return false;
        }
        options.scanners.push_back(std::move(scanner));
    }
    return true;
}

} // namespace

bool SimOptions::Parse(int argc, const char* const* argv, SimOptions& options, std::string& error)
{
    options = SimOptions();
    int fleetSize = 0;
    int requestDelayMs = 0;
    for (int i = 1; i < argc; ++i) {
        std::string name = argv[i];
        std::optional<std::string> inlineValue;
        size_t equals = name.find('=');
        if (name.rfind("--", 0) == 0 && equals != std::string::npos) {
            inlineValue = name.substr(equals + 1);
            name = name.substr(0, equals);
        }
        const GlobalOption* option = findGlobal(name);
        if (option == nullptr) {
            error = "unknown option " + name;
            return false;
        }
        std::string value;
        if (option->takesValue) {
            if (inlineValue) {
                value = *inlineValue;
            } else if (i + 1 < argc) {
                value = argv[++i];
            } else {
                error = name + " needs a value";
                return false;
            }
        } else if (inlineValue) {
            error = name + " takes no value";
            return false;
        }

        if (name == "--help") {
            options.help = true;
        } else if (name == "--version") {
            options.version = true;
        } else if (name == "--no-mdns") {
            options.noMdns = true;
        } else if (name == "--run-for") {
            char* end = nullptr;
            double seconds = std::strtod(value.c_str(), &end);
            if (value.empty() || *end != '\0' || !std::isfinite(seconds) || seconds <= 0 || seconds > 31536000) {
                error = "--run-for expects a positive number of seconds";
                return false;
            }
            options.runForSeconds = seconds;
        } else if (name == "--scanner") {
            ScannerConfig scanner;
            if (!parseScanner(value, options.scanners.size(), scanner, error)) {
                return false;
            }
            options.scanners.push_back(std::move(scanner));
        } else if (name == "--fleet" && !parseInt(value, 1, 253, fleetSize)) {
            error = "--fleet expects a number of scanners (1 to 253)";
            return false;
        } else if (name == "--fleet-keys" && ("," + value).find(",ip=") != std::string::npos) {
            error = "--fleet-keys cannot give ip: the fleet takes the next addresses";
            return false;
        } else if (name == "--request-delay-ms" && !parseInt(value, 0, 600000, requestDelayMs)) {
            error = "--request-delay-ms must be a number of milliseconds (0 to 600000)";
            return false;
        }
        options.globals[name] = value;
    }
    const auto fleetKeys = options.globals.find("--fleet-keys");
    if (fleetKeys != options.globals.end() && fleetSize == 0) {
        error = "--fleet-keys needs --fleet";
        return false;
    }
    if (!addFleet(fleetSize, fleetKeys == options.globals.end() ? std::string() : fleetKeys->second, options, error)) {
        return false;
    }
    if (options.globals.count("--request-delay-ms") != 0) {
        for (ScannerConfig& scanner : options.scanners) {
            scanner.settings.emplace("request-delay-ms", std::to_string(requestDelayMs));
        }
    }
    return true;
}

std::string SimOptions::Usage()
{
    std::string text =
        "usage: vantix-scanner-sim [options]\n"
        "Plays network scanners for tests and demos. Run it only inside a private\n"
        "network namespace (tests/netns-run.sh): it answers multicast DNS.\n\n"
        "Options:\n";
    for (const GlobalOption& option : kGlobalOptions) {
        text += "  " + std::string(option.name) + "  " + option.help + "\n";
    }
    text +=
        "\nScanner keys (--scanner):\n"
        "  model=TEXT  name=TEXT  serial=TEXT  mac=TEXT   the TXT record's values; a key\n"
        "                           left out is left out of the answer\n"
        "  ip=A.B.C.D               address the scanner answers from (default 127.0.0.2, .3, ...)\n"
        "  mdns-delay-ms=MS         wait before answering a query\n"
        "  mdns-twice=MS            answer each query twice, MS apart\n"
        "  mdns-max=N               answer only the first N queries\n"
        "  mdns=off                 this scanner does not answer\n"
        "  mdns-layout=additional   PTR as the answer, SRV, TXT and A as additional records\n"
        "  mdns-ttl=SECONDS         the records' time-to-live (0: a leaving service's goodbye)\n"
        "REST interface (HTTPS on port 443 of ip; details in the README):\n"
        "  id=TEXT id-type=string|number   scanner-name=TEXT   password=JOBPASSWORD\n"
        "  conn=TEXT conn-type=string|number   status-queries-per-phase=N\n"
        "  scan-end-status=N scan-end-code=N   refuse-slot=N refuse-result=N refuse-code=N\n"
        "  cert=expired|legacy (legacy: RSA 1024 signed with SHA-1)\n"
        "  request-delay-ms=MS      every answer waits this long\n"
        "  tls=1.0|1.1|1.2|1.3      speak only this TLS version (default: 1.2 and 1.3)\n"
        "  fault.<op>.status|code|code-type|result|body|body-file|delay-ms|after|times=VALUE\n"
        "    <op>: identify lock settings scan status unlock register delete\n"
        "    body: notjson empty array huge close hang truncated\n";
    return text;
}
