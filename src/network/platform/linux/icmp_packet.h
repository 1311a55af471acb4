#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace quorl {

// Pure, bounds-checked readers and writers of the packets the echo service
// exchanges. Addresses are 32-bit values holding the four address bytes in
// memory order, as inet_addr returns them.

using Bytes = std::span<const std::uint8_t>;

inline constexpr std::uint8_t kIcmpProtocol = 1;
inline constexpr std::uint8_t kIcmpEchoReply = 0;
inline constexpr std::uint8_t kIcmpDestinationUnreachable = 3;
inline constexpr std::uint8_t kIcmpSourceQuench = 4;
inline constexpr std::uint8_t kIcmpEchoRequest = 8;
inline constexpr std::uint8_t kIcmpTimeExceeded = 11;
inline constexpr std::uint8_t kIcmpParameterProblem = 12;
inline constexpr std::size_t kIcmpHeaderLength = 8;

struct Ipv4Header {
    std::size_t headerLength = 0;
    std::uint8_t typeOfService = 0;
    bool dontFragment = false;
    std::uint8_t timeToLive = 0;
    std::uint8_t protocol = 0;
    std::uint32_t source = 0;
    std::uint32_t destination = 0;
};

struct Ipv4Packet {
    Ipv4Header header;
    Bytes payload;  // up to the total length the header gives
};

// An echo request or reply: its header fields and the data after them.
struct IcmpEcho {
    std::uint8_t type = 0;
    std::uint16_t identifier = 0;
    std::uint16_t sequence = 0;
    Bytes data;
};

// An ICMP error with the start of the datagram that caused it.
struct IcmpError {
    std::uint8_t type = 0;
    std::uint8_t code = 0;
    Ipv4Header quotedHeader;
    Bytes quotedPayload;  // at least the first 8 bytes of the quoted datagram
};

std::uint16_t InternetChecksum(Bytes bytes);
std::vector<std::uint8_t> BuildEchoRequest(std::uint16_t identifier, std::uint16_t sequence,
                                           Bytes data);

std::optional<Ipv4Packet> ParseIpv4Packet(Bytes packet);
// An echo request or reply with a valid checksum.
std::optional<IcmpEcho> ParseIcmpEcho(Bytes message);
// The first eight bytes of an echo message, as an error quotes them.
std::optional<IcmpEcho> ParseQuotedEcho(Bytes quoted);
// An ICMP error of a type in kIcmpErrorTypes (icmp_error_types.h), with a
// valid checksum and a quoted IPv4 header plus eight bytes.
std::optional<IcmpError> ParseIcmpError(Bytes message);

}  // namespace quorl
