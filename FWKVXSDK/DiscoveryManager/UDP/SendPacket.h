#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Sends one multicast-DNS datagram to the group from port 5353, so that
// scanners answer to the group, where the discovery listener hears them.
class SendPacket {
public:
    explicit SendPacket(std::string group = "224.0.0.251", int32_t port = 5353);
    ~SendPacket();
    SendPacket(const SendPacket&) = delete;
    SendPacket& operator=(const SendPacket&) = delete;

    // Sends the datagram to the group. False only when the address lookup or
    // the socket set-up failed; a failed transmission itself is not reported.
    bool Send(const std::vector<uint8_t>& datagram);
    // Closes the socket; harmless when it is closed already.
    void terminate();

    int32_t multicastSocket() const { return mMulticastSocket; }

private:
    std::string mGroup;
    int32_t mPort;
    int32_t mMulticastSocket = -1;
};
