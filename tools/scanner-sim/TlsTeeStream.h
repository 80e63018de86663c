#pragma once

#include <string>

#include <httplib.h>
#include <openssl/ssl.h>

// One accepted TLS connection as cpp-httplib's stream, keeping a copy of every
// byte read, so that the request log can show the headers exactly as they came
// (cpp-httplib's own header map loses their order). It can also be silenced:
// the connection then ends without any answer.
class TlsTeeStream : public httplib::Stream {
public:
    TlsTeeStream(SSL* ssl, int fd, int timeoutMs);

    bool is_readable() const override;
    bool is_writable() const override;
    ssize_t read(char* ptr, size_t size) override;
    ssize_t write(const char* ptr, size_t size) override;
    using httplib::Stream::write;
    void get_remote_ip_and_port(std::string& ip, int& port) const override;
    void get_local_ip_and_port(std::string& ip, int& port) const override;
    int socket() const override;

    // Everything read so far: the request head and its body.
    const std::string& received() const { return mReceived; }
    void silence() { mSilenced = true; }
    bool silenced() const { return mSilenced; }
    // True once the peer has closed its side.
    bool peerClosed() const;

private:
    bool waitFor(short events) const;

    SSL* mSsl;
    int mFd;
    int mTimeoutMs;
    std::string mReceived;
    bool mSilenced = false;
};
