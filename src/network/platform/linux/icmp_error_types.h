#pragma once

#include <algorithm>
#include <array>
#include <cstdint>

#include "icmp_packet.h"
#include "network/platform/ip_status.h"

namespace quorl {

// The ICMP messages that say why a request got no reply, and the IP status
// each gives. The packet parser, the raw socket's kernel filter and the
// status mapping all read this one table: a type added here is parsed, let
// through and mapped alike. Anything else (redirects, router adverts) says
// nothing about whether the echo arrived.
struct IcmpErrorType {
    std::uint8_t type;
    std::int32_t (*statusForCode)(std::uint8_t code);
};

namespace icmp_error_status {

constexpr std::int32_t ForUnreachable(std::uint8_t code) {
    switch (code) {
        case 0:   // net
        case 6:   // net unknown
        case 9:   // net administratively prohibited
        case 11:  // net unreachable for type of service
            return kIpDestNetUnreachable;
        case 2:
            return kIpDestProtUnreachable;
        case 3:
            return kIpDestPortUnreachable;
        case 4:
            return kIpPacketTooBig;
        case 5:
            return kIpBadRoute;
        default:  // host, and every code without a status of its own
            return kIpDestHostUnreachable;
    }
}

constexpr std::int32_t ForSourceQuench(std::uint8_t) {
    return kIpSourceQuench;
}

constexpr std::int32_t ForTimeExceeded(std::uint8_t code) {
    return code == 1 ? kIpTtlExpiredReassem : kIpTtlExpiredTransit;
}

constexpr std::int32_t ForParameterProblem(std::uint8_t) {
    return kIpParamProblem;
}

}  // namespace icmp_error_status

inline constexpr std::array<IcmpErrorType, 4> kIcmpErrorTypes = {{
    {kIcmpDestinationUnreachable, icmp_error_status::ForUnreachable},
    {kIcmpSourceQuench, icmp_error_status::ForSourceQuench},
    {kIcmpTimeExceeded, icmp_error_status::ForTimeExceeded},
    {kIcmpParameterProblem, icmp_error_status::ForParameterProblem},
}};

// The raw socket's type filter holds one bit for each of the types 0 to 31.
static_assert(std::ranges::all_of(kIcmpErrorTypes, [](const IcmpErrorType& error) {
    return error.type < 32 && error.type != kIcmpEchoReply;
}));

constexpr const IcmpErrorType* FindIcmpErrorType(std::uint8_t type) {
    const auto found = std::ranges::find(kIcmpErrorTypes, type, &IcmpErrorType::type);
    return found == kIcmpErrorTypes.end() ? nullptr : &*found;
}

constexpr bool IsIcmpErrorType(std::uint8_t type) {
    return FindIcmpErrorType(type) != nullptr;
}

// One bit for each error type, as the raw socket's type filter counts them.
constexpr std::uint32_t IcmpErrorTypeBits() {
    std::uint32_t bits = 0;
    for (const IcmpErrorType& error : kIcmpErrorTypes) {
        bits |= 1U << error.type;
    }
    return bits;
}

}  // namespace quorl
