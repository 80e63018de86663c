#include "FWKVXSDK/DiscoveryManager/UDP/MdnsSocket.h"

#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

int32_t MdnsSocket::OpenReusable(const char* service)
{
    // The lookup only yields the socket parameters; its address is not used.
    addrinfo hints{};
    hints.ai_flags = AI_PASSIVE;
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_DGRAM;
    hints.ai_protocol = IPPROTO_UDP;
    addrinfo* found = nullptr;
    if (getaddrinfo("localhost", service, &hints, &found) != 0 || found == nullptr) {
        return -1;
    }
    int32_t descriptor = socket(found->ai_family, found->ai_socktype | SOCK_CLOEXEC, found->ai_protocol);
    freeaddrinfo(found);
    if (descriptor < 0) {
        return -1;
    }
    int one = 1;
    if (setsockopt(descriptor, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one) != 0 ||
        setsockopt(descriptor, SOL_SOCKET, SO_REUSEPORT, &one, sizeof one) != 0) {
        Close(descriptor);
    }
    return descriptor;
}

void MdnsSocket::Close(int32_t& descriptor)
{
    // Descriptor 0 is a valid socket when standard input was closed.
    if (descriptor >= 0) {
        close(descriptor);
    }
    descriptor = -1;
}
