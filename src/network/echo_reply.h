#pragma once

#include <array>
#include <cstdint>

#include "platform/reply_block.h"

namespace quorl {

// The reply record of one echo. One run of the echo command owns one, zero
// filled, and reads it field by field after the echo.
struct EchoReply {
    std::int32_t Address = 0;
    std::int32_t Status = 0;
    std::int32_t RoundTripTime = 0;
    // The 16-bit count of echoed bytes with the reserved word above it.
    std::int32_t DataSize = 0;
    std::int32_t DataPointer = 0;
    std::array<std::uint8_t, kReplyOptionsLength> Options{};
    std::array<char16_t, kReplyDataLength> Data{};
};

ReplyBlock EncodeEchoReply(const EchoReply& reply);
EchoReply DecodeEchoReply(const ReplyBlock& block);

}  // namespace quorl
