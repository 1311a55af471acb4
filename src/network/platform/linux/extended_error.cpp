#include "extended_error.h"

// errqueue.h needs struct timespec declared first.
#include <time.h>

#include <linux/errqueue.h>
#include <netinet/in.h>

#include <cstddef>
#include <cstring>

namespace quorl {
namespace {

template <typename Value>
Value ReadHostOrder(std::span<const std::uint8_t> bytes, std::size_t offset) {
    Value value{};
    std::memcpy(&value, bytes.data() + offset, sizeof(value));
    return value;
}

}  // namespace

std::optional<ExtendedError> ParseExtendedError(std::span<const std::uint8_t> controlData) {
    if (controlData.size() < sizeof(sock_extended_err)) {
        return std::nullopt;
    }
    ExtendedError error;
    error.errorNumber =
        ReadHostOrder<std::uint32_t>(controlData, offsetof(sock_extended_err, ee_errno));
    error.origin = controlData[offsetof(sock_extended_err, ee_origin)];
    error.type = controlData[offsetof(sock_extended_err, ee_type)];
    error.code = controlData[offsetof(sock_extended_err, ee_code)];

    // The offender follows the record as a socket address.
    const std::size_t offenderOffset = sizeof(sock_extended_err);
    if (controlData.size() >= offenderOffset + sizeof(sockaddr_in)) {
        const auto family = ReadHostOrder<sa_family_t>(
            controlData, offenderOffset + offsetof(sockaddr_in, sin_family));
        if (family == AF_INET) {
            error.offender = ReadHostOrder<std::uint32_t>(
                controlData, offenderOffset + offsetof(sockaddr_in, sin_addr));
        }
    }
    return error;
}

}  // namespace quorl
