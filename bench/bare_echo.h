#pragma once

#include <cstdint>

#include "network/platform/linux/icmp_socket.h"

namespace quorl::bench {

// One echo of 127.0.0.1 the barest way: open a socket of the kind, send,
// wait for the reply, close; no options, no filter, no reply block. The
// anchor against which SendEcho's own work is measured. False when the
// socket does not open or no reply comes within 500 ms.
bool BareEcho(IcmpSocketKind kind, std::uint16_t sequence);

}  // namespace quorl::bench
