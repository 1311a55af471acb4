#include "permission_notice.h"

#include <unistd.h>

#include <array>
#include <atomic>
#include <cstdio>
#include <string>

namespace quorl {
namespace {

// The path of the running program, for a setcap line that can be pasted.
std::string ProgramPath() {
    std::array<char, 4096> path{};
    const ssize_t length = readlink("/proc/self/exe", path.data(), path.size() - 1);
    if (length <= 0) {
        return "quorl";
    }
    return std::string(path.data(), static_cast<std::size_t>(length));
}

}  // namespace

void ReportNoEchoPermissionOnce() {
    static std::atomic<bool> reported = false;
    if (reported.exchange(true)) {
        return;
    }
    std::fprintf(stderr,
                 "quorl: no ICMP socket (neither datagram nor raw is allowed), so every echo "
                 "fails with 11050: let group %u open datagram ICMP sockets through "
                 "net.ipv4.ping_group_range, or give the program its capability as root: "
                 "setcap cap_net_raw+p %s\n",
                 static_cast<unsigned>(getgid()), ProgramPath().c_str());
}

}  // namespace quorl
