#pragma once

#include <cstdint>
#include <optional>

namespace quorl {

// The IP status for an ICMP error about our request; none for messages that
// say nothing about whether the echo arrived (redirects and the like).
std::optional<std::int32_t> StatusForIcmpError(std::uint8_t type, std::uint8_t code);

// The IP status for a request the system refused to send.
std::int32_t StatusForSendError(int errorNumber);

}  // namespace quorl
