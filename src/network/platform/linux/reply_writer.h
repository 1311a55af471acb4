#pragma once

#include <cstdint>
#include <span>

#include "echo_match.h"

namespace quorl {

// Fill the reply block the way the Windows echo service does for a 32-bit
// caller. Both write nothing into a block too small for the reply's fixed
// part.
void WriteReplyStatus(std::span<std::uint8_t> reply, std::int32_t status);
void WriteReply(std::span<std::uint8_t> reply, const EchoAnswer& answer,
                std::uint32_t roundTripTime);

}  // namespace quorl
