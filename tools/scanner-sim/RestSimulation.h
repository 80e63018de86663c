#pragma once

#include <memory>
#include <string>
#include <vector>

#include "RequestLog.h"
#include "RestServer.h"
#include "SimOptions.h"

// The REST side of the whole simulator: one HTTPS server on port 443 per
// simulated scanner, and the shared request log (--log FILE). --verbose prints
// one line per request; --no-rest leaves the REST side out.
class RestSimulation {
public:
    RestSimulation() = default;
    ~RestSimulation();
    RestSimulation(const RestSimulation&) = delete;
    RestSimulation& operator=(const RestSimulation&) = delete;

    // False with a reason when a scanner's keys are bad or an address cannot be bound.
    bool Start(const SimOptions& options, std::string& error);
    void Stop();

private:
    std::unique_ptr<RequestLog> mLog;
    std::vector<std::unique_ptr<RestServer>> mServers;
};
