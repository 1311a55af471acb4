#include "icmp_status.h"

#include <cerrno>

#include "icmp_error_types.h"
#include "network/platform/ip_status.h"

namespace quorl {

std::optional<std::int32_t> StatusForIcmpError(std::uint8_t type, std::uint8_t code) {
    if (const IcmpErrorType* error = FindIcmpErrorType(type)) {
        return error->statusForCode(code);
    }
    return std::nullopt;
}

// As the Windows echo service maps them: only a destination that a route
// calls unreachable has a status of its own; every other refusal, no route
// at all among them, is a general failure.
std::int32_t StatusForSendError(int errorNumber) {
    return errorNumber == EHOSTUNREACH ? kIpDestHostUnreachable : kIpGeneralFailure;
}

}  // namespace quorl
