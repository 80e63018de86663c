#include "RestSimulation.h"

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
        auto cert = config.settings.find("cert");
        if (cert != config.settings.end() && cert->second != "expired" && cert->second != "valid") {
            error = "scanner " + config.ip + ": cert must be valid or expired";
            return false;
        }
        bool expired = cert != config.settings.end() && cert->second == "expired";
        auto context = SelfSignedCert::MakeServerContext(expired, error);
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
