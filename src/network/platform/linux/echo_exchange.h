#pragma once

#include <chrono>
#include <cstdint>
#include <span>

#include "icmp_packet.h"
#include "icmp_socket.h"

namespace quorl {

// Sends one echo request on the socket and waits for its answer until the
// timeout has passed since the send, ignoring everything that is not ours.
// The answer, or the status that says why there is none, goes straight into
// the reply block; the result is the number of answers (0 or 1).
std::uint32_t ExchangeEcho(IcmpSocket& socket, std::uint32_t destination, std::uint16_t sequence,
                           Bytes data, std::chrono::milliseconds timeout,
                           std::span<std::uint8_t> reply);

}  // namespace quorl
