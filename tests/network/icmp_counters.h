#pragma once

#include <istream>
#include <string>

namespace quorl::testing {

// One counter of the "Icmp:" lines of a Linux SNMP counter file
// (/proc/net/snmp): a line of names, then a line of values. -1 when the
// file has no such counter.
long IcmpCounter(std::istream& snmp, const std::string& name);

}  // namespace quorl::testing
