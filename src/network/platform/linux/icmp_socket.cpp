#include "icmp_socket.h"

#include <linux/icmp.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <random>

#include "icmp_packet.h"
#include "net_raw_capability.h"

namespace quorl {
namespace {

bool EnableOption(int descriptor, int level, int option) {
    const int on = 1;
    return setsockopt(descriptor, level, option, &on, sizeof(on)) == 0;
}

// Lets through only what can answer an echo request; the kernel drops the
// rest (including our own requests looped back) before it reaches us.
bool FilterRawTypes(int descriptor) {
    icmp_filter filter{};
    filter.data =
        ~((1U << kIcmpEchoReply) | (1U << kIcmpDestinationUnreachable) | (1U << kIcmpSourceQuench) |
          (1U << kIcmpTimeExceeded) | (1U << kIcmpParameterProblem));
    return setsockopt(descriptor, SOL_RAW, ICMP_FILTER, &filter, sizeof(filter)) == 0;
}

std::uint16_t RandomIdentifier() {
    std::random_device source;
    return static_cast<std::uint16_t>(source());
}

}  // namespace

std::optional<IcmpSocket> IcmpSocket::Open() {
    if (std::optional<IcmpSocket> datagram = OpenDatagram()) {
        return datagram;
    }
    return OpenRaw();
}

std::optional<IcmpSocket> IcmpSocket::OpenDatagram() {
    UniqueFd descriptor(socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, IPPROTO_ICMP));
    if (!descriptor.IsValid()) {
        return std::nullopt;
    }
    // ICMP errors reach a datagram socket only through its error queue.
    const int fd = descriptor.Get();
    if (!EnableOption(fd, IPPROTO_IP, IP_RECVERR) || !EnableOption(fd, IPPROTO_IP, IP_RECVTTL) ||
        !EnableOption(fd, IPPROTO_IP, IP_RECVTOS)) {
        return std::nullopt;
    }
    return IcmpSocket(IcmpSocketKind::Datagram, std::move(descriptor), 0);
}

std::optional<IcmpSocket> IcmpSocket::OpenRaw() {
    UniqueFd descriptor;
    {
        const NetRawCapability capability;
        descriptor = UniqueFd(socket(AF_INET, SOCK_RAW | SOCK_CLOEXEC, IPPROTO_ICMP));
    }
    if (!descriptor.IsValid() || !FilterRawTypes(descriptor.Get())) {
        return std::nullopt;
    }
    return IcmpSocket(IcmpSocketKind::Raw, std::move(descriptor), RandomIdentifier());
}

}  // namespace quorl
