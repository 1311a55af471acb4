#pragma once

namespace quorl {

// Says once per process, in one line on stderr, that no ICMP socket of
// either kind could be opened and how to allow one. The window itself only
// shows status 11050, which says nothing about the cause.
void ReportNoEchoPermissionOnce();

}  // namespace quorl
