#pragma once

#include <cstdlib>

namespace quorl::testing {

// Set by scripts/wine-run.sh when this user may open the sockets that Wine's
// echo service needs (root, or a group in net.ipv4.ping_group_range).
inline bool EchoPermitted() {
    return std::getenv("QUORL_ECHO_PERMITTED") != nullptr;
}

inline constexpr char kNoEchoPermission[] =
    "Wine's echo service needs root or net.ipv4.ping_group_range covering this user's group";

}  // namespace quorl::testing
