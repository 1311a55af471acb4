#pragma once

#include "icmp_socket.h"

namespace quorl {

// Says in one line on stderr why no ICMP socket of either kind opened, as
// the window itself only shows status 11050. When both kinds were refused
// for lack of permission, the line names both ways to allow one; any other
// failure (no free descriptor, no kernel memory, ...) is named as the system
// names it. Each line is said at most once per process.
void ReportNoIcmpSocketOnce(const IcmpSocketRefusal& refusal);

}  // namespace quorl
