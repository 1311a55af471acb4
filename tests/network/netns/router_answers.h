#pragma once

#include <array>
#include <cstdint>

#include "network/platform/ip_status.h"

namespace quorl::testing {

// What an echo through the test network of topology.sh should give.
struct ExpectedAnswer {
    const char* destination;
    std::int32_t status;
    const char* answeredBy;  // null: no answer, Address stays 0
};

// The router's nftables rejections, one for each destination it rejects.
inline constexpr std::array<ExpectedAnswer, 6> kRouterRejections = {{
    {"192.0.2.20", kIpDestNetUnreachable, "198.51.100.1"},
    {"192.0.2.21", kIpDestHostUnreachable, "198.51.100.1"},
    {"192.0.2.26", kIpDestHostUnreachable, "198.51.100.1"},
    {"192.0.2.22", kIpDestProtUnreachable, "198.51.100.1"},
    {"192.0.2.23", kIpDestPortUnreachable, "198.51.100.1"},
    {"192.0.2.30", kIpTtlExpiredTransit, "198.51.100.1"},
}};

}  // namespace quorl::testing
