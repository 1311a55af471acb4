#include "no_socket_notice.h"

#include <string.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cerrno>
#include <cstddef>
#include <cstdio>
#include <string>

namespace quorl {
namespace {

bool IsPermissionError(int errorNumber) {
    return errorNumber == EPERM || errorNumber == EACCES;
}

// The path of the running program, for a setcap line that can be pasted.
std::string ProgramPath() {
    std::array<char, 4096> path{};
    const ssize_t length = readlink("/proc/self/exe", path.data(), path.size() - 1);
    if (length <= 0) {
        return "quorl";
    }
    return std::string(path.data(), static_cast<std::size_t>(length));
}

void ReportNoPermission() {
    std::fprintf(stderr,
                 "quorl: no ICMP socket (neither datagram nor raw is allowed), so every echo "
                 "fails with 11050: let group %u open datagram ICMP sockets through "
                 "net.ipv4.ping_group_range, or give the program its capability as root: "
                 "setcap cap_net_raw+p %s\n",
                 static_cast<unsigned>(getgid()), ProgramPath().c_str());
}

void ReportSystemError(int errorNumber) {
    const char* name = strerrorname_np(errorNumber);
    const char* description = strerrordesc_np(errorNumber);
    std::fprintf(stderr, "quorl: no ICMP socket opens (%s: %s), so the echo fails with 11050\n",
                 name != nullptr ? name : "unknown error",
                 description != nullptr ? description : std::to_string(errorNumber).c_str());
}

}  // namespace

void ReportNoIcmpSocketOnce(const IcmpSocketRefusal& refusal) {
    static std::atomic<bool> permissionReported = false;
    static std::atomic<bool> systemErrorReported = false;
    if (IsPermissionError(refusal.datagramError) && IsPermissionError(refusal.rawError)) {
        if (!permissionReported.exchange(true)) {
            ReportNoPermission();
        }
    } else if (!systemErrorReported.exchange(true)) {
        // The kind that failed for another reason than permission says why.
        ReportSystemError(IsPermissionError(refusal.datagramError) ? refusal.rawError
                                                                   : refusal.datagramError);
    }
}

}  // namespace quorl
