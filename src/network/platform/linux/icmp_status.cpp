#include "icmp_status.h"

#include <cerrno>

#include "../ip_status.h"
#include "icmp_error_types.h"

namespace quorl {

std::optional<std::int32_t> StatusForIcmpError(std::uint8_t type, std::uint8_t code) {
    if (const IcmpErrorType* error = FindIcmpErrorType(type)) {
        return error->statusForCode(code);
    }
    return std::nullopt;
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
