#include "packet_builder.h"

#include <cstring>

#include "network/platform/linux/icmp_packet.h"

namespace quorl::testing {
namespace {

void PutBigEndian16(Packet& packet, std::size_t offset, std::uint32_t value) {
    packet[offset] = static_cast<std::uint8_t>(value >> 8);
    packet[offset + 1] = static_cast<std::uint8_t>(value);
}

void PutChecksum(Packet& packet, std::size_t offset, std::size_t begin, std::size_t end) {
    const Bytes covered(packet.data() + begin, end - begin);
    PutBigEndian16(packet, offset, InternetChecksum(covered));
}

}  // namespace

Packet EchoMessage(std::uint8_t type, std::uint16_t identifier, std::uint16_t sequence,
                   std::string_view data) {
    Packet message(8 + data.size());
    message[0] = type;
    PutBigEndian16(message, 4, identifier);
    PutBigEndian16(message, 6, sequence);
    std::memcpy(message.data() + 8, data.data(), data.size());
    PutChecksum(message, 2, 0, message.size());
    return message;
}

Packet ErrorMessage(std::uint8_t type, std::uint8_t code, const Packet& quotedDatagram,
                    std::uint32_t restOfHeader) {
    Packet message(8);
    message[0] = type;
    message[1] = code;
    PutBigEndian16(message, 4, restOfHeader >> 16);
    PutBigEndian16(message, 6, restOfHeader & 0xFFFF);
    message.insert(message.end(), quotedDatagram.begin(), quotedDatagram.end());
    PutChecksum(message, 2, 0, message.size());
    return message;
}

Packet Ipv4Datagram(std::uint32_t source, std::uint32_t destination, const Packet& payload,
                    std::uint8_t protocol, std::uint8_t timeToLive) {
    Packet datagram(20);
    datagram[0] = 0x45;
    PutBigEndian16(datagram, 2, static_cast<std::uint32_t>(20 + payload.size()));
    datagram[6] = 0x40;  // don't fragment
    datagram[8] = timeToLive;
    datagram[9] = protocol;
    std::memcpy(datagram.data() + 12, &source, 4);
    std::memcpy(datagram.data() + 16, &destination, 4);
    PutChecksum(datagram, 10, 0, 20);
    datagram.insert(datagram.end(), payload.begin(), payload.end());
    return datagram;
}

}  // namespace quorl::testing
