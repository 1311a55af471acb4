#include "icmp_packet.h"

#include <cstring>

#include "icmp_error_types.h"

namespace quorl {
namespace {

constexpr std::size_t kIpv4MinimumHeaderLength = 20;

std::uint16_t ReadBigEndian16(Bytes bytes, std::size_t offset) {
    return static_cast<std::uint16_t>((bytes[offset] << 8) | bytes[offset + 1]);
}

std::uint32_t ReadAddress(Bytes bytes, std::size_t offset) {
    std::uint32_t address = 0;
    std::memcpy(&address, bytes.data() + offset, sizeof(address));
    return address;
}

// The header alone, without requiring the whole datagram to be present: an
// error quotes only its start.
std::optional<Ipv4Header> ParseIpv4Header(Bytes bytes) {
    if (bytes.size() < kIpv4MinimumHeaderLength || (bytes[0] >> 4) != 4) {
        return std::nullopt;
    }
    Ipv4Header header;
    header.headerLength = static_cast<std::size_t>(bytes[0] & 0x0F) * 4;
    if (header.headerLength < kIpv4MinimumHeaderLength || header.headerLength > bytes.size()) {
        return std::nullopt;
    }
    header.typeOfService = bytes[1];
    header.dontFragment = (bytes[6] & 0x40) != 0;
    header.timeToLive = bytes[8];
    header.protocol = bytes[9];
    header.source = ReadAddress(bytes, 12);
    header.destination = ReadAddress(bytes, 16);
    return header;
}

}  // namespace

std::uint16_t InternetChecksum(Bytes bytes) {
    std::uint32_t sum = 0;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        sum += ReadBigEndian16(bytes, i);
    }
    if (bytes.size() % 2 != 0) {
        sum += static_cast<std::uint32_t>(bytes.back()) << 8;
    }
    while (sum > 0xFFFF) {
        sum = (sum & 0xFFFF) + (sum >> 16);
    }
    return static_cast<std::uint16_t>(~sum);
}

std::vector<std::uint8_t> BuildEchoRequest(std::uint16_t identifier, std::uint16_t sequence,
                                           Bytes data) {
    std::vector<std::uint8_t> message(kIcmpHeaderLength + data.size());
    message[0] = kIcmpEchoRequest;
    message[4] = static_cast<std::uint8_t>(identifier >> 8);
    message[5] = static_cast<std::uint8_t>(identifier);
    message[6] = static_cast<std::uint8_t>(sequence >> 8);
    message[7] = static_cast<std::uint8_t>(sequence);
    std::copy(data.begin(), data.end(), message.begin() + kIcmpHeaderLength);
    const std::uint16_t checksum = InternetChecksum(message);
    message[2] = static_cast<std::uint8_t>(checksum >> 8);
    message[3] = static_cast<std::uint8_t>(checksum);
    return message;
}

std::optional<Ipv4Packet> ParseIpv4Packet(Bytes packet) {
    const std::optional<Ipv4Header> header = ParseIpv4Header(packet);
    if (!header) {
        return std::nullopt;
    }
    const std::size_t totalLength = ReadBigEndian16(packet, 2);
    if (totalLength < header->headerLength || totalLength > packet.size()) {
        return std::nullopt;
    }
    return Ipv4Packet{*header,
                      packet.subspan(header->headerLength, totalLength - header->headerLength)};
}

std::optional<IcmpEcho> ParseQuotedEcho(Bytes quoted) {
    if (quoted.size() < kIcmpHeaderLength) {
        return std::nullopt;
    }
    const std::uint8_t type = quoted[0];
    if ((type != kIcmpEchoRequest && type != kIcmpEchoReply) || quoted[1] != 0) {
        return std::nullopt;
    }
    return IcmpEcho{type, ReadBigEndian16(quoted, 4), ReadBigEndian16(quoted, 6),
                    quoted.subspan(kIcmpHeaderLength)};
}

std::optional<IcmpEcho> ParseIcmpEcho(Bytes message) {
    if (message.size() < kIcmpHeaderLength || InternetChecksum(message) != 0) {
        return std::nullopt;
    }
    return ParseQuotedEcho(message);
}

std::optional<IcmpError> ParseIcmpError(Bytes message) {
    if (message.size() < kIcmpHeaderLength || !IsIcmpErrorType(message[0]) ||
        InternetChecksum(message) != 0) {
        return std::nullopt;
    }
    const Bytes quoted = message.subspan(kIcmpHeaderLength);
    const std::optional<Ipv4Header> quotedHeader = ParseIpv4Header(quoted);
    if (!quotedHeader || quoted.size() < quotedHeader->headerLength + kIcmpHeaderLength) {
        return std::nullopt;
    }
    return IcmpError{message[0], message[1], *quotedHeader,
                     quoted.subspan(quotedHeader->headerLength)};
}

}  // namespace quorl
