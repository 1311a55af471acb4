#pragma once

#include <cstdint>

namespace quorl {

// IP status values as the echo service reports them.
enum IpStatus : std::int32_t {
    kIpSuccess = 0,
    kIpBufTooSmall = 11001,
    kIpDestNetUnreachable = 11002,
    kIpDestHostUnreachable = 11003,
    kIpDestProtUnreachable = 11004,
    kIpDestPortUnreachable = 11005,
    kIpNoResources = 11006,
    kIpBadOption = 11007,
    kIpHwError = 11008,
    kIpPacketTooBig = 11009,
    kIpReqTimedOut = 11010,
    kIpBadReq = 11011,
    kIpBadRoute = 11012,
    kIpTtlExpiredTransit = 11013,
    kIpTtlExpiredReassem = 11014,
    kIpParamProblem = 11015,
    kIpSourceQuench = 11016,
    kIpOptionTooBig = 11017,
    kIpBadDestination = 11018,
    kIpAddrDeleted = 11019,
    kIpSpecMtuChange = 11020,
    kIpMtuChange = 11021,
    kIpUnload = 11022,
    kIpAddrAdded = 11023,
    kIpGeneralFailure = 11050,
    kIpPending = 11255,
};

inline constexpr std::int32_t kIpStatusFirst = 11001;
inline constexpr std::int32_t kIpStatusLast = 11255;

}  // namespace quorl
