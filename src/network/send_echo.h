#pragma once

#include <cstdint>
#include <string>

#include "echo_reply.h"
#include "platform/platform.h"
#include "tool_status.h"

namespace quorl {

inline constexpr std::uint32_t kEchoTimeoutMilliseconds = 500;

// Sends one echo request carrying data to the dotted address and waits up to
// 500 ms. The answer lands in reply; the result is its status, or
// kBadAddressFormat when the address does not parse. Destination 0.0.0.0
// (kIpBadDestination) and more data than the reply block holds
// (kIpBufTooSmall) are refused before any handle opens. Nothing is sent in
// these three cases.
std::int32_t SendEcho(Platform& platform, const std::u16string& address, const std::u16string& data,
                      EchoReply& reply);

}  // namespace quorl
