#pragma once

#include <cstdint>
#include <optional>
#include <span>

namespace quorl {

// What the kernel reports with an error from a socket's error queue: the
// record it passes as IP_RECVERR control data, and the address of the node
// that sent the ICMP error right behind it.
struct ExtendedError {
    std::uint32_t errorNumber = 0;
    std::uint8_t origin = 0;
    std::uint8_t type = 0;
    std::uint8_t code = 0;
    std::optional<std::uint32_t> offender;  // address bytes in memory order
};

inline constexpr std::uint8_t kErrorOriginIcmp = 2;

std::optional<ExtendedError> ParseExtendedError(std::span<const std::uint8_t> controlData);

}  // namespace quorl
