#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "message_boxes.h"
#include "platform/platform.h"

namespace quorl {

// The dotted address of the first address of a host name, or empty when the
// name does not resolve. Relies on the caller's Windows Sockets initialization.
std::u16string GetIPFromHostName(Platform& platform, const std::u16string& hostName);

// The four bytes of an IPv4 address, first octet first, as dotted decimal.
std::u16string AddressBytesToDotted(std::span<const std::uint8_t, 4> addressBytes);

// The official name of a dotted address, or empty; tells the user why there is
// none in a message box. Makes and undoes its own initialization.
std::u16string GetHostNameFromIP(Platform& platform, MessageBoxes& messageBoxes,
                                 const std::u16string& address);

}  // namespace quorl
