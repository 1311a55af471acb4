#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace quorl::testing {

using Packet = std::vector<std::uint8_t>;

// An echo request or reply, checksum included.
Packet EchoMessage(std::uint8_t type, std::uint16_t identifier, std::uint16_t sequence,
                   std::string_view data);

// An ICMP error that quotes the start of a datagram; restOfHeader fills
// bytes 4 to 7 (the pointer of a parameter problem, the MTU of a fragmentation
// needed).
Packet ErrorMessage(std::uint8_t type, std::uint8_t code, const Packet& quotedDatagram,
                    std::uint32_t restOfHeader = 0);

// An IPv4 datagram around a payload, with a 20-byte header; addresses as
// inet_addr returns them.
Packet Ipv4Datagram(std::uint32_t source, std::uint32_t destination, const Packet& payload,
                    std::uint8_t protocol = 1, std::uint8_t timeToLive = 64);

}  // namespace quorl::testing
