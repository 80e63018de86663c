#include "RestSimulation.h"

#include <map>

namespace {
// A key whose value must be one of the given names; absent leaves `out` as it is.
template <typename T>
bool pick(const ScannerConfig& config, const std::string& key, const std::map<std::string, T>& choices, T& out,
          std::string& error)
{
    auto given = config.settings.find(key);
    if (given == config.settings.end()) {
        return true;
    }
    auto found = choices.find(given->second);
    if (found == choices.end()) {
        error = key + " must be one of:";
        for (const auto& [name, value] : choices) {
            error += " " + name;
        }
        return false;
    }
    out = found->second;
    return true;
}

// The keys "cert" (valid, expired, legacy) and "tls" (1.0, 1.1, 1.2, 1.3).
bool TlsChoice(const ScannerConfig& config, SelfSignedCert::Kind& kind, int& tlsVersion, std::string& error)
{
    return pick<SelfSignedCert::Kind>(config, "cert",
                                      {{"valid", SelfSignedCert::Kind::Valid},
                                       {"expired", SelfSignedCert::Kind::Expired},
                                       {"legacy", SelfSignedCert::Kind::Legacy}},
                                      kind, error) &&
           pick<int>(config, "tls",
                     {{"1.0", TLS1_VERSION}, {"1.1", TLS1_1_VERSION}, {"1.2", TLS1_2_VERSION}, {"1.3", TLS1_3_VERSION}},
                     tlsVersion, error);
}
} // namespace

RestSimulation::~RestSimulation()
{
    Stop();
}

bool RestSimulation::Start(const SimOptions& options, std::string& error)
{
    auto global = [&](const std::string& name) { return options.globals.count(name) > 0; };
    if (global("--log")) {
        mLog = std::make_unique<RequestLog>();
        if (!mLog->Open(options.globals.at("--log"), error)) {
            return false;
        }
    }
    bool verbose = global("--verbose");
    for (const ScannerConfig& config : options.scanners) {
        auto scanner = std::make_shared<RestScanner>();
        if (!scanner->Configure(config.ip, config.settings, error)) {
            error = "scanner " + config.ip + ": " + error;
            return false;
        }
        SelfSignedCert::Kind kind = SelfSignedCert::Kind::Valid;
        int tlsVersion = 0;
        if (!TlsChoice(config, kind, tlsVersion, error)) {
            error = "scanner " + config.ip + ": " + error;
            return false;
        }
        auto context = SelfSignedCert::MakeServerContext(kind, tlsVersion, error);
        if (!context) {
            return false;
        }
        auto server = std::make_unique<RestServer>(scanner, std::move(context), mLog.get(), verbose);
        if (!server->Start(443, error)) {
            return false;
        }
        mServers.push_back(std::move(server));
    }
    return true;
}

void RestSimulation::Stop()
{
    for (auto& server : mServers) {
        server->Stop();
    }
    mServers.clear();
}
