#include "MdnsResponder.h"

#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <strings.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>

#include "FWKVXSDK/DiscoveryManager/UDP/RecvPacket.h"

namespace {

const char* const kGroup = "224.0.0.251";
const uint16_t kPort = 5353;
const char* const kServiceName = "_scanner._tcp.local";
const uint16_t kTypePtr = 12;
const uint16_t kTypeTxt = 16;
const uint16_t kTypeSrv = 33;
const uint16_t kTypeA = 1;
// Queries arrive only from tests in a private namespace; this bounds the work
// a burst of them can queue.
const size_t kMaxPending = 4096;

void put16(std::vector<uint8_t>& out, uint16_t value)
{
    out.push_back(static_cast<uint8_t>(value >> 8));
    out.push_back(static_cast<uint8_t>(value & 0xFF));
}

void put32(std::vector<uint8_t>& out, uint32_t value)
{
    put16(out, static_cast<uint16_t>(value >> 16));
    put16(out, static_cast<uint16_t>(value & 0xFFFF));
}

void putLabel(std::vector<uint8_t>& out, const std::string& label)
{
    size_t length = std::min<size_t>(label.size(), 63);
    out.push_back(static_cast<uint8_t>(length));
    out.insert(out.end(), label.begin(), label.begin() + static_cast<std::ptrdiff_t>(length));
}

void putCharacterString(std::vector<uint8_t>& out, const std::string& text)
{
    size_t length = std::min<size_t>(text.size(), 255);
    out.push_back(static_cast<uint8_t>(length));
    out.insert(out.end(), text.begin(), text.begin() + static_cast<std::ptrdiff_t>(length));
}

void putPointer(std::vector<uint8_t>& out, size_t offset)
{
    out.push_back(static_cast<uint8_t>(0xC0 | (offset >> 8)));
    out.push_back(static_cast<uint8_t>(offset & 0xFF));
}

uint16_t get16(const uint8_t* data)
{
    return static_cast<uint16_t>((data[0] << 8) | data[1]);
}

int openSocket(const std::string& bindAddress, bool forSending, std::string& error)
{
    int fd = socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
    if (fd < 0) {
        error = std::string("socket: ") + std::strerror(errno);
        return -1;
    }
    int one = 1;
    unsigned char ttl = 1;
    in_addr address{};
    inet_pton(AF_INET, bindAddress.c_str(), &address);
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_port = htons(kPort);
    local.sin_addr = address;
    bool ok = setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one) == 0 &&
              setsockopt(fd, SOL_SOCKET, SO_REUSEPORT, &one, sizeof one) == 0 &&
              bind(fd, reinterpret_cast<sockaddr*>(&local), sizeof local) == 0;
    if (ok && forSending) {
        ok = setsockopt(fd, IPPROTO_IP, IP_MULTICAST_IF, &address, sizeof address) == 0 &&
             setsockopt(fd, IPPROTO_IP, IP_MULTICAST_LOOP, &one, sizeof one) == 0 &&
             setsockopt(fd, IPPROTO_IP, IP_MULTICAST_TTL, &ttl, sizeof ttl) == 0;
    } else if (ok) {
        ip_mreq membership{};
        inet_pton(AF_INET, kGroup, &membership.imr_multiaddr);
        membership.imr_interface.s_addr = htonl(INADDR_ANY);
        ok = setsockopt(fd, IPPROTO_IP, IP_ADD_MEMBERSHIP, &membership, sizeof membership) == 0;
    }
    if (!ok) {
        error = "socket on " + bindAddress + ":5353: " + std::strerror(errno);
        close(fd);
        return -1;
    }
    return fd;
}

} // namespace

MdnsResponder::MdnsResponder(std::vector<ScannerConfig> scanners) : mScanners(std::move(scanners)) {}

MdnsResponder::~MdnsResponder()
{
    Stop();
}

bool MdnsResponder::Start(std::string& error)
{
    mListenSocket = openSocket("0.0.0.0", false, error);
    if (mListenSocket < 0 || pipe2(mWakePipe, O_CLOEXEC | O_NONBLOCK) != 0) {
        if (error.empty()) {
            error = std::string("pipe: ") + std::strerror(errno);
        }
        CloseSockets();
        return false;
    }
    for (const ScannerConfig& scanner : mScanners) {
        int fd = -1;
        if (scanner.mdns) {
            fd = openSocket(scanner.ip, true, error);
            if (fd < 0) {
                CloseSockets();
                return false;
            }
        }
        mAnswerSockets.push_back(fd);
        mQueriesAnswered.push_back(0);
    }
    mThread = std::thread([this] { Run(); });
    return true;
}

void MdnsResponder::Stop()
{
    if (mThread.joinable()) {
        char byte = 0;
        ssize_t written = write(mWakePipe[1], &byte, 1);
        (void)written; // a full pipe already wakes the thread
        mThread.join();
    }
    CloseSockets();
}

void MdnsResponder::CloseSockets()
{
    for (int& fd : mAnswerSockets) {
        if (fd >= 0) {
            close(fd);
        }
    }
    mAnswerSockets.clear();
    for (int* fd : {&mListenSocket, &mWakePipe[0], &mWakePipe[1]}) {
        if (*fd >= 0) {
            close(*fd);
            *fd = -1;
        }
    }
}

void MdnsResponder::Run()
{
    for (;;) {
        int timeoutMs = -1;
        if (!mPending.empty()) {
            auto due = std::min_element(mPending.begin(), mPending.end(),
                                        [](const PendingAnswer& a, const PendingAnswer& b) { return a.due < b.due; })
                           ->due;
            auto wait = std::chrono::ceil<std::chrono::milliseconds>(due - Clock::now()).count();
            timeoutMs = static_cast<int>(std::clamp<long long>(wait, 0, 1000));
        }
        pollfd fds[2] = {{mListenSocket, POLLIN, 0}, {mWakePipe[0], POLLIN, 0}};
        int ready = poll(fds, 2, timeoutMs);
        if (ready < 0 && errno != EINTR) {
            return;
        }
        if (ready > 0 && (fds[1].revents & POLLIN) != 0) {
            return;
        }
        Clock::time_point now = Clock::now();
        if (ready > 0 && (fds[0].revents & POLLIN) != 0) {
            HandleQuery(now);
        }
        SendDue(now);
    }
}

void MdnsResponder::HandleQuery(Clock::time_point now)
{
    uint8_t buffer[9000];
    ssize_t length = recv(mListenSocket, buffer, sizeof buffer, MSG_DONTWAIT);
    if (length <= 0 || !IsScannerQuery(buffer, static_cast<size_t>(length))) {
        return;
    }
    for (size_t i = 0; i < mScanners.size(); ++i) {
        const ScannerConfig& scanner = mScanners[i];
        if (mAnswerSockets[i] < 0 || mPending.size() + 2 > kMaxPending) {
            continue;
        }
        if (scanner.mdnsMaxQueries && mQueriesAnswered[i] >= *scanner.mdnsMaxQueries) {
            continue;
        }
        ++mQueriesAnswered[i];
        Clock::time_point due = now + std::chrono::milliseconds(scanner.mdnsDelayMs);
        mPending.push_back({due, i});
        if (scanner.mdnsTwiceGapMs) {
            mPending.push_back({due + std::chrono::milliseconds(*scanner.mdnsTwiceGapMs), i});
        }
    }
}

void MdnsResponder::SendDue(Clock::time_point now)
{
    sockaddr_in group{};
    group.sin_family = AF_INET;
    group.sin_port = htons(kPort);
    inet_pton(AF_INET, kGroup, &group.sin_addr);
    // Earliest first, so two answers due in the same pass keep their order.
    std::stable_sort(mPending.begin(), mPending.end(),
                     [](const PendingAnswer& a, const PendingAnswer& b) { return a.due < b.due; });
    auto firstLater = std::find_if(mPending.begin(), mPending.end(),
                                   [now](const PendingAnswer& answer) { return answer.due > now; });
    for (auto it = mPending.begin(); it != firstLater; ++it) {
        std::vector<uint8_t> answer = BuildAnswer(mScanners[it->scanner]);
        sendto(mAnswerSockets[it->scanner], answer.data(), answer.size(), 0, reinterpret_cast<sockaddr*>(&group),
               sizeof group);
    }
    mPending.erase(mPending.begin(), firstLater);
}

bool MdnsResponder::IsScannerQuery(const uint8_t* data, size_t length)
{
    if (length < 12) {
        return false;
    }
    uint16_t flags = get16(data + 2);
    if ((flags & 0x8000) != 0 || (flags & 0x7800) != 0) { // responses and non-standard queries
        return false;
    }
    uint16_t questions = get16(data + 4);
    size_t offset = 12;
    for (uint16_t i = 0; i < questions; ++i) {
        char name[256];
        size_t end = getRecDomainName(data, length, offset, name, sizeof name);
        if (end == 0 || end + 4 > length) {
            return false;
        }
        uint16_t type = get16(data + end);
        uint16_t qclass = get16(data + end + 2) & 0x7FFF;
        if (type == kTypePtr && qclass == 1 && strcasecmp(name, kServiceName) == 0) {
            return true;
        }
        offset = end + 4;
    }
    return false;
}

std::vector<uint8_t> MdnsResponder::BuildAnswer(const ScannerConfig& scanner)
{
    const bool additional = scanner.mdnsAdditionalLayout;
    const uint32_t ttl = scanner.mdnsTtl;
    std::vector<uint8_t> out;
    put16(out, 0);                   // identifier
    put16(out, 0x8400);              // response, authoritative
    put16(out, 0);                   // questions
    put16(out, additional ? 1 : 2);  // answers: PTR (and TXT)
    put16(out, 0);
    put16(out, additional ? 3 : 0);  // additional: SRV, TXT, A

    // PTR: _scanner._tcp.local -> <instance>._scanner._tcp.local
    const size_t serviceOffset = out.size();
    putLabel(out, "_scanner");
    putLabel(out, "_tcp");
    putLabel(out, "local");
    out.push_back(0);
    put16(out, kTypePtr);
    put16(out, 1);
    put32(out, ttl);
    std::string instance = scanner.name.value_or("Scanner");
    if (instance.empty()) {
        instance = "Scanner";
    }
    size_t instanceLength = std::min<size_t>(instance.size(), 63);
    put16(out, static_cast<uint16_t>(1 + instanceLength + 2));
    const size_t instanceOffset = out.size();
    putLabel(out, instance);
    putPointer(out, serviceOffset);

    // SRV: port 443 on the host "scanner-<last octet>.local".
    size_t hostOffset = 0;
    const std::string host = "scanner-" + scanner.ip.substr(scanner.ip.rfind('.') + 1);
    if (additional) {
        putPointer(out, instanceOffset);
        put16(out, kTypeSrv);
        put16(out, 0x8001); // IN, cache flush
        put32(out, ttl);
        put16(out, static_cast<uint16_t>(6 + 1 + host.size() + 2));
        put16(out, 0); // priority
        put16(out, 0); // weight
        put16(out, 443);
        hostOffset = out.size();
        putLabel(out, host);
        putPointer(out, serviceOffset + 1 + 8 + 1 + 4); // "local"
    }

    // TXT, named by a compression pointer to the instance name.
    putPointer(out, instanceOffset);
    put16(out, kTypeTxt);
    put16(out, 0x8001); // IN, cache flush
    put32(out, ttl);
    std::vector<uint8_t> text;
    putCharacterString(text, "txtvers=1");
    if (scanner.model) {
        putCharacterString(text, "mdl=MERIX " + *scanner.model);
    }
    if (scanner.serial) {
        putCharacterString(text, "SERIAL=" + *scanner.serial);
    }
    if (scanner.name) {
        putCharacterString(text, "device=" + *scanner.name);
    }
    if (scanner.mac) {
        putCharacterString(text, "ethaddr=" + *scanner.mac);
    }
    put16(out, static_cast<uint16_t>(text.size()));
    out.insert(out.end(), text.begin(), text.end());

    // A: the host's address.
    if (additional) {
        in_addr address{};
        inet_pton(AF_INET, scanner.ip.c_str(), &address);
        putPointer(out, hostOffset);
        put16(out, kTypeA);
        put16(out, 0x8001);
        put32(out, ttl);
        put16(out, 4);
        const auto* bytes = reinterpret_cast<const uint8_t*>(&address.s_addr);
        out.insert(out.end(), bytes, bytes + 4);
    }
    return out;
}
