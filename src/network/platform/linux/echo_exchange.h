#pragma once

#include <chrono>
#include <cstdint>
#include <vector>

#include "icmp_packet.h"
#include "icmp_socket.h"

namespace quorl {

// How one echo request ended: answered by a reply or an ICMP error, refused
// at once by the local system, or timed out.
struct EchoOutcome {
    bool answered = false;
    std::int32_t status = 0;
    std::uint32_t address = 0;
    std::uint32_t roundTripTime = 0;  // whole milliseconds, truncated
    std::vector<std::uint8_t> data;
    std::uint8_t timeToLive = 0;
    std::uint8_t typeOfService = 0;
    bool dontFragment = false;
};

// The sequence number for the next request of this process.
std::uint16_t NextEchoSequence();

// Sends one echo request on the socket and waits for its answer until the
// timeout has passed since the send, ignoring everything that is not ours.
EchoOutcome ExchangeEcho(const IcmpSocket& socket, std::uint32_t destination,
                         std::uint16_t sequence, Bytes data, std::chrono::milliseconds timeout);

}  // namespace quorl
