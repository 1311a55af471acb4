#include "icmp_status.h"

#include <cerrno>

#include "../ip_status.h"
#include "icmp_packet.h"

namespace quorl {
namespace {

std::int32_t StatusForUnreachable(std::uint8_t code) {
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

}  // namespace

std::optional<std::int32_t> StatusForIcmpError(std::uint8_t type, std::uint8_t code) {
    switch (type) {
        case kIcmpDestinationUnreachable:
            return StatusForUnreachable(code);
        case kIcmpTimeExceeded:
            return code == 1 ? kIpTtlExpiredReassem : kIpTtlExpiredTransit;
        case kIcmpParameterProblem:
            return kIpParamProblem;
        case kIcmpSourceQuench:
            return kIpSourceQuench;
        default:
            return std::nullopt;
    }
}

std::int32_t StatusForSendError(int errorNumber) {
    switch (errorNumber) {
        case EHOSTUNREACH:
            return kIpDestHostUnreachable;
        case ENETUNREACH:
            return kIpDestNetUnreachable;
        case EMSGSIZE:
            return kIpPacketTooBig;
        default:
            return kIpGeneralFailure;
    }
}

}  // namespace quorl
