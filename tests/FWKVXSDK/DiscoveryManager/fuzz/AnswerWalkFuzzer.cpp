// libFuzzer target: any datagram through the answer walk and the name walker.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "FWKVXSDK/DiscoveryManager/UDP/RecvPacket.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    RecvPacket::Dictionary values;
    bool found = RecvPacket::ReadAnswer(data, size, "192.0.2.1", values);
    if (found != !values.empty()) {
        __builtin_trap();
    }
    // A query (QR bit clear) is never an answer, whatever records it carries.
    if (found && size >= 4 && (data[2] & 0x80) == 0) {
        __builtin_trap();
    }

    // The name walker from an offset the input chooses, into a small buffer.
    if (size >= 2) {
        size_t offset = static_cast<size_t>(data[0]) % size;
        size_t capacity = data[1] % 40;
        char text[40];
        std::memset(text, 0, sizeof text);
        size_t end = getRecDomainName(data, size, offset, text, capacity);
        if (end > size || (capacity > 0 && std::strlen(text) >= capacity)) {
            __builtin_trap();
        }
    }
    return 0;
}
