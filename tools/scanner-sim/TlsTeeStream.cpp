#include "TlsTeeStream.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>

#include <algorithm>
#include <cerrno>

namespace {
void describe(const sockaddr_storage& address, std::string& ip, int& port)
{
    char text[INET6_ADDRSTRLEN] = {};
    if (address.ss_family == AF_INET) {
        const auto& v4 = reinterpret_cast<const sockaddr_in&>(address);
        inet_ntop(AF_INET, &v4.sin_addr, text, sizeof text);
        port = ntohs(v4.sin_port);
    } else if (address.ss_family == AF_INET6) {
        const auto& v6 = reinterpret_cast<const sockaddr_in6&>(address);
        inet_ntop(AF_INET6, &v6.sin6_addr, text, sizeof text);
        port = ntohs(v6.sin6_port);
    }
    ip = text;
}
} // namespace

TlsTeeStream::TlsTeeStream(SSL* ssl, int fd, int timeoutMs) : mSsl(ssl), mFd(fd), mTimeoutMs(timeoutMs) {}

bool TlsTeeStream::waitFor(short events) const
{
    pollfd entry{mFd, events, 0};
    int ready = 0;
    do {
        ready = poll(&entry, 1, mTimeoutMs);
    } while (ready < 0 && errno == EINTR);
    return ready > 0;
}

bool TlsTeeStream::is_readable() const
{
    return SSL_pending(mSsl) > 0 || waitFor(POLLIN);
}

bool TlsTeeStream::is_writable() const
{
    return !mSilenced && waitFor(POLLOUT);
}

ssize_t TlsTeeStream::read(char* ptr, size_t size)
{
    if (size == 0 || !is_readable()) {
        return -1;
    }
    int count = SSL_read(mSsl, ptr, static_cast<int>(std::min<size_t>(size, 1 << 20)));
    if (count <= 0) {
        return -1;
    }
    // The copy serves the log's header list; it need not grow without bound.
    constexpr size_t kMaxRecorded = 1 << 20;
    if (mReceived.size() < kMaxRecorded) {
        mReceived.append(ptr, std::min(static_cast<size_t>(count), kMaxRecorded - mReceived.size()));
    }
    return count;
}

ssize_t TlsTeeStream::write(const char* ptr, size_t size)
{
    if (mSilenced) {
        return -1;
    }
    if (size == 0) {
        return 0;
    }
    int count = SSL_write(mSsl, ptr, static_cast<int>(std::min<size_t>(size, 1 << 20)));
    return count <= 0 ? -1 : count;
}

void TlsTeeStream::get_remote_ip_and_port(std::string& ip, int& port) const
{
    sockaddr_storage address{};
    socklen_t length = sizeof address;
    if (getpeername(mFd, reinterpret_cast<sockaddr*>(&address), &length) == 0) {
        describe(address, ip, port);
    }
}

void TlsTeeStream::get_local_ip_and_port(std::string& ip, int& port) const
{
    sockaddr_storage address{};
    socklen_t length = sizeof address;
    if (getsockname(mFd, reinterpret_cast<sockaddr*>(&address), &length) == 0) {
        describe(address, ip, port);
    }
}

int TlsTeeStream::socket() const
{
    return mFd;
}

bool TlsTeeStream::peerClosed() const
{
    pollfd entry{mFd, POLLIN | POLLRDHUP, 0};
    if (poll(&entry, 1, 0) <= 0) {
        return false;
    }
    return (entry.revents & (POLLRDHUP | POLLHUP | POLLERR)) != 0;
}
