#include "icmp_socket.h"

#include <linux/filter.h>
#include <linux/icmp.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include <iterator>
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

// Keeps the echo replies of other processes out of the socket's queue: a raw
// socket sees every reply of the namespace, and under a flood of them ours
// could be dropped from a full queue before we read it. Errors pass; they
// are matched on what they quote.
bool FilterRawIdentifier(int descriptor, std::uint16_t identifier) {
    sock_filter code[] = {
        BPF_STMT(BPF_LDX | BPF_B | BPF_MSH, 0),                     // X = IP header length
        BPF_STMT(BPF_LD | BPF_B | BPF_IND, 0),                      // A = ICMP type
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, kIcmpEchoReply, 0, 2),  // not a reply: keep
        BPF_STMT(BPF_LD | BPF_H | BPF_IND, 4),                      // A = identifier
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, identifier, 0, 1),      // ours: keep
        BPF_STMT(BPF_RET | BPF_K, 0xFFFFFFFF),
        BPF_STMT(BPF_RET | BPF_K, 0),
    };
    const sock_fprog program{static_cast<unsigned short>(std::size(code)), code};
    return setsockopt(descriptor, SOL_SOCKET, SO_ATTACH_FILTER, &program, sizeof(program)) == 0;
}

// A request without IP options leaves with don't-fragment clear, as the
// Windows echo service sends it, so that a link with a small MTU on the way
// fragments it instead of refusing it. Not IP_PMTUDISC_DONT: with it the
// kernel keeps "fragmentation needed" out of a datagram socket's error queue.
bool AllowFragmentation(int descriptor) {
    const int discovery = IP_PMTUDISC_OMIT;
    return setsockopt(descriptor, IPPROTO_IP, IP_MTU_DISCOVER, &discovery, sizeof(discovery)) == 0;
}

// Discards what reached the socket before its filters were in place, so that
// a queue filled by other traffic cannot crowd out our answer.
void DiscardQueued(int descriptor) {
    while (recv(descriptor, nullptr, 0, MSG_DONTWAIT | MSG_TRUNC) >= 0) {
    }
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
        !EnableOption(fd, IPPROTO_IP, IP_RECVTOS) || !AllowFragmentation(fd)) {
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
    const std::uint16_t identifier = RandomIdentifier();
    if (!descriptor.IsValid() || !AllowFragmentation(descriptor.Get()) ||
        !FilterRawTypes(descriptor.Get()) || !FilterRawIdentifier(descriptor.Get(), identifier)) {
        return std::nullopt;
    }
    DiscardQueued(descriptor.Get());
    return IcmpSocket(IcmpSocketKind::Raw, std::move(descriptor), identifier);
}

}  // namespace quorl
