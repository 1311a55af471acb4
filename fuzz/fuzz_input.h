#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "network/platform/linux/icmp_packet.h"

namespace quorl::fuzz {

using Input = std::span<const std::uint8_t>;

// A view a parser returned must lie inside the input it was given.
inline void RequireInside(Input input, std::span<const std::uint8_t> view) {
    if (view.empty()) {
        return;
    }
    if (view.data() < input.data() || view.data() + view.size() > input.data() + input.size()) {
        std::abort();
    }
}

inline void Require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

// A copy of the input with a sound ICMP checksum at the given offset, so that
// the fuzzer reaches past the checksum test instead of stopping there.
inline std::vector<std::uint8_t> WithIcmpChecksum(Input input, std::size_t icmpOffset) {
    std::vector<std::uint8_t> copy(input.begin(), input.end());
    if (copy.size() >= icmpOffset + 4) {
        copy[icmpOffset + 2] = 0;
        copy[icmpOffset + 3] = 0;
        const std::uint16_t checksum = InternetChecksum(std::span(copy).subspan(icmpOffset));
        copy[icmpOffset + 2] = static_cast<std::uint8_t>(checksum >> 8);
        copy[icmpOffset + 3] = static_cast<std::uint8_t>(checksum);
    }
    return copy;
}

}  // namespace quorl::fuzz
