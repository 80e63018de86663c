#include "FWKVXSDK/DiscoveryManager/UDP/SendPacket.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include "FWKVXSDK/DiscoveryManager/UDP/MdnsSocket.h"

SendPacket::SendPacket(std::string group, int32_t port) : mGroup(std::move(group)), mPort(port) {}

SendPacket::~SendPacket()
{
    terminate();
}

bool SendPacket::Send(const std::vector<uint8_t>& datagram)
{
    terminate();
    std::string service = std::to_string(mPort);
    mMulticastSocket = MdnsSocket::OpenReusable(service.c_str());
    if (mMulticastSocket < 0) {
        return false;
    }

    int one = 1;
    unsigned char ttl = 1;
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_port = htons(static_cast<uint16_t>(mPort));
    local.sin_addr.s_addr = htonl(INADDR_ANY);
    sockaddr_in group{};
    group.sin_family = AF_INET;
    group.sin_port = htons(static_cast<uint16_t>(mPort));
    bool ready = inet_pton(AF_INET, mGroup.c_str(), &group.sin_addr) == 1 &&
                 setsockopt(mMulticastSocket, IPPROTO_IP, IP_MULTICAST_LOOP, &one, sizeof one) == 0 &&
                 setsockopt(mMulticastSocket, IPPROTO_IP, IP_MULTICAST_TTL, &ttl, sizeof ttl) == 0 &&
                 bind(mMulticastSocket, reinterpret_cast<sockaddr*>(&local), sizeof local) == 0;
    if (!ready) {
        terminate();
        return false;
    }
    sendto(mMulticastSocket, datagram.data(), datagram.size(), 0, reinterpret_cast<sockaddr*>(&group), sizeof group);
    return true;
}

void SendPacket::terminate()
{
    MdnsSocket::Close(mMulticastSocket);
}
