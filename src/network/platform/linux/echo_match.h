#pragma once

#include <cstdint>
#include <optional>

#include "extended_error.h"
#include "icmp_packet.h"

namespace quorl {

// What identifies our request among everything a socket may receive. An
// echo reply is ours by identifier and sequence alone, from whatever source;
// an ICMP error is ours when it quotes our request, destination included.
struct EchoRequestKey {
    std::uint32_t destination = 0;
    std::uint16_t identifier = 0;
    std::uint16_t sequence = 0;
};

// The answer to our request: an echo reply or an ICMP error.
struct EchoAnswer {
    std::int32_t status = 0;
    std::uint32_t address = 0;  // the source of the reply, or the node that sent the error
    Bytes data;                 // the echoed data; empty for an error
    std::uint8_t timeToLive = 0;
    std::uint8_t typeOfService = 0;
    bool dontFragment = false;
};

// A whole IPv4 packet as a raw ICMP socket reads it.
std::optional<EchoAnswer> MatchRawPacket(Bytes packet, const EchoRequestKey& key);

// An ICMP message without its IP header, from the given source, which
// becomes the answer's address; datagram ICMP sockets read messages this way.
std::optional<EchoAnswer> MatchEchoReply(Bytes message, std::uint32_t source,
                                         const EchoRequestKey& key);

// An entry of a datagram ICMP socket's error queue: the start of the request
// it is about, the destination that request went to, and the kernel's record.
std::optional<EchoAnswer> MatchDatagramError(Bytes quotedRequest, std::uint32_t destination,
                                             const ExtendedError& error, const EchoRequestKey& key);

}  // namespace quorl
