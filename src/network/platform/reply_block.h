#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace quorl {

// The reply block as the 32-bit echo service fills it: five 32-bit
// little-endian words, eight bytes of option information, then the echoed data.
inline constexpr std::size_t kReplyAddressOffset = 0;
inline constexpr std::size_t kReplyStatusOffset = 4;
inline constexpr std::size_t kReplyRoundTripTimeOffset = 8;
inline constexpr std::size_t kReplyDataSizeOffset = 12;
inline constexpr std::size_t kReplyDataPointerOffset = 16;
inline constexpr std::size_t kReplyOptionsOffset = 20;
inline constexpr std::size_t kReplyOptionsLength = 8;
inline constexpr std::size_t kReplyDataOffset = 28;
inline constexpr std::size_t kReplyDataLength = 250;

// The reply size the tool announces to the echo service, and the buffer
// behind it, which carries two more bytes of alignment fill.
inline constexpr std::size_t kReplySize = kReplyDataOffset + kReplyDataLength;  // 278
inline constexpr std::size_t kReplyBufferSize = 280;

using ReplyBlock = std::array<std::uint8_t, kReplyBufferSize>;

// Option information inside the block: TTL, TOS, flags, options size.
inline constexpr std::size_t kOptionsTtlOffset = 0;
inline constexpr std::size_t kOptionsTosOffset = 1;
inline constexpr std::size_t kOptionsFlagsOffset = 2;
inline constexpr std::uint8_t kOptionsFlagDontFragment = 0x02;

inline void PutUint32(std::span<std::uint8_t> bytes, std::size_t offset, std::uint32_t value) {
    for (std::size_t i = 0; i < 4; ++i) {
        bytes[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
    }
}

inline std::uint32_t GetUint32(std::span<const std::uint8_t> bytes, std::size_t offset) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        value |= static_cast<std::uint32_t>(bytes[offset + i]) << (8 * i);
    }
    return value;
}

}  // namespace quorl
