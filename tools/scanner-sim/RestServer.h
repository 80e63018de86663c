#pragma once

#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include <httplib.h>

#include "RequestLog.h"
#include "RestScanner.h"
#include "SelfSignedCert.h"

// The HTTPS listener of one simulated scanner on its own address. cpp-httplib
// parses requests and writes answers; the TLS side is done here so that every
// request can be logged byte for byte and a connection can be dropped unanswered.
class RestServer : public httplib::Server {
public:
    // log may be null (no request log); verbose prints one line per request
    // (never a body) on standard output.
    RestServer(std::shared_ptr<RestScanner> scanner, SelfSignedCert::Context context, RequestLog* log,
               bool verbose);
    ~RestServer() override;

    // Binds scanner ip:port and starts serving on a thread of its own.
    bool Start(int port, std::string& error);
    // Ends waits in progress, closes the listener and joins the workers.
    void Stop();

private:
    bool process_and_close_socket(int sock) override;
    void Serve(const httplib::Request& request, httplib::Response& response);

    std::shared_ptr<RestScanner> mScanner;
    SelfSignedCert::Context mContext;
    RequestLog* mLog;
    bool mVerbose;
    std::thread mThread;
};
