#include "RestServer.h"

#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>

#include "TlsTeeStream.h"

namespace {
// The connection being served on this worker thread; cpp-httplib gives its
// handlers the parsed request only.
thread_local TlsTeeStream* tCurrent = nullptr;

constexpr int kIoTimeoutMs = 5000;
constexpr int kLongestHangMs = 10 * 60 * 1000;

std::mutex& outputLock()
{
    static std::mutex lock;
    return lock;
}
} // namespace

RestServer::RestServer(std::shared_ptr<RestScanner> scanner, SelfSignedCert::Context context, RequestLog* log,
                       bool verbose)
    : mScanner(std::move(scanner)), mContext(std::move(context)), mLog(log), mVerbose(verbose)
{
    auto handler = [this](const httplib::Request& request, httplib::Response& response) { Serve(request, response); };
    // Scanner requests are small; a client cannot make the simulator hold more.
    set_payload_max_length(8 * 1024 * 1024);
    const std::string any = ".*";
    Get(any, handler);
    Post(any, handler);
    Put(any, handler);
    Delete(any, handler);
    Patch(any, handler);
    Options(any, handler);
}

RestServer::~RestServer()
{
    Stop();
}

bool RestServer::Start(int port, std::string& error)
{
    if (!bind_to_port(mScanner->ip(), port)) {
        error = "cannot listen on " + mScanner->ip() + ":" + std::to_string(port);
        return false;
    }
    mThread = std::thread([this] { listen_after_bind(); });
    // stop() only reaches a server that is already listening; a loaded machine may
    // be slow to schedule the new thread, and a missed stop would hang the exit.
    for (int i = 0; i < 5000 && !is_running(); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}

void RestServer::Stop()
{
    mScanner->Interrupt();
    stop();
    if (mThread.joinable()) {
        mThread.join();
    }
}

bool RestServer::process_and_close_socket(int sock)
{
    timeval timeout{kIoTimeoutMs / 1000, 0};
    setsockopt(sock, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
    setsockopt(sock, SOL_SOCKET, SO_SNDTIMEO, &timeout, sizeof timeout);
    bool served = false;
    SSL* ssl = SSL_new(mContext.get());
    if (ssl && SSL_set_fd(ssl, sock) == 1 && SSL_accept(ssl) == 1) {
        TlsTeeStream stream(ssl, sock, kIoTimeoutMs);
        tCurrent = &stream;
        bool closed = false;
        // One request per connection, as the scanners' clients never reuse one.
        served = process_request(stream, true, closed, [ssl](httplib::Request& request) { request.ssl = ssl; });
        tCurrent = nullptr;
        if (!stream.silenced()) {
            SSL_shutdown(ssl);
        }
    }
    if (ssl) {
        SSL_free(ssl);
    }
    ::shutdown(sock, SHUT_RDWR);
    ::close(sock);
    return served;
}

void RestServer::Serve(const httplib::Request& request, httplib::Response& response)
{
    TlsTeeStream* stream = tCurrent;
    if (mLog) {
        RequestLog::Entry entry;
        entry.scanner = mScanner->ip();
        entry.method = request.method;
        entry.path = request.target;
        entry.headers = RequestLog::ParseHeaderLines(stream ? stream->received() : std::string());
        entry.body = request.body;
        mLog->Write(entry);
    }

    RestScanner::Answer answer = mScanner->Handle({request.method, request.target, request.body});
    if (answer.delayMs > 0) {
        mScanner->Pause(answer.delayMs);
    }
    if (answer.hang && stream) {
        for (int waited = 0; waited < kLongestHangMs && !stream->peerClosed(); waited += 100) {
            if (!mScanner->Pause(100)) {
                break;
            }
        }
    }
    if (answer.truncated && stream) {
        // The head promises the whole body; the connection ends half-way through it.
        const std::string head = "HTTP/1.1 " + std::to_string(answer.status) + " OK\r\nContent-Type: " +
                                 answer.contentType + "\r\nContent-Length: " + std::to_string(answer.body.size()) +
                                 "\r\nConnection: close\r\n\r\n";
        stream->write(head + answer.body.substr(0, answer.body.size() / 2));
        stream->silence();
    } else if ((answer.close || answer.hang) && stream) {
        stream->silence();
    } else {
        response.status = answer.status;
        response.set_content(answer.body, answer.contentType.c_str());
    }

    if (mVerbose) {
        std::string target = request.target;
        for (char& c : target) {
            if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
                c = '?'; // keep the terminal safe from what a client sends
            }
        }
        std::string line = mScanner->ip() + " " + request.method + " " + target + " -> " +
                           (answer.close || answer.hang ? std::string("closed")
                                                         : std::to_string(answer.status) + (answer.truncated ? " truncated" : ""));
        std::lock_guard<std::mutex> guard(outputLock());
        std::printf("%s\n", line.c_str());
        std::fflush(stdout);
    }
}
