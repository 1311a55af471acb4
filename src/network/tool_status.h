#pragma once

#include <cstdint>

namespace quorl {

// The tool's own status codes beside the platform's IP status values: the
// address text is not a dotted IPv4 address; and 500, the number of the echo
// wait in milliseconds, which has a status text of its own.
inline constexpr std::int32_t kBadAddressFormat = -1;
inline constexpr std::int32_t kQuorlTimeoutStatus = 500;

}  // namespace quorl
