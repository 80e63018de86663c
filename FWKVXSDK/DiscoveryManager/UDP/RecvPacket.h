#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

// Walks the name that begins at `offset` of a DNS message of `length` bytes and
// returns the offset just past it: after its zero byte, or two bytes after its
// first compression pointer. Writes the name's labels joined by "." into `name`
// (at most nameCapacity - 1 bytes and a terminating zero; nothing when the
// capacity is 0). Compression pointers are followed for the text only, within
// the DNS limits, so loops and over-long chains end the text. Returns 0 when the
// name's own bytes run past the end of the message or exceed 255 bytes.
size_t getRecDomainName(const uint8_t* buffer, size_t length, size_t offset, char* name, size_t nameCapacity);

// Listens on the multicast-DNS group for the scanners' answers and reads the
// values of their TXT records.
class RecvPacket {
public:
    // TXT key ("mdl=MERIX", "SERIAL=", "device=", "ethaddr=", and "ipaddr=" for
    // the sender's address) to value.
    using Dictionary = std::map<std::string, std::string>;

    explicit RecvPacket(std::string group = "224.0.0.251", int32_t port = 5353);
    ~RecvPacket();
    RecvPacket(const RecvPacket&) = delete;
    RecvPacket& operator=(const RecvPacket&) = delete;

    // Binds port 5353 (address and port reuse) and joins the group on any
    // interface; false, with the socket closed, when any step fails.
    bool OpenRecvSocket();
    // Waits at most one second for one datagram and reads it. True when it
    // yielded at least one TXT value; the values and "ipaddr=" are then added to
    // the dictionary, which is otherwise left unchanged.
    bool Recv(Dictionary& dictionary);
    // Closes the socket; harmless when it is closed already.
    void terminate();

    int32_t listeningSocket() const { return mListeningSocket; }

    // The reading of one received datagram, without sockets, as Recv does: a
    // response only; its question passed over; the values of its TXT records in
    // the answer section, then those of the additional section for keys still
    // missing; records with time-to-live 0 (goodbyes) count for nothing.
    static bool ReadAnswer(const uint8_t* data, size_t length, const std::string& sourceAddress,
                           Dictionary& dictionary);

private:
    std::string mGroup;
    int32_t mPort;
    int32_t mListeningSocket = -1;
    std::vector<uint8_t> mBuffer;
};
